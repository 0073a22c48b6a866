// A precompiled SQL statement with parameters numbered from 1, in the JDBC 1.x object model. The plain-text
// operations of Statement stay available (a driver class overriding executeQuery() and the like says
// `using PreparedStatement::executeQuery;` to keep them visible on its own type). Every operation answers SQLException
// "not supported" until a driver overrides it; the closed-object contract of Connection.h applies. Used by one thread
// at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/sql/Statement.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::sql {

class PreparedStatement : public Statement {
 public:
  using Statement::execute;
  using Statement::executeQuery;
  using Statement::executeUpdate;

  ~PreparedStatement() override;

  virtual plat::lang::Ref<ResultSet> executeQuery() { notSupported(); }
  virtual int executeUpdate() { notSupported(); }
  virtual bool execute() { notSupported(); }
  virtual void clearParameters() { notSupported(); }

  // SQL NULL of the JDBC type sqlType (a Types code).
  virtual void setNull(int /*index*/, int /*sqlType*/) { notSupported(); }
  virtual void setBoolean(int /*index*/, bool /*value*/) { notSupported(); }
  virtual void setByte(int /*index*/, std::int8_t /*value*/) { notSupported(); }
  virtual void setShort(int /*index*/, std::int16_t /*value*/) { notSupported(); }
  virtual void setInt(int /*index*/, std::int32_t /*value*/) { notSupported(); }
  virtual void setLong(int /*index*/, std::int64_t /*value*/) { notSupported(); }
  virtual void setFloat(int /*index*/, float /*value*/) { notSupported(); }
  virtual void setDouble(int /*index*/, double /*value*/) { notSupported(); }
  virtual void setBigDecimal(int /*index*/, const plat::math::Decimal& /*value*/) { notSupported(); }
  virtual void setString(int /*index*/, const std::string& /*value*/) { notSupported(); }
  virtual void setBytes(int /*index*/, const std::vector<std::uint8_t>& /*value*/) { notSupported(); }
  virtual void setDate(int /*index*/, const plat::time::Date& /*value*/) { notSupported(); }
  virtual void setTime(int /*index*/, const plat::time::Time& /*value*/) { notSupported(); }
  virtual void setTimestamp(int /*index*/, const plat::time::Timestamp& /*value*/) { notSupported(); }
  // The first length bytes of the stream; the stream stays the caller's.
  virtual void setAsciiStream(int /*index*/, const plat::lang::Ref<plat::io::InputStream>& /*stream*/, int /*length*/) {
    notSupported();
  }
  virtual void setUnicodeStream(int /*index*/, const plat::lang::Ref<plat::io::InputStream>& /*stream*/,
                                int /*length*/) {
    notSupported();
  }
  virtual void setBinaryStream(int /*index*/, const plat::lang::Ref<plat::io::InputStream>& /*stream*/,
                               int /*length*/) {
    notSupported();
  }
  // The value converted to the JDBC type targetSqlType; scale counts for NUMERIC and DECIMAL only.
  virtual void setObject(int /*index*/, const plat::lang::Value& /*value*/, int /*targetSqlType*/, int /*scale*/) {
    notSupported();
  }
  virtual void setObject(int /*index*/, const plat::lang::Value& /*value*/, int /*targetSqlType*/) { notSupported(); }
  // The JDBC type follows from the value's kind.
  virtual void setObject(int /*index*/, const plat::lang::Value& /*value*/) { notSupported(); }
};

}  // namespace plat::sql
