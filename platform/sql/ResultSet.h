// A cursor over the rows of a query result, columns numbered from 1, in the JDBC 1.x object model. An SQL NULL
// reads as the type's empty value (0, false, "", no bytes, a null stream) and wasNull() tells; getObject gives a
// null Value. Every operation answers SQLException "not supported" until a driver overrides it, except the getters
// by column name, which find the column and call the getter by number (a driver class that overrides a getter by
// number says `using ResultSet::getString;` and so on, to keep the name forms visible on its own type). The
// closed-object contract of Connection.h applies. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/sql/SQLWarning.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::sql {

class ResultSetMetaData;

class ResultSet : public plat::lang::Object {
 public:
  using InputStreamRef = plat::lang::Ref<plat::io::InputStream>;

  ResultSet() = default;
  ResultSet(const ResultSet&) = delete;
  ResultSet& operator=(const ResultSet&) = delete;
  ~ResultSet() override;

  // Moves to the next row; false after the last.
  virtual bool next() { notSupported(); }
  virtual void close() { notSupported(); }
  // Whether close() ran, on this object or through its statement or connection; answers without failing when closed.
  virtual bool isClosed() const { notSupported(); }
  // Whether the last value read was SQL NULL.
  virtual bool wasNull() { notSupported(); }

  virtual std::string getString(int /*column*/) { notSupported(); }
  virtual bool getBoolean(int /*column*/) { notSupported(); }
  virtual std::int8_t getByte(int /*column*/) { notSupported(); }
  virtual std::int16_t getShort(int /*column*/) { notSupported(); }
  virtual std::int32_t getInt(int /*column*/) { notSupported(); }
  virtual std::int64_t getLong(int /*column*/) { notSupported(); }
  virtual float getFloat(int /*column*/) { notSupported(); }
  virtual double getDouble(int /*column*/) { notSupported(); }
  virtual plat::math::Decimal getBigDecimal(int /*column*/, int /*scale*/) { notSupported(); }
  // The value with all its digits, at the scale it has.
  virtual plat::math::Decimal getBigDecimal(int /*column*/) { notSupported(); }
  virtual std::vector<std::uint8_t> getBytes(int /*column*/) { notSupported(); }
  virtual plat::time::Date getDate(int /*column*/) { notSupported(); }
  virtual plat::time::Time getTime(int /*column*/) { notSupported(); }
  virtual plat::time::Timestamp getTimestamp(int /*column*/) { notSupported(); }
  // Streams over the column's value; read them before moving on or reading another column.
  virtual InputStreamRef getAsciiStream(int /*column*/) { notSupported(); }
  virtual InputStreamRef getUnicodeStream(int /*column*/) { notSupported(); }
  virtual InputStreamRef getBinaryStream(int /*column*/) { notSupported(); }
  virtual plat::lang::Value getObject(int /*column*/) { notSupported(); }

  virtual std::string getString(const std::string& name) { return getString(findColumn(name)); }
  virtual bool getBoolean(const std::string& name) { return getBoolean(findColumn(name)); }
  virtual std::int8_t getByte(const std::string& name) { return getByte(findColumn(name)); }
  virtual std::int16_t getShort(const std::string& name) { return getShort(findColumn(name)); }
  virtual std::int32_t getInt(const std::string& name) { return getInt(findColumn(name)); }
  virtual std::int64_t getLong(const std::string& name) { return getLong(findColumn(name)); }
  virtual float getFloat(const std::string& name) { return getFloat(findColumn(name)); }
  virtual double getDouble(const std::string& name) { return getDouble(findColumn(name)); }
  virtual plat::math::Decimal getBigDecimal(const std::string& name, int scale) {
    return getBigDecimal(findColumn(name), scale);
  }
  virtual plat::math::Decimal getBigDecimal(const std::string& name) { return getBigDecimal(findColumn(name)); }
  virtual std::vector<std::uint8_t> getBytes(const std::string& name) { return getBytes(findColumn(name)); }
  virtual plat::time::Date getDate(const std::string& name) { return getDate(findColumn(name)); }
  virtual plat::time::Time getTime(const std::string& name) { return getTime(findColumn(name)); }
  virtual plat::time::Timestamp getTimestamp(const std::string& name) { return getTimestamp(findColumn(name)); }
  virtual InputStreamRef getAsciiStream(const std::string& name) { return getAsciiStream(findColumn(name)); }
  virtual InputStreamRef getUnicodeStream(const std::string& name) { return getUnicodeStream(findColumn(name)); }
  virtual InputStreamRef getBinaryStream(const std::string& name) { return getBinaryStream(findColumn(name)); }
  virtual plat::lang::Value getObject(const std::string& name) { return getObject(findColumn(name)); }

  virtual std::shared_ptr<SQLWarning> getWarnings() { notSupported(); }
  virtual void clearWarnings() { notSupported(); }
  virtual std::string getCursorName() { notSupported(); }
  virtual plat::lang::Ref<ResultSetMetaData> getMetaData() { notSupported(); }
  // The number of the column of that name.
  virtual int findColumn(const std::string& /*name*/) { notSupported(); }
};

}  // namespace plat::sql
