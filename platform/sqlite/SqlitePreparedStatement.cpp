#include "platform/sqlite/SqlitePreparedStatement.h"

#include <sqlite3.h>

#include <cmath>
#include <exception>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteText.h"

namespace plat::sql::sqlite {
namespace {

using plat::lang::Value;

[[noreturn]] void cannotConvert(const Value& value, int targetSqlType) {
  throw SQLException("Cannot convert " + std::string(value.isNull() ? "null" : value.getClassName()) + " to SQL type " +
                         std::to_string(targetSqlType),
                     "22018");
}

std::int64_t checkedRange(std::int64_t value, std::int64_t min, std::int64_t max) {
  if (value < min || value > max) throw SQLException("Numeric value out of range: " + std::to_string(value), "22003");
  return value;
}

// The whole number of a value for an integer target type: numbers must be whole and inside the range, texts must
// read as such, booleans are 1 and 0.
std::int64_t wholeNumberOf(const Value& value, std::int64_t min, std::int64_t max, int targetSqlType) {
  using Kind = Value::Kind;
  switch (value.kind()) {
    case Kind::Boolean:
      return value.getBoolean() ? 1 : 0;
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long:
      return checkedRange(value.longValue(), min, max);
    case Kind::Float:
    case Kind::Double: {
      double d = value.doubleValue();
      if (std::isnan(d) || std::trunc(d) < static_cast<double>(min) || std::trunc(d) > static_cast<double>(max))
        throw SQLException("Numeric value out of range: " + value.toString(), "22003");
      return static_cast<std::int64_t>(d);
    }
    case Kind::Decimal: {
      const auto& d = value.getDecimal();
      auto whole = d.setScale(0, plat::math::RoundingMode::DOWN);
      if (whole.compareTo(plat::math::Decimal::valueOf(min)) < 0 ||
          whole.compareTo(plat::math::Decimal::valueOf(max)) > 0)
        throw SQLException("Numeric value out of range: " + d.toString(), "22003");
      return whole.longValue();
    }
    case Kind::String:
      try {
        return checkedRange(plat::lang::Long::parseLong(value.getString()), min, max);
      } catch (const plat::lang::NumberFormatException&) {
        cannotConvert(value, targetSqlType);
      }
    case Kind::Char:
      return checkedRange(value.getChar(), min, max);
    default:
      cannotConvert(value, targetSqlType);
  }
}

double realOf(const Value& value, int targetSqlType) {
  if (value.isNumber()) return value.doubleValue();
  if (value.is(Value::Kind::Boolean)) return value.getBoolean() ? 1 : 0;
  if (value.is(Value::Kind::String)) {
    try {
      return plat::lang::Double::parseDouble(value.getString());
    } catch (const plat::lang::NumberFormatException&) {
    }
  }
  cannotConvert(value, targetSqlType);
}

plat::math::Decimal decimalOf(const Value& value, int targetSqlType) {
  using Kind = Value::Kind;
  try {
    switch (value.kind()) {
      case Kind::Decimal:
        return value.getDecimal();
      case Kind::Byte:
      case Kind::Short:
      case Kind::Int:
      case Kind::Long:
        return plat::math::Decimal::valueOf(value.longValue());
      case Kind::Float:
      case Kind::Double:
        if (!std::isfinite(value.doubleValue())) cannotConvert(value, targetSqlType);
        return plat::math::Decimal(plat::lang::Double::toString(value.doubleValue()));
      case Kind::Boolean:
        return plat::math::Decimal::valueOf(std::int64_t{value.getBoolean() ? 1 : 0});
      case Kind::String:
        return plat::math::Decimal(value.getString());
      default:
        break;
    }
  } catch (const plat::lang::NumberFormatException&) {
  }
  cannotConvert(value, targetSqlType);
}

}  // namespace

namespace {

// A statement compiled earlier for the same text when the database kept one, else a new compilation.
std::shared_ptr<SqliteStmt> compiled(const std::shared_ptr<SqliteDatabase>& db, const std::string& sql) {
  db->handle();
  if (sqlite3_stmt* kept = db->takeCompiled(sql)) return std::make_shared<SqliteStmt>(db, kept);
  return std::make_shared<SqliteStmt>(db, sql);
}

}  // namespace

SqlitePreparedStatement::SqlitePreparedStatement(std::shared_ptr<SqliteDatabase> db, const std::string& sql)
    : SqliteStatementBase(db), sql_(sql), stmt_(compiled(db, sql)) {
  int count = stmt_->isEmpty() ? 0 : sqlite3_bind_parameter_count(stmt_->get());
  parameters_.resize(static_cast<std::size_t>(count));
}

SqlitePreparedStatement::~SqlitePreparedStatement() {
  try {
    // A result set still held elsewhere keeps its compiled statement; SQLite finalizes it with the result set.
    execution_.release();
    stmt_.reset();
    execution_.databaseUnchecked().forget(this);
  } catch (...) {
  }
}

bool SqlitePreparedStatement::run(SqliteExecution::Expect expect) {
  execution_.checkOpen();
  execution_.closeResult();
  if (!stmt_->isEmpty()) {
    sqlite3_stmt* raw = stmt_->get();
    stmt_->reset();
    sqlite3_clear_bindings(raw);
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
      if (!parameters_[i]) throw SQLException("No value specified for parameter " + std::to_string(i + 1), "07001");
      int at = static_cast<int>(i + 1);
      int rc = std::visit(
          [&](const auto& v) -> int {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
              return sqlite3_bind_null(raw, at);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
              return sqlite3_bind_int64(raw, at, v);
            } else if constexpr (std::is_same_v<T, double>) {
              return sqlite3_bind_double(raw, at, v);
            } else if constexpr (std::is_same_v<T, Text>) {
              return sqlite3_bind_text64(raw, at, v.text.data(), v.text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            } else {
              // A zero-length blob needs a non-null pointer, or SQLite binds NULL.
              static const std::uint8_t kEmpty = 0;
              return sqlite3_bind_blob64(raw, at, v.empty() ? &kEmpty : v.data(), v.size(), SQLITE_TRANSIENT);
            }
          },
          *parameters_[i]);
      if (rc != SQLITE_OK) execution_.database()->raise(rc);
    }
  }
  return execution_.run(stmt_, expect);
}

