#include "platform/sqlite/SqliteResultSet.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <limits>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteText.h"

namespace plat::sql::sqlite {
namespace {

using plat::lang::Value;

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

[[noreturn]] void outOfRange(const std::string& value, const char* typeName) {
  throw SQLException("Numeric value out of range for type " + std::string(typeName) + ": " + value, "22003");
}

[[noreturn]] void outOfRange(std::int64_t value, const char* typeName) {
  outOfRange(std::to_string(value), typeName);
}

[[noreturn]] void badValue(const char* typeName, const std::string& text) {
  throw SQLException("Bad value for type " + std::string(typeName) + " : " + text, "22018");
}

// Out of line, so the checks that every getter makes stay small enough to inline.
[[noreturn]] void throwClosed() {
  throw SQLException("ResultSet is closed");
}

[[noreturn]] void throwNoRow() {
  throw SQLException("No current row", "24000");
}

// SQLite could not get the memory to convert a value to text or bytes.
[[noreturn]] void throwOutOfMemory() {
  throw SQLException(sqlite3_errstr(SQLITE_NOMEM), "HY000", SQLITE_NOMEM);
}

plat::lang::Ref<plat::io::InputStream> streamOf(std::vector<std::uint8_t> bytes) {
  return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::move(bytes));
}

}  // namespace

SqliteResultSet::SqliteResultSet(std::shared_ptr<SqliteStmt> stmt, bool hasRow, int maxRows,
                                 std::function<void()> onClose)
    : stmt_(std::move(stmt)),
      columns_(describeColumns(*stmt_)),
      onClose_(std::move(onClose)),
      firstRowWaiting_(hasRow),
      maxRows_(maxRows) {
  if (!hasRow) position_ = Position::BeforeFirst;
}

SqliteResultSet::~SqliteResultSet() {
  try {
    close();
  } catch (...) {
  }
}

sqlite3_stmt* SqliteResultSet::open() const {
  if (stmt_ == nullptr) [[unlikely]]
    throwClosed();
  return stmt_->get();
}

bool SqliteResultSet::next() {
  open();
  if (position_ == Position::AfterLast) return false;
  bool hasRow = false;
  if (maxRows_ > 0 && rowsRead_ >= maxRows_) {
    hasRow = false;
  } else if (position_ == Position::BeforeFirst) {
    hasRow = firstRowWaiting_;
  } else {
    // Never step a finished statement again: SQLite would start it over.
    hasRow = stmt_->step();
  }
  position_ = hasRow ? Position::OnRow : Position::AfterLast;
  if (hasRow) ++rowsRead_;
  return hasRow;
}

void SqliteResultSet::close() {
  if (stmt_ == nullptr) return;
  auto stmt = std::move(stmt_);
  stmt_ = nullptr;
  stmt->reset();
  stmt.reset();
  if (auto onClose = std::move(onClose_)) {
    onClose_ = nullptr;
    onClose();
  }
}

bool SqliteResultSet::wasNull() {
  open();
  return wasNull_;
}

sqlite3_stmt* SqliteResultSet::onRow(int column) {
  sqlite3_stmt* stmt = open();
  checkColumnIndex(column, columns_->size());
  if (position_ != Position::OnRow) [[unlikely]]
    throwNoRow();
  return stmt;
}

int SqliteResultSet::cell(int column) {
  int storage = sqlite3_column_type(onRow(column), column - 1);
  wasNull_ = storage == SQLITE_NULL;
  return storage;
}

