// The parameter handling a prepared and a callable statement share: values set by index, each kept as its text
// form and sent apart from the SQL text. Base is the JDBC statement class the driver class implements. Used by one
// thread at a time.
#pragma once

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "platform/pq/PqStatementBase.h"
#include "platform/pq/PqTimes.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/SQLException.h"

namespace plat::sql::pq {

namespace detail {

template <class T>
std::string shortestText(T value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, end);
  if (text == "inf") return "Infinity";
  if (text == "-inf") return "-Infinity";
  if (text == "nan" || text == "-nan") return "NaN";
  return text;
}

std::vector<std::uint8_t> readStream(const plat::lang::Ref<plat::io::InputStream>& stream, int length);

}  // namespace detail

template <class Base>
class PqPreparedBase : public PqStatementBase<Base> {
 public:
  void clearParameters() override {
    this->execution_.checkOpen();
    std::fill(values_.begin(), values_.end(), std::nullopt);
    std::fill(set_.begin(), set_.end(), false);
  }
  void setNull(int index, int) override { set(index, std::nullopt); }
  void setBoolean(int index, bool value) override { set(index, value ? "true" : "false"); }
  void setByte(int index, std::int8_t value) override { set(index, std::to_string(value)); }
  void setShort(int index, std::int16_t value) override { set(index, std::to_string(value)); }
  void setInt(int index, std::int32_t value) override { set(index, std::to_string(value)); }
  void setLong(int index, std::int64_t value) override { set(index, std::to_string(value)); }
  void setFloat(int index, float value) override { set(index, detail::shortestText(value)); }
  void setDouble(int index, double value) override { set(index, detail::shortestText(value)); }
  void setBigDecimal(int index, const plat::math::Decimal& value) override { set(index, value.toPlainString()); }
  void setString(int index, const std::string& value) override {
    // The server refuses a NUL inside text; say so before sending.
    if (value.find('\0') != std::string::npos) {
      throw SQLException("Zero bytes may not occur in string parameters.", "22021");
    }
    set(index, value);
  }
  void setBytes(int index, const std::vector<std::uint8_t>& value) override { set(index, PqSession::byteaText(value)); }
  void setDate(int index, const plat::time::Date& value) override { set(index, serverDate(value)); }
  void setTime(int index, const plat::time::Time& value) override { set(index, value.toString()); }
  void setTimestamp(int index, const plat::time::Timestamp& value) override { set(index, serverTimestamp(value)); }
  void setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    if (stream == nullptr) return set(index, std::nullopt);
    std::vector<std::uint8_t> bytes = detail::readStream(stream, length);
    setString(index, std::string(bytes.begin(), bytes.end()));
  }
  void setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    setAsciiStream(index, stream, length);
  }
  void setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    if (stream == nullptr) return set(index, std::nullopt);
    setBytes(index, detail::readStream(stream, length));
  }
  void setObject(int index, const plat::lang::Value& value, int, int) override { setObject(index, value); }
  void setObject(int index, const plat::lang::Value& value, int) override { setObject(index, value); }
  void setObject(int index, const plat::lang::Value& value) override {
    using Kind = plat::lang::Value::Kind;
    switch (value.kind()) {
      case Kind::Null:
        return set(index, std::nullopt);
      case Kind::Boolean:
        return setBoolean(index, value.getBoolean());
      case Kind::Float:
        return setFloat(index, value.getFloat());
      case Kind::Double:
        return setDouble(index, value.getDouble());
      case Kind::Decimal:
        return setBigDecimal(index, value.getDecimal());
      case Kind::Bytes:
        return setBytes(index, value.getBytes());
      case Kind::String:
        return setString(index, value.getString());
      case Kind::Byte:
      case Kind::Short:
      case Kind::Int:
      case Kind::Long:
        return setLong(index, value.longValue());
      case Kind::Char:
      case Kind::Date:
      case Kind::Time:
      case Kind::Timestamp:
      case Kind::DateTime:
        return set(index, value.toString());
      default:
        throw SQLException("Can't infer the SQL type to use for an instance of " + value.getClassName(), "07006");
    }
  }

  // Statement's text forms are refused on a prepared statement.
  plat::lang::Ref<ResultSet> executeQuery(const std::string&) override { refuseText(); }
  int executeUpdate(const std::string&) override { refuseText(); }
  bool execute(const std::string&) override { refuseText(); }
  using Base::execute;
  using Base::executeQuery;
  using Base::executeUpdate;

 protected:
  PqPreparedBase(std::shared_ptr<PqSession> session, int parameters) : PqStatementBase<Base>(std::move(session)) {
    values_.resize(static_cast<std::size_t>(parameters));
    set_.resize(values_.size(), false);
  }

  void set(int index, std::optional<std::string> text) {
    this->execution_.checkOpen();
    if (index < 1 || index > parameterCount()) {
      throw SQLException("The column index is out of range: " + std::to_string(index) +
                             ", number of columns: " + std::to_string(parameterCount()) + ".",
                         "22023");
    }
    values_[static_cast<std::size_t>(index - 1)] = std::move(text);
    set_[static_cast<std::size_t>(index - 1)] = true;
  }
  int parameterCount() const { return static_cast<int>(values_.size()); }
  bool isSet(int index) const { return set_[static_cast<std::size_t>(index - 1)]; }
  const std::optional<std::string>& valueOf(int index) const { return values_[static_cast<std::size_t>(index - 1)]; }
  // SQLException for a parameter left unset, unless skipped says it needs no value.
  template <class Skip>
  void checkAllSet(Skip skipped) const {
    for (int i = 1; i <= parameterCount(); ++i) {
      if (!isSet(i) && !skipped(i)) {
        throw SQLException("No value specified for parameter " + std::to_string(i) + ".", "07001");
      }
    }
  }
  const std::vector<std::optional<std::string>>& values() const { return values_; }

 private:
  [[noreturn]] static void refuseText() {
    throw SQLException("Can't use query methods that take a query string on a PreparedStatement.", "42809");
  }

  std::vector<std::optional<std::string>> values_;
  std::vector<bool> set_;
};

}  // namespace plat::sql::pq
