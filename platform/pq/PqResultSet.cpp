#include "platform/pq/PqResultSet.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/pq/PqResultSetMetaData.h"
#include "platform/pq/PqTimes.h"
#include "platform/pq/PqTypes.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace plat::sql::pq {

namespace {

template <class T>
bool parseInteger(const char* text, T& out) {
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, out);
  return ec == std::errc() && ptr == end;
}

// A plain decimal of at most 18 digits ("-1234.50"), as the server writes most numerics, built from a 64-bit
// unscaled value without the general parser; false for any other text, which the general parser then judges.
bool shortDecimal(const char* text, plat::math::Decimal& out) {
  const char* p = text;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  std::int64_t unscaled = 0;
  int digits = 0;
  int fraction = -1;  // digits after the point; -1 before one
  for (; *p != '\0'; ++p) {
    if (*p == '.' && fraction < 0) {
      fraction = 0;
      continue;
    }
    if (*p < '0' || *p > '9' || ++digits > 18) return false;
    unscaled = unscaled * 10 + (*p - '0');
    if (fraction >= 0) ++fraction;
  }
  if (digits == 0) return false;
  out = plat::math::Decimal::valueOf(negative ? -unscaled : unscaled, fraction < 0 ? 0 : fraction);
  return true;
}

// A date's "YYYY-MM-DD" in ASCII digits (what follows is ignored, as by the general path), read without the
// general parser under the same range checks; false for any other text.
bool plainDate(const char* text, plat::time::Date& out) {
  int n[3] = {0, 0, 0};  // year, month, day
  for (int i = 0, field = 0; i < 10; ++i) {
    if (i == 4 || i == 7) {
      if (text[i] != '-') return false;
      ++field;
    } else if (text[i] >= '0' && text[i] <= '9') {
      n[field] = n[field] * 10 + (text[i] - '0');
    } else {
      return false;  // also the end of a shorter text: nothing past it is read
    }
  }
  if (n[1] < 1 || n[1] > 12 || n[2] < 1 || n[2] > 31) return false;
  out = plat::time::Date(n[0], n[1], n[2]);
  return true;
}

}  // namespace

PqResultSet::PqResultSet(std::shared_ptr<PqSession> session, PqResultRef result, int maxRows,
                         std::shared_ptr<PqSession::Cursor> cursor)
    : session_(std::move(session)),
      result_(std::move(result)),
      cursor_(std::move(cursor)),
      rows_(PQntuples(result_.get())),
      columns_(PQnfields(result_.get())),
      maxRows_(maxRows) {}

PqResultSet::~PqResultSet() {
  try {
    close();
  } catch (...) {
  }
}

void PqResultSet::resultSetClosed() {
  throw SQLException("ResultSet is closed", "24000");
}

bool PqResultSet::next() {
  checkOpen();
  if (row_ >= rows_) return false;
  if (maxRows_ > 0 && read_ >= maxRows_) {
    row_ = rows_;
    if (auto cursor = std::move(cursor_)) session_->closeCursor(*cursor);
    return false;
  }
  ++row_;
  while (row_ >= rows_ && cursor_ != nullptr) {
    PqResultRef batch = session_->fetch(*cursor_);
    if (batch == nullptr) {
      cursor_.reset();
      break;
    }
    // The metadata keeps the first batch's column descriptions alive; the rows themselves go.
    result_ = std::move(batch);
    rows_ = PQntuples(result_.get());
    row_ = 0;
  }
  if (row_ >= rows_) {
    row_ = rows_;
    return false;
  }
  ++read_;
  return true;
}

void PqResultSet::close() {
  if (closed_) return;
  closed_ = true;
  result_.reset();
  metaData_.reset();
  if (auto cursor = std::move(cursor_)) {
    if (!session_->isClosed()) session_->closeCursor(*cursor);
  }
}

bool PqResultSet::isClosed() const {
  return closed_ || session_->isClosed();
}

bool PqResultSet::wasNull() {
  checkOpen();
  return wasNull_;
}

