#include "quenlora/zafoli/db/beans/jdbc/PreparedStatementHelper.h"

#include <initializer_list>
#include <optional>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/text/ParseException.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/jdbc/IntegerRange.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;
using plat::sql::PreparedStatement;
using plat::sql::SQLException;
using plat::sql::Types;
using Kind = Value::Kind;

namespace {

void require(int type, std::initializer_list<int> family, const Value& value) {
  bool member = false;
  for (int t : family) member = member || t == type;
  if (!member) throw plat::lang::IllegalArgumentException("Unexpected data type: " + std::to_string(type));
  if (value.isNull()) throw plat::lang::IllegalArgumentException("The value is null");
}

// A number value for the type: numbers as they are, text through the locale-aware parser.
Value number(const Value& value, int type) {
  if (!value.is(Kind::String)) return value;
  try {
    return util::LocalizedValueGenerator::parseNumberValue(value.getString(), type);
  } catch (const plat::text::ParseException& e) {
    throw SQLException(e.getMessage());
  }
}

// A number that does not fit the integer type is refused, never bound wrapped.
const Value& fitting(const Value& value, int type) {
  if (!fitsIntegerType(value, type)) throw SQLException(util::LocalizedValueGenerator::parseExceptionMessage());
  return value;
}

// Binds through the typed setter; a driver that refuses it gets the value's text.
template <class Bind>
void typedOrText(PreparedStatement& statement, int index, const Value& bound, Bind bind) {
  try {
    bind();
  } catch (const SQLException&) {
    statement.setString(index, bound.toString());
  }
}

std::optional<plat::time::DateTime> instantOf(const Value& value, int type) {
  switch (value.kind()) {
    case Kind::Date:
      return plat::time::DateTime::fromDate(value.getDate());
    case Kind::Time:
      return plat::time::DateTime::fromTime(value.getTime());
    case Kind::Timestamp:
      return plat::time::DateTime::fromTimestamp(value.getTimestamp());
    case Kind::DateTime:
      return value.getDateTime();
    default:
      try {
        return util::LocalizedValueGenerator::parseDateValue(value.getString(), type);
      } catch (const plat::text::ParseException& e) {
        throw SQLException(e.getMessage());
      }
  }
}

bool isDateValue(const Value& value) {
  return value.is(Kind::Date) || value.is(Kind::Time) || value.is(Kind::Timestamp) || value.is(Kind::DateTime) ||
         value.is(Kind::String);
}

plat::lang::Ref<plat::io::InputStream> streamOf(const Value& value) {
  if (value.is(Kind::Bytes)) return plat::lang::makeRef<plat::io::ByteArrayInputStream>(value.getBytes());
  const std::string& text = value.getString();
  return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(text.begin(), text.end()));
}

int lengthOf(plat::io::InputStream& stream) {
  try {
    return stream.available();
  } catch (const plat::io::IOException& e) {
    throw SQLException(e.getMessage());
  }
}

}  // namespace

void PreparedStatementHelper::setInParameter(PreparedStatement& statement, int index, int type, const Value& value) {
  setInParameter(statement, index, type, value, 0);
}

void PreparedStatementHelper::setInParameter(PreparedStatement& statement, int index, int type, const Value& value,
                                             int /*scale*/) {
  if (value.isNull()) {
    statement.setNull(index, type);
    return;
  }
  switch (type) {
    case Types::BIT:
      return setBoolean(statement, index, type, value);
    case Types::TINYINT:
    case Types::SMALLINT:
      return setShort(statement, index, type, value);
    case Types::INTEGER:
      return setInt(statement, index, type, value);
    case Types::BIGINT:
      return setLong(statement, index, type, value);
    case Types::REAL:
      return setFloat(statement, index, type, value);
    case Types::FLOAT:
    case Types::DOUBLE:
      return setDouble(statement, index, type, value);
    case Types::NUMERIC:
    case Types::DECIMAL:
      return setBigDecimal(statement, index, type, value);
    case Types::CHAR:
    case Types::VARCHAR:
      if (value.is(Kind::String)) return statement.setString(index, value.getString());
      return statement.setObject(index, value, type);
    case Types::LONGVARCHAR:
      return setAsciiStream(statement, index, type, value);
    case Types::DATE:
      return setDate(statement, index, type, value);
    case Types::TIME:
      return setTime(statement, index, type, value);
    case Types::TIMESTAMP:
      return setTimestamp(statement, index, type, value);
    case Types::BINARY:
    case Types::VARBINARY:
      return setBytes(statement, index, type, value);
    case Types::LONGVARBINARY:
      return setBinaryStream(statement, index, type, value);
    case Types::NULL_TYPE:
      return statement.setNull(index, type);
    default:
      return statement.setObject(index, value);
  }
}

void PreparedStatementHelper::setBoolean(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::BIT}, value);
  if (value.is(Kind::Boolean)) return statement.setBoolean(index, value.getBoolean());
  if (value.is(Kind::String)) {
    const std::string& t = value.getString();
    const bool on =
        t.size() == 4 && (t[0] | 0x20) == 't' && (t[1] | 0x20) == 'r' && (t[2] | 0x20) == 'u' && (t[3] | 0x20) == 'e';
    return statement.setBoolean(index, on);
  }
  statement.setObject(index, value, type);
}