std::string SqliteResultSet::textAt(int column) {
  sqlite3_stmt* stmt = stmt_->get();
  const auto* text = sqlite3_column_text(stmt, column - 1);
  // Callers read cells that are not NULL, so no text means that the conversion failed.
  if (text == nullptr) [[unlikely]]
    throwOutOfMemory();
  int size = sqlite3_column_bytes(stmt, column - 1);
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

std::int64_t SqliteResultSet::integerAt(int column, std::int64_t min, std::int64_t max, const char* typeName) {
  int storage = cell(column);
  if (storage != SQLITE_INTEGER) [[unlikely]]
    return convertedInteger(column, storage, min, max, typeName);
  std::int64_t value = sqlite3_column_int64(stmt_->get(), column - 1);
  if (value < min || value > max) [[unlikely]]
    outOfRange(value, typeName);
  return value;
}

std::int64_t SqliteResultSet::convertedInteger(int column, int storage, std::int64_t min, std::int64_t max,
                                               const char* typeName) {
  std::int64_t value = 0;
  switch (storage) {
    case SQLITE_NULL:
      return 0;
    case SQLITE_FLOAT: {
      double real = sqlite3_column_double(stmt_->get(), column - 1);
      // Truncation toward zero, as a cast in the runtime; beyond 64 bits it is out of range.
      if (std::isnan(real) || real <= -9.3e18 || real >= 9.3e18 || std::trunc(real) < static_cast<double>(min) ||
          std::trunc(real) > static_cast<double>(max))
        outOfRange(textAt(column), typeName);
      return static_cast<std::int64_t>(real);
    }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
      std::string text = textAt(column);
      std::string trimmedText = text;
      while (!trimmedText.empty() && std::isspace(static_cast<unsigned char>(trimmedText.back())))
        trimmedText.pop_back();
      while (!trimmedText.empty() && std::isspace(static_cast<unsigned char>(trimmedText.front())))
        trimmedText.erase(0, 1);
      try {
        value = plat::lang::Long::parseLong(trimmedText);
      } catch (const plat::lang::NumberFormatException&) {
        try {
          double real = plat::lang::Double::parseDouble(trimmedText);
          if (std::isnan(real) || std::trunc(real) < static_cast<double>(min) ||
              std::trunc(real) > static_cast<double>(max))
            outOfRange(text, typeName);
          return static_cast<std::int64_t>(real);
        } catch (const plat::lang::NumberFormatException&) {
          badValue(typeName, text);
        }
      }
      break;
    }
    default:
      return 0;
  }
  if (value < min || value > max) outOfRange(value, typeName);
  return value;
}

double SqliteResultSet::realAt(int column, const char* typeName) {
  int storage = cell(column);
  switch (storage) {
    case SQLITE_NULL:
      return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return sqlite3_column_double(stmt_->get(), column - 1);
    default:
      return parsedReal(column, storage, typeName);
  }
}

double SqliteResultSet::parsedReal(int column, int storage, const char* typeName) {
  // Text, or the bytes of a long decimal.
  std::string text = textAt(column);
  try {
    return plat::lang::Double::parseDouble(text);
  } catch (const plat::lang::NumberFormatException&) {
    badValue(typeName, storage == SQLITE_BLOB ? "(binary)" : text);
  }
}

std::string SqliteResultSet::getString(int column) {
  sqlite3_stmt* stmt = onRow(column);
  // A value read needs no question about its storage class: only a NULL, or a failed conversion, gives no text. A
  // failed conversion leaves the cell NULL, so the connection's error code tells the two apart.
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column - 1));
  if (text == nullptr) [[unlikely]] {
    if (sqlite3_errcode(sqlite3_db_handle(stmt)) == SQLITE_NOMEM) throwOutOfMemory();
    wasNull_ = true;
    return "";
  }
  wasNull_ = false;
  return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column - 1)));
}

bool SqliteResultSet::getBoolean(int column) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return false;
  if (storage == SQLITE_TEXT) {
    std::string text = lower(textAt(column));
    if (text == "true" || text == "t" || text == "yes" || text == "y") return true;
    if (text == "false" || text == "f" || text == "no" || text == "n" || text.empty()) return false;
  }
  return realAt(column, "boolean") != 0;
}