const char* PqResultSet::cell(int column) {
  checkOpen();
  if (column < 1 || column > columns_) {
    throw SQLException("Column index out of range: " + std::to_string(column), "22023");
  }
  if (row_ < 0 || row_ >= rows_) throw SQLException("No current row", "24000");
  // libpq gives an SQL NULL as empty text: only an empty value needs asking which it is.
  const char* text = PQgetvalue(result_.get(), row_, column - 1);
  wasNull_ = *text == '\0' && PQgetisnull(result_.get(), row_, column - 1) != 0;
  return wasNull_ ? nullptr : text;
}

void PqResultSet::badValue(const char* type, const char* text) const {
  throw SQLException(std::string("Bad value for type ") + type + " : " + text, "22003");
}

std::string PqResultSet::getString(int column) {
  const char* text = cell(column);
  return text == nullptr ? "" : text;
}

bool PqResultSet::getBoolean(int column) {
  const char* text = cell(column);
  if (text == nullptr) return false;
  std::string value = text;
  if (value == "t" || value == "true" || value == "1") return true;
  if (value == "f" || value == "false" || value == "0") return false;
  badValue("boolean", text);
}

std::int8_t PqResultSet::getByte(int column) {
  const char* text = cell(column);
  std::int8_t value = 0;
  if (text != nullptr && !parseInteger(text, value)) badValue("byte", text);
  return value;
}

std::int16_t PqResultSet::getShort(int column) {
  const char* text = cell(column);
  std::int16_t value = 0;
  if (text != nullptr && !parseInteger(text, value)) badValue("short", text);
  return value;
}

std::int32_t PqResultSet::getInt(int column) {
  const char* text = cell(column);
  std::int32_t value = 0;
  if (text != nullptr && !parseInteger(text, value)) badValue("int", text);
  return value;
}

std::int64_t PqResultSet::getLong(int column) {
  const char* text = cell(column);
  std::int64_t value = 0;
  if (text != nullptr && !parseInteger(text, value)) badValue("long", text);
  return value;
}

float PqResultSet::getFloat(int column) {
  return static_cast<float>(getDouble(column));
}

double PqResultSet::getDouble(int column) {
  const char* text = cell(column);
  if (text == nullptr) return 0;
  const char* last = text + std::strlen(text);
  double value = 0;
  // from_chars reads the server's usual forms exactly as strtod does; what it leaves (a range error, a form it
  // does not know) goes to strtod.
  if (auto [ptr, ec] = std::from_chars(text, last, value); ec == std::errc() && ptr == last) return value;
  char* end = nullptr;
  value = std::strtod(text, &end);
  if (end == text || *end != '\0') badValue("double", text);
  return value;
}

plat::math::Decimal PqResultSet::getBigDecimal(int column, int scale) {
  const char* text = cell(column);
  if (text == nullptr) return plat::math::Decimal();
  try {
    plat::math::Decimal value;
    if (!shortDecimal(text, value)) value = plat::math::Decimal(text);
    if (scale >= 0) return value.setScale(scale, plat::math::RoundingMode::HALF_UP);
    return value;  // moved out, where a conditional expression would copy the digits
  } catch (const plat::lang::NumberFormatException&) {
    badValue("BigDecimal", text);
  }
}

std::vector<std::uint8_t> PqResultSet::getBytes(int column) {
  const char* text = cell(column);
  if (text == nullptr) return {};
  if (PQftype(result_.get(), column - 1) != 17) return {text, text + std::strlen(text)};
  std::size_t length = 0;
  unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &length);
  if (raw == nullptr) badValue("bytea", text);
  std::vector<std::uint8_t> bytes(raw, raw + length);
  PQfreemem(raw);
  return bytes;
}

plat::time::Date PqResultSet::getDate(int column) {
  const char* text = cell(column);
  if (text == nullptr) return plat::time::Date();
  // A date column's plain "YYYY-MM-DD" (nothing after it) reads without the general parser.
  if (plat::time::Date fast; ::strnlen(text, 11) == 10 && plainDate(text, fast)) return fast;
  if (ServerTime parsed; serverTime(text, parsed)) return dateOf(parsed);
  // Texts of other shapes (a text column's) read as the general parser reads their first ten characters.
  try {
    return plat::time::Date::valueOf(std::string(text, ::strnlen(text, 10)));
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("date", text);
  }
}

