#include "testkit/middleware/sql/SqlWire.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/lang/Double.h"
#include "platform/math/Decimal.h"
#include "platform/sql/Types.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "testkit/middleware/BigEndian.h"
#include "testkit/middleware/ServerObject.h"

namespace testkit::middleware::sql {
namespace {

using plat::lang::Value;
using plat::sql::Types;

using bigendian::put16;
using bigendian::put32;
using bigendian::put8;
using bigendian::putLow;
using bigendian::u16;
using bigendian::u32;
using bigendian::u64;
using bigendian::u8;

Encoded dataOf(const Bytes& b) {
  return MwEncode::data(b);
}

// Kinds of the typed values.
constexpr int kChar = 69, kBinary = 70, kVarBinary = 71, kLongVarBinary = 72, kVarChar = 73, kLongVarChar = 74,
              kDate = 75, kTime = 76, kTimestamp = 77, kBigInt = 78, kDouble = 80, kFloat = 81, kInteger = 82,
              kBigDecimal = 83, kReal = 84, kSmallInt = 85, kTinyInt = 86, kBit = 87;

int sqlTypeOfKind(int kind) {
  switch (kind) {
    case kChar:
      return Types::CHAR;
    case kBinary:
      return Types::BINARY;
    case kVarBinary:
      return Types::VARBINARY;
    case kLongVarBinary:
      return Types::LONGVARBINARY;
    case kLongVarChar:
      return Types::LONGVARCHAR;
    case kDate:
      return Types::DATE;
    case kTime:
      return Types::TIME;
    case kTimestamp:
      return Types::TIMESTAMP;
    case kBigInt:
      return Types::BIGINT;
    case kDouble:
      return Types::DOUBLE;
    case kFloat:
      return Types::FLOAT;
    case kInteger:
      return Types::INTEGER;
    case kBigDecimal:
      return Types::NUMERIC;
    case kReal:
      return Types::REAL;
    case kSmallInt:
      return Types::SMALLINT;
    case kTinyInt:
      return Types::TINYINT;
    case kBit:
      return Types::BIT;
    default:
      return Types::VARCHAR;
  }
}

// A typed value's header: kind, length 4, id, type word, null flag.
constexpr std::size_t kHeaderSize = 7;

std::uint8_t* putHeader(std::uint8_t* p, int kind, int id, bool isNull) {
  p = put8(p, kind);
  p = put16(p, 4);
  p = put8(p, id);
  p = put16(p, sqlTypeOfKind(kind) & 0xFFFF);
  return put8(p, isNull ? 1 : 0);
}

void header(ByteWriter& b, int kind, int id, bool isNull) {
  putHeader(b.room(kHeaderSize), kind, id, isNull);
}

// The header and a data object (51) of width bytes, the low bytes of v, big-endian.
void fixedField(ByteWriter& b, int kind, int id, int width, std::uint64_t v) {
  std::uint8_t* p = putHeader(b.room(kHeaderSize + 3 + width), kind, id, false);
  p = put8(p, 51);
  p = put16(p, width);
  putLow(p, width, v);
}

bool isWholeKind(int kind) {
  return kind == kTinyInt || kind == kSmallInt || kind == kInteger || kind == kBigInt;
}

// A value of an integer kind: as many low bytes of v as the kind carries.
void wholeField(ByteWriter& b, int kind, int id, std::int64_t v) {
  const int width = kind == kTinyInt ? 1 : kind == kSmallInt ? 2 : kind == kInteger ? 4 : 8;
  fixedField(b, kind, id, width, static_cast<std::uint64_t>(v));
}

// The header, then the text behind its 16-bit length, itself behind a string object's kind (52) when
// stringObject. The text is as it goes on the wire.
void headedText(ByteWriter& b, int kind, int id, bool stringObject, std::string_view wire) {
  const std::size_t lead = kHeaderSize + (stringObject ? 3 : 2);
  std::uint8_t* p = putHeader(b.room(lead + wire.size()), kind, id, false);
  if (stringObject) p = put8(p, 52);
  p = put16(p, static_cast<int>(wire.size()));
  const auto* text = reinterpret_cast<const std::uint8_t*>(wire.data());
  std::copy(text, text + wire.size(), p);
}

// Whether every byte is below 0x80, eight bytes at a time: every text of every row is checked.
bool isAscii(std::string_view s) {
  std::uint64_t seen = 0;
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    seen |= word;
  }
  for (; i < s.size(); ++i) seen |= static_cast<unsigned char>(s[i]);
  return (seen & 0x8080808080808080ULL) == 0;
}

// A text value in 8-bit form. Plain ASCII (nearly every value) is its own wire text: it goes straight in, without a
// converted copy.
void textField(ByteWriter& b, int kind, int id, std::string_view utf8) {
  const bool ascii = isAscii(utf8);
  const std::string converted = ascii ? std::string() : toWireText(utf8);
  const std::string_view wire = ascii ? utf8 : std::string_view(converted);
  if (wire.size() > kMaxInlineValue) {
    throw ServerFailure(4, kCategoryInvalidArg, "Value of " + std::to_string(wire.size()) + " bytes is too long");
  }
  headedText(b, kind, id, false, wire);
}

// Whether the value can be carried by the kind without going through text.
bool fits(const Value& v, int kind) {
  switch (kind) {
    case kBit:
      return v.is(Value::Kind::Boolean) || v.isNumber();
    case kTinyInt:
    case kSmallInt:
    case kInteger:
    case kBigInt:
    case kReal:
    case kFloat:
    case kDouble:
    case kBigDecimal:
      return v.isNumber() || v.is(Value::Kind::Boolean);
    case kBinary:
    case kVarBinary:
      return v.is(Value::Kind::Bytes);
    case kDate:
      return v.is(Value::Kind::Date) || v.is(Value::Kind::Timestamp);
    case kTime:
      return v.is(Value::Kind::Time) || v.is(Value::Kind::Timestamp);
    case kTimestamp:
      return v.is(Value::Kind::Timestamp) || v.is(Value::Kind::Date);
    default:
      return true;
  }
}

double numberOf(const Value& v) {
  return v.is(Value::Kind::Boolean) ? (v.getBoolean() ? 1.0 : 0.0) : v.doubleValue();
}
std::int64_t wholeOf(const Value& v) {
  return v.is(Value::Kind::Boolean) ? (v.getBoolean() ? 1 : 0) : v.longValue();
}

std::string decimalTextOf(const Value& v) {
  if (v.is(Value::Kind::Decimal)) return v.getDecimal().toString();
  if (v.is(Value::Kind::Boolean)) return v.getBoolean() ? "1" : "0";
  if (v.is(Value::Kind::Float) || v.is(Value::Kind::Double)) return plat::lang::Double::toString(v.doubleValue());
  return std::to_string(v.longValue());
}

// One code point of UTF-8 at i, moving i past it; U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
  const auto c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (more < 0) return 0xFFFD;
  char32_t cp = c & (0x3F >> more);
  for (; more > 0; --more) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return cp;
}

}  // namespace