plat::lang::Ref<ResultSet> SqlitePreparedStatement::executeQuery() {
  run(SqliteExecution::Expect::Rows);
  return execution_.resultSet();
}

int SqlitePreparedStatement::executeUpdate() {
  run(SqliteExecution::Expect::Count);
  return execution_.updateCount();
}

bool SqlitePreparedStatement::execute() {
  return run(SqliteExecution::Expect::Either);
}

plat::lang::Ref<ResultSet> SqlitePreparedStatement::executeQuery(const std::string& /*sql*/) {
  execution_.checkOpen();
  throw SQLException("Cannot run other SQL on a prepared statement");
}

int SqlitePreparedStatement::executeUpdate(const std::string& /*sql*/) {
  execution_.checkOpen();
  throw SQLException("Cannot run other SQL on a prepared statement");
}

bool SqlitePreparedStatement::execute(const std::string& /*sql*/) {
  execution_.checkOpen();
  throw SQLException("Cannot run other SQL on a prepared statement");
}

void SqlitePreparedStatement::clearParameters() {
  execution_.checkOpen();
  for (auto& parameter : parameters_) parameter.reset();
}

void SqlitePreparedStatement::set(int index, Parameter value) {
  execution_.checkOpen();
  if (index < 1 || static_cast<std::size_t>(index) > parameters_.size())
    throw SQLException("Parameter index is out-of-range: " + std::to_string(index), "07009");
  parameters_[static_cast<std::size_t>(index - 1)] = std::move(value);
}

void SqlitePreparedStatement::setNull(int index, int /*sqlType*/) {
  set(index, std::monostate{});
}
void SqlitePreparedStatement::setBoolean(int index, bool value) {
  set(index, std::int64_t{value ? 1 : 0});
}
void SqlitePreparedStatement::setByte(int index, std::int8_t value) {
  set(index, std::int64_t{value});
}
void SqlitePreparedStatement::setShort(int index, std::int16_t value) {
  set(index, std::int64_t{value});
}
void SqlitePreparedStatement::setInt(int index, std::int32_t value) {
  set(index, std::int64_t{value});
}
void SqlitePreparedStatement::setLong(int index, std::int64_t value) {
  set(index, value);
}
void SqlitePreparedStatement::setFloat(int index, float value) {
  set(index, static_cast<double>(value));
}
void SqlitePreparedStatement::setDouble(int index, double value) {
  set(index, value);
}

