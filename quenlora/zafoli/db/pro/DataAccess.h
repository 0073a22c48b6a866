// Typed access to one column of one row, by 1-based number or by name, and the two text conversions of display
// components. Record implements it on itself, RelationView on its current record. Every by-name form resolves the
// name and continues with the number; the text forms are thin overloads of one core call each. Used on the view's
// thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::pro {

class Record;

class DataAccess {
 public:
  using StreamRef = net::Field::StreamRef;
  using Bytes = net::Field::Bytes;

  // Blank-input modes of setValueFromString.
  static constexpr int SETBLANKTODEFAULT = 0;
  static constexpr int SETBLANKTONULL = 1;
  static constexpr int SETBLANKTOEMPTY = 2;
  // 0 means the column's own scale.
  static constexpr int DEFAULT_SCALE = 0;
  static constexpr const char* kNullColumnName = "Invalid parameter: null colName";

  virtual ~DataAccess() = default;

  StreamRef getAsciiStream(int column);
  StreamRef getAsciiStream(const std::string& columnName) { return getAsciiStream(resolve(columnName)); }
  std::optional<plat::math::Decimal> getBigDecimal(int column, int scale);
  std::optional<plat::math::Decimal> getBigDecimal(const std::string& columnName, int scale) {
    return getBigDecimal(resolve(columnName), scale);
  }
  StreamRef getBinaryStream(int column);
  StreamRef getBinaryStream(const std::string& columnName) { return getBinaryStream(resolve(columnName)); }
  bool getBoolean(int column);
  bool getBoolean(const std::string& columnName) { return getBoolean(resolve(columnName)); }
  std::int8_t getByte(int column);
  std::int8_t getByte(const std::string& columnName) { return getByte(resolve(columnName)); }
  Bytes getBytes(int column);
  Bytes getBytes(const std::string& columnName) { return getBytes(resolve(columnName)); }
  std::optional<plat::time::Date> getDate(int column);
  std::optional<plat::time::Date> getDate(const std::string& columnName) { return getDate(resolve(columnName)); }
  double getDouble(int column);
  double getDouble(const std::string& columnName) { return getDouble(resolve(columnName)); }
  float getFloat(int column);
  float getFloat(const std::string& columnName) { return getFloat(resolve(columnName)); }
  std::int32_t getInt(int column);
  std::int32_t getInt(const std::string& columnName) { return getInt(resolve(columnName)); }
  std::int64_t getLong(int column);
  std::int64_t getLong(const std::string& columnName) { return getLong(resolve(columnName)); }
  std::int16_t getShort(int column);
  std::int16_t getShort(const std::string& columnName) { return getShort(resolve(columnName)); }
  std::optional<std::string> getString(int column);
  std::optional<std::string> getString(const std::string& columnName) { return getString(resolve(columnName)); }
  std::optional<plat::time::Time> getTime(int column);
  std::optional<plat::time::Time> getTime(const std::string& columnName) { return getTime(resolve(columnName)); }
  std::optional<plat::time::Timestamp> getTimestamp(int column);
  std::optional<plat::time::Timestamp> getTimestamp(const std::string& columnName) {
    return getTimestamp(resolve(columnName));
  }
  StreamRef getUnicodeStream(int column);
  StreamRef getUnicodeStream(const std::string& columnName) { return getUnicodeStream(resolve(columnName)); }
  bool isNull(int column);
  bool isNull(const std::string& columnName) { return isNull(resolve(columnName)); }
  void setAsciiStream(int column, const StreamRef& stream, int length);
  void setAsciiStream(const std::string& columnName, const StreamRef& stream, int length) {
    setAsciiStream(resolve(columnName), stream, length);
  }
  void setBigDecimal(int column, const std::optional<plat::math::Decimal>& value);
  void setBigDecimal(const std::string& columnName, const std::optional<plat::math::Decimal>& value) {
    setBigDecimal(resolve(columnName), value);
  }
  void setBinaryStream(int column, const StreamRef& stream, int length);
  void setBinaryStream(const std::string& columnName, const StreamRef& stream, int length) {
    setBinaryStream(resolve(columnName), stream, length);
  }
  void setBoolean(int column, bool value);
  void setBoolean(const std::string& columnName, bool value) { setBoolean(resolve(columnName), value); }
  void setByte(int column, std::int8_t value);
  void setByte(const std::string& columnName, std::int8_t value) { setByte(resolve(columnName), value); }
  void setBytes(int column, const Bytes& value);
  void setBytes(const std::string& columnName, const Bytes& value) { setBytes(resolve(columnName), value); }
  void setDate(int column, const plat::time::Date& value);
  void setDate(const std::string& columnName, const plat::time::Date& value) { setDate(resolve(columnName), value); }
  void setDouble(int column, double value);
  void setDouble(const std::string& columnName, double value) { setDouble(resolve(columnName), value); }
  void setFloat(int column, float value);
  void setFloat(const std::string& columnName, float value) { setFloat(resolve(columnName), value); }
  void setInt(int column, std::int32_t value);
  void setInt(const std::string& columnName, std::int32_t value) { setInt(resolve(columnName), value); }
  void setLong(int column, std::int64_t value);
  void setLong(const std::string& columnName, std::int64_t value) { setLong(resolve(columnName), value); }
  void setNull(int column, int sqlType);
  void setNull(const std::string& columnName, int sqlType) { setNull(resolve(columnName), sqlType); }
  void setShort(int column, std::int16_t value);
  void setShort(const std::string& columnName, std::int16_t value) { setShort(resolve(columnName), value); }
  void setString(int column, const std::string& value);
  void setString(const std::string& columnName, const std::string& value) { setString(resolve(columnName), value); }
  void setTime(int column, const plat::time::Time& value);
  void setTime(const std::string& columnName, const plat::time::Time& value) { setTime(resolve(columnName), value); }
  void setTimestamp(int column, const plat::time::Timestamp& value);
  void setTimestamp(const std::string& columnName, const plat::time::Timestamp& value) {
    setTimestamp(resolve(columnName), value);
  }
  void setUnicodeStream(int column, const StreamRef& stream, int length);
  void setUnicodeStream(const std::string& columnName, const StreamRef& stream, int length) {
    setUnicodeStream(resolve(columnName), stream, length);
  }
  std::string getStringValue(int column);
  std::string getStringValue(const std::string& columnName);
  std::string getStringValue(int column, int scale);
  std::string getStringValue(const std::string& columnName, int scale);
  std::string getStringValue(int column, int sqlType, int scale);
  std::string getStringValue(const std::string& columnName, int sqlType, int scale);
  std::string getStringValue(int column, int sqlType, int scale, bool binary);
  std::string getStringValue(const std::string& columnName, int sqlType, int scale, bool binary);
  std::string getStringValue(int column, int scale, bool binary);
  std::string getStringValue(const std::string& columnName, int scale, bool binary);
  std::string getStringValue(int column, bool binary);
  std::string getStringValue(const std::string& columnName, bool binary);
  std::string getStringValue(int column, const std::string& typeName, int scale);
  std::string getStringValue(const std::string& columnName, const std::string& typeName, int scale);
  std::string getStringValue(int column, const std::string& typeName, int scale, bool binary);
  std::string getStringValue(const std::string& columnName, const std::string& typeName, int scale, bool binary);
  void setValueFromString(int column, const std::string& text);
  void setValueFromString(const std::string& columnName, const std::string& text);
  void setValueFromString(int column, const std::string& text, int mode);
  void setValueFromString(const std::string& columnName, const std::string& text, int mode);
  void setValueFromString(int column, const std::string& text, int scale, int mode);
  void setValueFromString(const std::string& columnName, const std::string& text, int scale, int mode);
  void setValueFromString(int column, const std::string& text, int sqlType, int scale, int mode);
  void setValueFromString(const std::string& columnName, const std::string& text, int sqlType, int scale, int mode);
  void setValueFromString(int column, const std::string& text, const std::string& typeName, int scale);
  void setValueFromString(const std::string& columnName, const std::string& text, const std::string& typeName,
                          int scale);
  void setValueFromString(int column, const std::string& text, const std::string& typeName, int scale, int mode);
  void setValueFromString(const std::string& columnName, const std::string& text, const std::string& typeName,
                          int scale, int mode);

 protected:
  DataAccess() = default;
  DataAccess(const DataAccess&) = default;
  DataAccess& operator=(const DataAccess&) = default;

  // The row the operations apply to.
  virtual Record& accessRecord() = 0;
  // The number of a column name; "Column not found." when unknown.
  virtual int columnNumber(const std::string& name) = 0;

 private:
  struct TextOptions {
    std::optional<int> sqlType;  // absent: the column's type
    int scale = DEFAULT_SCALE;
    bool binary = false;
  };
  struct ParseOptions {
    std::optional<int> sqlType;  // absent: the column's type
    int scale = DEFAULT_SCALE;
    int mode = SETBLANKTODEFAULT;
  };

  // An empty name stands for an absent one.
  int resolve(const std::string& name);
  std::string stringValue(int column, const TextOptions& options);
  void valueFromString(int column, const std::string& text, const ParseOptions& options);
};

}  // namespace quenlora::zafoli::db::pro