std::string toWireText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = nextCodePoint(utf8, i);
    out.push_back(cp <= 0xFF ? static_cast<char>(cp) : '?');
  }
  return out;
}

std::string fromWireText(std::string_view wire) {
  std::string out;
  out.reserve(wire.size());
  for (char ch : wire) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(ch);
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

ByteWriter::ByteWriter(Bytes& out, std::size_t ahead) : out_(out), written_(out.size()) {
  out_.resize(written_ + ahead);
}

void ByteWriter::grow(std::size_t n) {
  out_.resize(written_ + n);
}

Encoded SqlEncode::boolean(bool v) {
  return dataOf({static_cast<std::uint8_t>(v ? 1 : 0)});
}
Encoded SqlEncode::int8(std::int8_t v) {
  return dataOf({static_cast<std::uint8_t>(v)});
}
Encoded SqlEncode::int16(std::int16_t v) {
  Bytes b;
  u16(b, v);
  return dataOf(b);
}
Encoded SqlEncode::float32(float v) {
  Bytes b;
  u32(b, std::bit_cast<std::uint32_t>(v));
  return dataOf(b);
}
Encoded SqlEncode::float64(double v) {
  Bytes b;
  u64(b, std::bit_cast<std::uint64_t>(v));
  return dataOf(b);
}
Encoded SqlEncode::text(std::string_view utf8) {
  const std::string wire = toWireText(utf8);
  // The length field is 16 bits and read signed: a longer text would come out as garbage.
  if (wire.size() > kMaxInlineValue) {
    throw ServerFailure(4, kCategoryInvalidArg, "Text of " + std::to_string(wire.size()) + " bytes is too long");
  }
  return MwEncode::string(wire);
}

int SqlEncode::kindOf(int sqlType) {
  switch (sqlType) {
    case Types::BIT:
    case 16:  // BOOLEAN
      return kBit;
    case Types::TINYINT:
      return kTinyInt;
    case Types::SMALLINT:
      return kSmallInt;
    case Types::INTEGER:
      return kInteger;
    case Types::BIGINT:
      return kBigInt;
    case Types::REAL:
      return kReal;
    case Types::FLOAT:
      return kFloat;
    case Types::DOUBLE:
      return kDouble;
    case Types::NUMERIC:
    case Types::DECIMAL:
      return kBigDecimal;
    case Types::CHAR:
      return kChar;
    case Types::LONGVARCHAR:
      return kLongVarChar;
    case Types::BINARY:
      return kBinary;
    case Types::VARBINARY:
      return kVarBinary;
    case Types::LONGVARBINARY:
      return kLongVarBinary;
    case Types::DATE:
      return kDate;
    case Types::TIME:
      return kTime;
    case Types::TIMESTAMP:
      return kTimestamp;
    default:
      return kVarChar;
  }
}

int SqlEncode::typeOf(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::Boolean:
      return Types::BIT;
    case Value::Kind::Byte:
      return Types::TINYINT;
    case Value::Kind::Short:
      return Types::SMALLINT;
    case Value::Kind::Int:
      return Types::INTEGER;
    case Value::Kind::Long:
      return Types::BIGINT;
    case Value::Kind::Float:
      return Types::REAL;
    case Value::Kind::Double:
      return Types::DOUBLE;
    case Value::Kind::Decimal:
      return Types::NUMERIC;
    case Value::Kind::Bytes:
      return Types::VARBINARY;
    case Value::Kind::Date:
      return Types::DATE;
    case Value::Kind::Time:
      return Types::TIME;
    case Value::Kind::Timestamp:
      return Types::TIMESTAMP;
    default:
      return Types::VARCHAR;
  }
}