void PreparedStatementHelper::setShort(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::TINYINT, Types::SMALLINT}, value);
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  const Value bound = Value::ofShort(fitting(n, type).shortValue());
  typedOrText(statement, index, bound, [&] { statement.setShort(index, bound.getShort()); });
}

void PreparedStatementHelper::setInt(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::INTEGER}, value);
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  const Value bound = Value::ofInt(fitting(n, type).intValue());
  typedOrText(statement, index, bound, [&] { statement.setInt(index, bound.getInt()); });
}

void PreparedStatementHelper::setLong(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::BIGINT}, value);
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  const Value bound = Value::ofLong(fitting(n, type).longValue());
  typedOrText(statement, index, bound, [&] { statement.setLong(index, bound.getLong()); });
}

void PreparedStatementHelper::setFloat(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::REAL}, value);
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  const Value bound = Value::ofFloat(n.floatValue());
  typedOrText(statement, index, bound, [&] { statement.setFloat(index, bound.getFloat()); });
}

void PreparedStatementHelper::setDouble(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::FLOAT, Types::DOUBLE}, value);
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  const Value bound = Value::ofDouble(n.doubleValue());
  typedOrText(statement, index, bound, [&] { statement.setDouble(index, bound.getDouble()); });
}

void PreparedStatementHelper::setBigDecimal(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::NUMERIC, Types::DECIMAL}, value);
  // A decimal is bound as it is, without the copies the other kinds need.
  if (value.is(Kind::Decimal)) {
    return typedOrText(statement, index, value, [&] { statement.setBigDecimal(index, value.getDecimal()); });
  }
  const Value n = number(value, type);
  if (!n.isNumber()) return statement.setObject(index, n, type);
  Value bound = n;
  if (!n.is(Kind::Decimal)) {
    try {
      bound = Value(plat::math::Decimal(n.toString()));
    } catch (const plat::lang::NumberFormatException& e) {
      throw SQLException(e.getMessage());
    }
  }
  typedOrText(statement, index, bound, [&] { statement.setBigDecimal(index, bound.getDecimal()); });
}

void PreparedStatementHelper::setAsciiStream(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::LONGVARCHAR}, value);
  if (value.is(Kind::Stream)) {
    auto stream = value.getStream();
    return statement.setAsciiStream(index, stream, lengthOf(*stream));
  }
  if (!value.is(Kind::String)) return statement.setObject(index, value, type);
  auto stream = streamOf(value);
  try {
    statement.setAsciiStream(index, stream, lengthOf(*stream));
  } catch (const SQLException&) {
    statement.setString(index, value.getString());
  }
}

void PreparedStatementHelper::setDate(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::DATE}, value);
  if (value.is(Kind::Date)) return statement.setDate(index, value.getDate());
  if (!isDateValue(value)) return statement.setObject(index, value, type);
  auto instant = instantOf(value, type);
  if (!instant) return statement.setNull(index, type);
  statement.setDate(index, instant->toDate());
}

void PreparedStatementHelper::setTime(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::TIME}, value);
  if (value.is(Kind::Time)) return statement.setTime(index, value.getTime());
  if (!isDateValue(value)) return statement.setObject(index, value, type);
  auto instant = instantOf(value, type);
  if (!instant) return statement.setNull(index, type);
  statement.setTime(index, instant->toTime());
}

void PreparedStatementHelper::setTimestamp(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::TIMESTAMP}, value);
  if (value.is(Kind::Timestamp)) return statement.setTimestamp(index, value.getTimestamp());
  if (!isDateValue(value)) return statement.setObject(index, value, type);
  auto instant = instantOf(value, type);
  if (!instant) return statement.setNull(index, type);
  statement.setTimestamp(index, instant->toTimestamp());
}

void PreparedStatementHelper::setBytes(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::BINARY, Types::VARBINARY}, value);
  if (value.is(Kind::Bytes)) return statement.setBytes(index, value.getBytes());
  if (value.is(Kind::String)) {
    const std::string& text = value.getString();
    return statement.setBytes(index, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  statement.setObject(index, value, type);
}

void PreparedStatementHelper::setBinaryStream(PreparedStatement& statement, int index, int type, const Value& value) {
  require(type, {Types::LONGVARBINARY}, value);
  if (value.is(Kind::Stream)) {
    auto stream = value.getStream();
    return statement.setBinaryStream(index, stream, lengthOf(*stream));
  }
  if (value.is(Kind::Object)) {
    // A row holds a long binary value read from a result as its growable buffer.
    if (auto buffer = std::dynamic_pointer_cast<plat::io::ByteArrayOutputStream>(value.getObject())) {
      return statement.setBinaryStream(index, plat::lang::makeRef<plat::io::ByteArrayInputStream>(buffer->bytes()),
                                       static_cast<int>(buffer->size()));
    }
  }
  if (value.is(Kind::Bytes) || value.is(Kind::String)) {
    auto stream = streamOf(value);
    return statement.setBinaryStream(index, stream, lengthOf(*stream));
  }
  statement.setObject(index, value, type);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