void SqlitePreparedStatement::setBigDecimal(int index, const plat::math::Decimal& value) {
  // A whole number in 64 bits is an exact integer for SQLite.
  if (value.scale() <= 0 && value.compareTo(plat::math::Decimal::valueOf(INT64_MIN)) >= 0 &&
      value.compareTo(plat::math::Decimal::valueOf(INT64_MAX)) <= 0)
    return set(index, value.setScale(0).longValue());
  std::string text = value.toPlainString();
  if (value.precision() <= kExactRealDigits) return set(index, Text{std::move(text)});
  // A column of numeric affinity would turn longer text into a real and drop digits; the text's bytes stay whole.
  set(index, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void SqlitePreparedStatement::setString(int index, const std::string& value) {
  set(index, Text{value});
}
void SqlitePreparedStatement::setBytes(int index, const std::vector<std::uint8_t>& value) {
  set(index, value);
}
void SqlitePreparedStatement::setDate(int index, const plat::time::Date& value) {
  set(index, Text{value.toString()});
}
void SqlitePreparedStatement::setTime(int index, const plat::time::Time& value) {
  set(index, Text{value.toString()});
}

void SqlitePreparedStatement::setTimestamp(int index, const plat::time::Timestamp& value) {
  set(index, Text{value.toString()});
}

std::vector<std::uint8_t> SqlitePreparedStatement::readStream(const plat::lang::Ref<plat::io::InputStream>& stream,
                                                              int length) {
  execution_.checkOpen();
  if (length < 0) throw SQLException("Negative stream length: " + std::to_string(length), "HY090");
  if (length > kMaxStreamLength) throw SQLException("Stream length too large: " + std::to_string(length), "HY090");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  std::size_t filled = 0;
  try {
    while (filled < bytes.size()) {
      int got = stream->read(bytes.data() + filled, bytes.size() - filled);
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
  } catch (const plat::lang::Exception& e) {
    throw SQLException("Error reading the parameter stream: " + std::string(e.getMessage()));
  }
  if (filled < bytes.size())
    throw SQLException("The stream ended after " + std::to_string(filled) + " of " + std::to_string(length) + " bytes");
  return bytes;
}

void SqlitePreparedStatement::setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                             int length) {
  if (stream == nullptr) return setNull(index, Types::LONGVARCHAR);
  auto bytes = readStream(stream, length);
  set(index, Text{std::string(bytes.begin(), bytes.end())});
}

void SqlitePreparedStatement::setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                               int length) {
  if (stream == nullptr) return setNull(index, Types::LONGVARCHAR);
  set(index, Text{utf16beToUtf8(readStream(stream, length))});
}

void SqlitePreparedStatement::setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                              int length) {
  if (stream == nullptr) return setNull(index, Types::LONGVARBINARY);
  set(index, readStream(stream, length));
}