bool SqlEncode::isLong(int sqlType) {
  const int kind = kindOf(sqlType);
  return kind == kLongVarChar || kind == kLongVarBinary;
}

Encoded SqlEncode::field(const Value& value, int sqlType, int id) {
  Encoded e;
  {
    ByteWriter out(e.bytes);
    appendField(out, value, sqlType, id);
  }
  return e;
}

void SqlEncode::appendField(ByteWriter& b, const Value& value, int sqlType, int id) {
  if (value.isNull()) return appendNullField(b, sqlType, id);
  int kind = kindOf(sqlType);
  if (!fits(value, kind)) kind = kVarChar;
  switch (kind) {
    case kBit:
      fixedField(b, kind, id, 1, value.is(Value::Kind::Boolean) ? value.getBoolean() : numberOf(value) != 0);
      break;
    case kTinyInt:
    case kSmallInt:
    case kInteger:
    case kBigInt:
      wholeField(b, kind, id, wholeOf(value));
      break;
    case kReal:
    case kFloat:
      fixedField(b, kind, id, 4, std::bit_cast<std::uint32_t>(static_cast<float>(numberOf(value))));
      break;
    case kDouble:
    case kBigDecimal:
      headedText(b, kind, id, true, decimalTextOf(value));
      break;
    case kLongVarChar:
    case kLongVarBinary:
      header(b, kind, id, false);
      break;
    case kBinary:
    case kVarBinary: {
      const Bytes& bytes = value.getBytes();
      if (bytes.size() > kMaxInlineValue) {
        throw ServerFailure(4, kCategoryInvalidArg, "Value of " + std::to_string(bytes.size()) + " bytes is too long");
      }
      std::uint8_t* p = putHeader(b.room(kHeaderSize + 3 + bytes.size()), kind, id, false);
      p = put8(p, 51);
      p = put16(p, static_cast<int>(bytes.size()));
      std::copy(bytes.begin(), bytes.end(), p);
      break;
    }
    case kDate: {
      const plat::time::Date d = value.is(Value::Kind::Date) ? value.getDate() : value.getTimestamp().getDate();
      std::uint8_t* p = putHeader(b.room(kHeaderSize + 6), kind, id, false);
      p = put16(p, d.getYear());
      p = put16(p, d.getMonth());
      put16(p, d.getDay());
      break;
    }
    case kTime: {
      const plat::time::Time t = value.is(Value::Kind::Time) ? value.getTime() : value.getTimestamp().getTime();
      std::uint8_t* p = putHeader(b.room(kHeaderSize + 6), kind, id, false);
      p = put16(p, t.getHours());
      p = put16(p, t.getMinutes());
      put16(p, t.getSeconds());
      break;
    }
    case kTimestamp: {
      plat::time::Timestamp ts =
          value.is(Value::Kind::Timestamp) ? value.getTimestamp() : plat::time::Timestamp(value.getDate(), {}, 0);
      int millis = (ts.getNanos() + 500000) / 1000000;
      if (millis >= 1000) {
        // Rounding up to a whole second carries through the calendar.
        ts = plat::time::Timestamp::fromEpochSecond(ts.toEpochSecond() + 1, 0);
        millis = 0;
      }
      std::uint8_t* p = putHeader(b.room(kHeaderSize + 14), kind, id, false);
      for (int part : {ts.getYear(), ts.getMonth(), ts.getDay(), ts.getHours(), ts.getMinutes(), ts.getSeconds()}) {
        p = put16(p, part);
      }
      put16(p, millis);
      break;
    }
    default:
      // Two calls, not one with a choice of argument: the choice would copy the stored text.
      if (value.is(Value::Kind::String)) {
        textField(b, kind, id, value.getString());
      } else {
        textField(b, kind, id, value.toString());
      }
      break;
  }
}