std::int8_t SqliteResultSet::getByte(int column) {
  return static_cast<std::int8_t>(integerAt(column, INT8_MIN, INT8_MAX, "byte"));
}

std::int16_t SqliteResultSet::getShort(int column) {
  return static_cast<std::int16_t>(integerAt(column, INT16_MIN, INT16_MAX, "short"));
}

std::int32_t SqliteResultSet::getInt(int column) {
  return static_cast<std::int32_t>(integerAt(column, INT32_MIN, INT32_MAX, "int"));
}

std::int64_t SqliteResultSet::getLong(int column) {
  return integerAt(column, INT64_MIN, INT64_MAX, "long");
}

float SqliteResultSet::getFloat(int column) {
  return static_cast<float>(realAt(column, "float"));
}

double SqliteResultSet::getDouble(int column) {
  return realAt(column, "double");
}

plat::math::Decimal SqliteResultSet::getBigDecimal(int column, int scale) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return plat::math::Decimal();
  try {
    // SQLite's text of a real has 15 significant digits; the double's shortest text has all that the real holds.
    // A blob is the text of a decimal too long for SQLite's numbers.
    plat::math::Decimal value = storage == SQLITE_FLOAT
                                    ? plat::math::Decimal::valueOf(sqlite3_column_double(stmt_->get(), column - 1))
                                    : plat::math::Decimal(textAt(column));
    if (scale >= 0) return value.setScale(scale, plat::math::RoundingMode::HALF_UP);
    return value;  // moved out, where a conditional expression would copy the digits
  } catch (const plat::lang::NumberFormatException&) {
    badValue("BigDecimal", storage == SQLITE_BLOB ? "(binary)" : textAt(column));
  }
}

std::vector<std::uint8_t> SqliteResultSet::getBytes(int column) {
  const int storage = cell(column);
  if (storage == SQLITE_NULL) return {};
  sqlite3_stmt* stmt = stmt_->get();
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, column - 1));
  if (data == nullptr) {
    // Empty bytes or text have no address; a number always has digits, so a number without them failed to convert.
    if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) throwOutOfMemory();
    return {};
  }
  int size = sqlite3_column_bytes(stmt, column - 1);
  return std::vector<std::uint8_t>(data, data + size);
}

plat::time::Date SqliteResultSet::getDate(int column) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return plat::time::Date();
  return parseDate(textAt(column));
}

plat::time::Time SqliteResultSet::getTime(int column) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return plat::time::Time();
  return parseTime(textAt(column));
}

plat::time::Timestamp SqliteResultSet::getTimestamp(int column) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return plat::time::Timestamp();
  return parseTimestamp(textAt(column));
}

ResultSet::InputStreamRef SqliteResultSet::getAsciiStream(int column) {
  if (cell(column) == SQLITE_NULL) return nullptr;
  std::string text = textAt(column);
  return streamOf(std::vector<std::uint8_t>(text.begin(), text.end()));
}

ResultSet::InputStreamRef SqliteResultSet::getUnicodeStream(int column) {
  if (cell(column) == SQLITE_NULL) return nullptr;
  return streamOf(utf8ToUtf16be(textAt(column)));
}

ResultSet::InputStreamRef SqliteResultSet::getBinaryStream(int column) {
  auto bytes = getBytes(column);
  if (wasNull_) return nullptr;
  return streamOf(std::move(bytes));
}

Value SqliteResultSet::valueOfStorage(int column, int storage) {
  switch (storage) {
    case SQLITE_INTEGER:
      return Value::ofLong(sqlite3_column_int64(stmt_->get(), column - 1));
    case SQLITE_FLOAT:
      return Value::ofDouble(sqlite3_column_double(stmt_->get(), column - 1));
    case SQLITE_BLOB:
      return Value::ofBytes(getBytes(column));
    case SQLITE_TEXT:
      return Value::ofString(textAt(column));
    default:
      return Value();
  }
}