void SqlitePreparedStatement::setObject(int index, const Value& value, int targetSqlType, int scale) {
  using Kind = Value::Kind;
  if (value.isNull()) return setNull(index, targetSqlType);
  switch (targetSqlType) {
    case Types::BIT:
      if (value.is(Kind::String)) {
        const std::string& text = value.getString();
        if (text == "true" || text == "1") return setBoolean(index, true);
        if (text == "false" || text == "0") return setBoolean(index, false);
        cannotConvert(value, targetSqlType);
      }
      return setBoolean(index, value.is(Kind::Boolean) ? value.getBoolean() : realOf(value, targetSqlType) != 0);
    case Types::TINYINT:
      if (value.is(Kind::Bytes)) {
        if (value.getBytes().empty()) cannotConvert(value, targetSqlType);
        return setByte(index, static_cast<std::int8_t>(value.getBytes()[0]));
      }
      return set(index, wholeNumberOf(value, INT8_MIN, INT8_MAX, targetSqlType));
    case Types::SMALLINT:
      return set(index, wholeNumberOf(value, INT16_MIN, INT16_MAX, targetSqlType));
    case Types::INTEGER:
      return set(index, wholeNumberOf(value, INT32_MIN, INT32_MAX, targetSqlType));
    case Types::BIGINT:
      return set(index, wholeNumberOf(value, INT64_MIN, INT64_MAX, targetSqlType));
    case Types::REAL:
      return setFloat(index, static_cast<float>(realOf(value, targetSqlType)));
    case Types::FLOAT:
    case Types::DOUBLE:
      return setDouble(index, realOf(value, targetSqlType));
    case Types::DECIMAL:
    case Types::NUMERIC: {
      auto decimal = decimalOf(value, targetSqlType);
      return setBigDecimal(index, scale >= 0 ? decimal.setScale(scale, plat::math::RoundingMode::HALF_UP) : decimal);
    }
    case Types::CHAR:
    case Types::VARCHAR:
    case Types::LONGVARCHAR:
      if (value.is(Kind::Bytes) || value.is(Kind::Stream) || value.is(Kind::Object))
        cannotConvert(value, targetSqlType);
      if (value.is(Kind::Decimal)) return setString(index, value.getDecimal().toPlainString());
      return setString(index, value.toString());
    case Types::DATE:
      if (value.is(Kind::Date)) return setDate(index, value.getDate());
      if (value.is(Kind::Timestamp)) return setDate(index, value.getTimestamp().getDate());
      if (value.is(Kind::String)) return setDate(index, parseDate(value.getString()));
      cannotConvert(value, targetSqlType);
    case Types::TIME:
      if (value.is(Kind::Time)) return setTime(index, value.getTime());
      if (value.is(Kind::Timestamp)) return setTime(index, value.getTimestamp().getTime());
      if (value.is(Kind::String)) return setTime(index, parseTime(value.getString()));
      cannotConvert(value, targetSqlType);
    case Types::TIMESTAMP:
      if (value.is(Kind::Timestamp)) return setTimestamp(index, value.getTimestamp());
      if (value.is(Kind::Date)) return setTimestamp(index, plat::time::Timestamp(value.getDate(), plat::time::Time()));
      if (value.is(Kind::String)) return setTimestamp(index, parseTimestamp(value.getString()));
      cannotConvert(value, targetSqlType);
    case Types::BINARY:
    case Types::VARBINARY:
    case Types::LONGVARBINARY:
      if (value.is(Kind::Bytes)) return setBytes(index, value.getBytes());
      if (value.is(Kind::String))
        return setBytes(index, std::vector<std::uint8_t>(value.getString().begin(), value.getString().end()));
      cannotConvert(value, targetSqlType);
    default:
      cannotConvert(value, targetSqlType);
  }
}

void SqlitePreparedStatement::setObject(int index, const Value& value, int targetSqlType) {
  setObject(index, value, targetSqlType, targetSqlType == Types::DECIMAL || targetSqlType == Types::NUMERIC ? -1 : 0);
}

void SqlitePreparedStatement::setObject(int index, const Value& value) {
  using Kind = Value::Kind;
  switch (value.kind()) {
    case Kind::Null:
      return setNull(index, Types::NULL_TYPE);
    case Kind::Boolean:
      return setBoolean(index, value.getBoolean());
    case Kind::Char:
      return setObject(index, value, Types::CHAR);
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long:
      return setLong(index, value.longValue());
    case Kind::Float:
    case Kind::Double:
      return setDouble(index, value.doubleValue());
    case Kind::Decimal:
      return setBigDecimal(index, value.getDecimal());
    case Kind::String:
      return setString(index, value.getString());
    case Kind::Bytes:
      return setBytes(index, value.getBytes());
    case Kind::Date:
      return setDate(index, value.getDate());
    case Kind::Time:
      return setTime(index, value.getTime());
    case Kind::Timestamp:
      return setTimestamp(index, value.getTimestamp());
    case Kind::DateTime:
      return setString(index, value.toString());
    default:
      cannotConvert(value, Types::OTHER);
  }
}

void SqlitePreparedStatement::close() {
  if (execution_.isClosed()) return;
  std::exception_ptr first;
  try {
    execution_.close();
  } catch (...) {
    first = std::current_exception();
  }
  // A compilation no result set still holds goes back to the database for the next statement of the same text.
  if (stmt_.use_count() == 1 && stmt_->isOpen()) {
    stmt_->reset();
    if (sqlite3_stmt* raw = stmt_->release()) {
      sqlite3_clear_bindings(raw);
      execution_.databaseUnchecked().keepCompiled(std::move(sql_), raw);
    }
  } else {
    stmt_->finalize();
  }
  execution_.databaseUnchecked().forget(this);
  if (first) std::rethrow_exception(first);
}

}  // namespace plat::sql::sqlite