void SqlEncode::appendNullField(ByteWriter& b, int sqlType, int id) {
  header(b, kindOf(sqlType), id, true);
}

void SqlEncode::appendWholeField(ByteWriter& b, std::int64_t v, int sqlType, int id) {
  const int kind = kindOf(sqlType);
  if (!isWholeKind(kind)) return appendField(b, Value::ofLong(v), sqlType, id);
  wholeField(b, kind, id, v);
}

void SqlEncode::appendDoubleField(ByteWriter& b, double v, int sqlType, int id) {
  const int kind = kindOf(sqlType);
  if (kind != kDouble) return appendField(b, Value::ofDouble(v), sqlType, id);
  headedText(b, kind, id, true, plat::lang::Double::toString(v));
}

void SqlEncode::appendTextField(ByteWriter& b, std::string_view utf8, int sqlType, int id) {
  const int kind = kindOf(sqlType);
  if (kind != kChar && kind != kVarChar) return appendField(b, Value::ofString(std::string(utf8)), sqlType, id);
  textField(b, kind, id, utf8);
}

void SqlEncode::appendRowHeader(ByteWriter& b, std::int32_t rowNumber, int count, int state) {
  std::uint8_t* p = put8(b.room(10), 59);
  p = put16(p, 7);
  p = put8(p, state);
  p = put32(p, static_cast<std::uint32_t>(rowNumber));
  put16(p, count);
}

Encoded SqlEncode::row(std::int32_t rowNumber, const std::vector<Encoded>& values, int state) {
  Encoded e;
  {
    ByteWriter out(e.bytes);
    appendRowHeader(out, rowNumber, static_cast<int>(values.size()), state);
  }
  for (const auto& v : values) MwEncode::append(e.bytes, v);
  return e;
}

Encoded SqlEncode::endRow() {
  return row(0, {}, kRowInvalid);
}