Value SqliteResultSet::getObject(int column) {
  int storage = cell(column);
  if (storage == SQLITE_NULL) return Value();
  const SqliteColumn& info = (*columns_)[static_cast<std::size_t>(column - 1)];
  if (info.declared.empty()) return valueOfStorage(column, storage);
  bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
  try {
    switch (info.type.jdbcType) {
      case Types::BIT:
        return numeric || storage == SQLITE_TEXT ? Value::ofBoolean(getBoolean(column))
                                                 : valueOfStorage(column, storage);
      case Types::TINYINT:
        return numeric ? Value::ofByte(getByte(column)) : valueOfStorage(column, storage);
      case Types::SMALLINT:
        return numeric ? Value::ofShort(getShort(column)) : valueOfStorage(column, storage);
      case Types::INTEGER: {
        if (!numeric) return valueOfStorage(column, storage);
        // SQLite's INTEGER holds 64 bits; a value beyond int stays whole as a long.
        std::int64_t value = getLong(column);
        if (value >= INT32_MIN && value <= INT32_MAX) return Value::ofInt(static_cast<std::int32_t>(value));
        return Value::ofLong(value);
      }
      case Types::BIGINT:
        return numeric ? Value::ofLong(getLong(column)) : valueOfStorage(column, storage);
      case Types::REAL:
        return numeric ? Value::ofFloat(getFloat(column)) : valueOfStorage(column, storage);
      case Types::FLOAT:
      case Types::DOUBLE:
        return numeric ? Value::ofDouble(getDouble(column)) : valueOfStorage(column, storage);
      case Types::DECIMAL:
      case Types::NUMERIC: {
        plat::math::Decimal value = getBigDecimal(column, -1);
        // A declared scale is restored where SQLite dropped trailing zeros (12.50 kept as the real 12.5).
        if (info.type.precision < kUnboundedSize && value.scale() < info.type.scale)
          value = value.setScale(info.type.scale);
        return Value::ofDecimal(std::move(value));
      }
      case Types::DATE:
        return storage == SQLITE_TEXT ? Value(getDate(column)) : valueOfStorage(column, storage);
      case Types::TIME:
        return storage == SQLITE_TEXT ? Value(getTime(column)) : valueOfStorage(column, storage);
      case Types::TIMESTAMP:
        return storage == SQLITE_TEXT ? Value(getTimestamp(column)) : valueOfStorage(column, storage);
      case Types::BINARY:
      case Types::VARBINARY:
      case Types::LONGVARBINARY:
        return Value::ofBytes(getBytes(column));
      case Types::CHAR:
      case Types::VARCHAR:
      case Types::LONGVARCHAR:
        return Value::ofString(getString(column));
      default:
        return valueOfStorage(column, storage);
    }
  } catch (const SQLException&) {
    // A value SQLite stored against its column's declared type reads as what it is.
    wasNull_ = false;
    return valueOfStorage(column, storage);
  }
}

std::shared_ptr<SQLWarning> SqliteResultSet::getWarnings() {
  open();
  return nullptr;
}

void SqliteResultSet::clearWarnings() {
  open();
}

std::string SqliteResultSet::getCursorName() {
  open();
  return "";
}

plat::lang::Ref<ResultSetMetaData> SqliteResultSet::getMetaData() {
  open();
  if (!metaData_) metaData_ = plat::lang::makeRef<SqliteResultSetMetaData>(columns_);
  return metaData_;
}

int SqliteResultSet::findColumn(const std::string& name) {
  open();
  std::string wanted = lower(name);
  for (std::size_t i = 0; i < columns_->size(); ++i)
    if (lower((*columns_)[i].label) == wanted) return static_cast<int>(i + 1);
  for (std::size_t i = 0; i < columns_->size(); ++i)
    if (lower((*columns_)[i].name) == wanted) return static_cast<int>(i + 1);
  throw SQLException("Column not found: " + name, "42S22");
}

}  // namespace plat::sql::sqlite