plat::time::Time PqResultSet::getTime(int column) {
  const char* text = cell(column);
  if (text == nullptr) return plat::time::Time();
  if (ServerTime parsed; serverTime(text, parsed) && parsed.hasTime) return timeOf(parsed);
  std::string value = text;
  std::size_t blank = value.find(' ');
  if (blank != std::string::npos) value = value.substr(blank + 1);
  try {
    return plat::time::Time::valueOf(value.substr(0, 8));
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("time", text);
  }
}

plat::time::Timestamp PqResultSet::getTimestamp(int column) {
  const char* text = cell(column);
  if (text == nullptr) return plat::time::Timestamp();
  if (ServerTime parsed; serverTime(text, parsed) && parsed.hasDate) return timestampOf(parsed);
  std::string value = text;
  if (value.size() == 10) value += " 00:00:00";
  try {
    return plat::time::Timestamp::valueOf(value);
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("timestamp", text);
  }
}

bool PqResultSet::serverTime(const char* text, ServerTime& parsed) const {
  if (!parseServerTime(text, parsed)) {
    // Never the AD date of a BC text the parts could not take.
    if (std::strstr(text, " BC") != nullptr) badValue("date", text);
    return false;
  }
  try {
    timestampOf(parsed);  // within the platform's range
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("date", text);
  }
  return true;
}

ResultSet::InputStreamRef PqResultSet::getAsciiStream(int column) {
  std::string text = getString(column);
  if (wasNull_) return nullptr;
  return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(text.begin(), text.end()));
}

ResultSet::InputStreamRef PqResultSet::getUnicodeStream(int column) {
  return getAsciiStream(column);
}

ResultSet::InputStreamRef PqResultSet::getBinaryStream(int column) {
  std::vector<std::uint8_t> bytes = getBytes(column);
  if (wasNull_) return nullptr;
  return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::move(bytes));
}

plat::lang::Value PqResultSet::getObject(int column) {
  using plat::lang::Value;
  const char* text = cell(column);
  if (text == nullptr) return Value();
  PqColumnType type = columnTypeOf(PQftype(result_.get(), column - 1), PQfmod(result_.get(), column - 1));
  switch (type.jdbcType) {
    case Types::BIT:
      return Value::ofBoolean(getBoolean(column));
    case Types::SMALLINT:
      return Value::ofShort(getShort(column));
    case Types::INTEGER:
      return Value::ofInt(getInt(column));
    case Types::BIGINT:
      return Value::ofLong(getLong(column));
    case Types::REAL:
      return Value::ofFloat(getFloat(column));
    case Types::DOUBLE:
      return Value::ofDouble(getDouble(column));
    case Types::NUMERIC:
      return Value::ofDecimal(getBigDecimal(column, -1));
    case Types::DATE:
      return Value(getDate(column));
    case Types::TIME:
      return Value(getTime(column));
    case Types::TIMESTAMP:
      return Value(getTimestamp(column));
    case Types::LONGVARBINARY:
      return Value::ofBytes(getBytes(column));
    default:
      return Value::ofString(text);
  }
}

std::shared_ptr<SQLWarning> PqResultSet::getWarnings() {
  checkOpen();
  return nullptr;
}

void PqResultSet::clearWarnings() {
  checkOpen();
}

std::string PqResultSet::getCursorName() {
  checkOpen();
  return "";
}

plat::lang::Ref<ResultSetMetaData> PqResultSet::getMetaData() {
  checkOpen();
  // Rows read a column's scale at every decimal; the description does not change, so it is made once.
  if (!metaData_) metaData_ = plat::lang::makeRef<PqResultSetMetaData>(result_);
  return metaData_;
}

int PqResultSet::findColumn(const std::string& name) {
  checkOpen();
  int fields = PQnfields(result_.get());
  for (int i = 0; i < fields; ++i) {
    if (strcasecmp(PQfname(result_.get(), i), name.c_str()) == 0) return i + 1;
  }
  throw SQLException("The column name " + name + " was not found in this ResultSet.", "42703");
}

}  // namespace plat::sql::pq