Encoded SqlEncode::entity(const std::vector<ColumnInfo>& columns) {
  Encoded e;
  Bytes& b = e.bytes;
  u8(b, 64);
  u16(b, 2);
  u16(b, static_cast<int>(columns.size()));
  if (columns.empty()) return e;
  std::vector<Encoded> attributes;
  for (const ColumnInfo& c : columns) {
    const std::vector<Encoded> values{boolean(c.autoIncrement),
                                      boolean(c.caseSensitive),
                                      boolean(c.searchable),
                                      boolean(c.currency),
                                      int16(static_cast<std::int16_t>(c.nullable)),
                                      boolean(c.isSigned),
                                      MwEncode::dataInt(c.displaySize),
                                      text(c.label),
                                      text(c.name),
                                      text(c.schema),
                                      MwEncode::dataInt(c.precision),
                                      MwEncode::dataInt(c.scale),
                                      text(c.table),
                                      text(c.catalog),
                                      int16(static_cast<std::int16_t>(c.sqlType)),
                                      text(c.typeName),
                                      boolean(c.readOnly),
                                      boolean(c.writable),
                                      boolean(c.definitelyWritable)};
    Encoded a;
    u8(a.bytes, 62);
    u16(a.bytes, 0);
    MwEncode::append(a.bytes, MwEncode::list(values));
    attributes.push_back(std::move(a));
  }
  MwEncode::append(b, MwEncode::list(attributes));
  return e;
}

Encoded SqlEncode::warning(std::string_view message, std::string_view state, std::int32_t code) {
  Encoded e;
  Bytes& b = e.bytes;
  u8(b, 88);
  u16(b, 0);
  for (char c : std::string_view("WRN}")) u8(b, c);
  MwEncode::append(b, text(message));
  MwEncode::append(b, text(state));
  MwEncode::append(b, MwEncode::dataInt(code));
  MwEncode::append(b, MwEncode::eot());
  return e;
}

const Arg& ArgReader::at(std::size_t i) const {
  if (i >= args_.size()) fail(i, "missing");
  return args_[i];
}

const Bytes& ArgReader::data(std::size_t i) const {
  const Arg& a = at(i);
  if (a.kind != 57 || a.values.empty()) fail(i, "is not a typed value");
  return a.values[0];
}

void ArgReader::fail(std::size_t i, const std::string& why) const {
  const std::string call = className_ != nullptr ? className_ + ("." + std::to_string(method_)) : call_;
  throw ServerFailure(5, kCategoryInvalidArg, call + ": argument " + std::to_string(i + 1) + " " + why);
}

std::int64_t ArgReader::integer(std::size_t i) const {
  const Bytes& d = data(i);
  if (d.size() != 1 && d.size() != 2 && d.size() != 4 && d.size() != 8) fail(i, "is not an integer");
  std::uint64_t v = 0;
  for (std::uint8_t x : d) v = (v << 8) | x;
  const unsigned shift = 64 - 8 * static_cast<unsigned>(d.size());
  // Sign extension of the received width.
  return shift == 0 ? static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v << shift) >> shift;
}

std::int32_t ArgReader::int32(std::size_t i) const {
  return static_cast<std::int32_t>(integer(i));
}

bool ArgReader::boolean(std::size_t i) const {
  const Bytes& d = data(i);
  if (d.empty()) fail(i, "is not a boolean");
  return d[0] != 0;
}

float ArgReader::float32(std::size_t i) const {
  const Bytes& d = data(i);
  if (d.size() == 8) return static_cast<float>(float64(i));
  if (d.size() != 4) fail(i, "is not a float");
  return std::bit_cast<float>(static_cast<std::uint32_t>(integer(i)));
}

double ArgReader::float64(std::size_t i) const {
  const Bytes& d = data(i);
  if (d.size() == 4) return float32(i);
  if (d.size() != 8) fail(i, "is not a double");
  return std::bit_cast<double>(static_cast<std::uint64_t>(integer(i)));
}

std::string ArgReader::text(std::size_t i) const {
  const Arg& a = at(i);
  if (a.kind == 58) return fromWireText(a.text);
  const Bytes& d = data(i);
  return fromWireText(std::string(d.begin(), d.end()));
}

Bytes ArgReader::bytes(std::size_t i) const {
  const Arg& a = at(i);
  if (a.kind == 58) return Bytes(a.text.begin(), a.text.end());
  return data(i);
}

std::vector<std::string> ArgReader::textsFrom(std::size_t i) const {
  std::vector<std::string> out;
  for (; i < args_.size(); ++i) out.push_back(text(i));
  return out;
}

}  // namespace testkit::middleware::sql
