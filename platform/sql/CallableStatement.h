// A call of a stored procedure with out-parameters, in the JDBC 1.x object model. Out-values are read by
// parameter index after execution; an SQL NULL reads as the type's empty value (0, false, "", no bytes) and
// wasNull() tells. Every operation answers SQLException "not supported" until a driver overrides it; the
// closed-object contract of Connection.h applies. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::sql {

class CallableStatement : public PreparedStatement {
 public:
  ~CallableStatement() override;

  virtual void registerOutParameter(int /*index*/, int /*sqlType*/) { notSupported(); }
  virtual void registerOutParameter(int /*index*/, int /*sqlType*/, int /*scale*/) { notSupported(); }
  // Whether the last out-value read was SQL NULL.
  virtual bool wasNull() { notSupported(); }

  virtual std::string getString(int /*index*/) { notSupported(); }
  virtual bool getBoolean(int /*index*/) { notSupported(); }
  virtual std::int8_t getByte(int /*index*/) { notSupported(); }
  virtual std::int16_t getShort(int /*index*/) { notSupported(); }
  virtual std::int32_t getInt(int /*index*/) { notSupported(); }
  virtual std::int64_t getLong(int /*index*/) { notSupported(); }
  virtual float getFloat(int /*index*/) { notSupported(); }
  virtual double getDouble(int /*index*/) { notSupported(); }
  virtual plat::math::Decimal getBigDecimal(int /*index*/, int /*scale*/) { notSupported(); }
  // The value with all its digits, at the scale it has.
  virtual plat::math::Decimal getBigDecimal(int /*index*/) { notSupported(); }
  virtual std::vector<std::uint8_t> getBytes(int /*index*/) { notSupported(); }
  virtual plat::time::Date getDate(int /*index*/) { notSupported(); }
  virtual plat::time::Time getTime(int /*index*/) { notSupported(); }
  virtual plat::time::Timestamp getTimestamp(int /*index*/) { notSupported(); }
  // The out-value as the untyped value of its kind; null for SQL NULL.
  virtual plat::lang::Value getObject(int /*index*/) { notSupported(); }
};

}  // namespace plat::sql
