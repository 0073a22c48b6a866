#include "quenlora/zafoli/db/beans/jdbc/ResultSetHelper.h"

#include <vector>

#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/io/InputStreamReader.h"
#include "platform/io/Utf8.h"
#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/lang/Integer.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;
using plat::sql::SQLException;
using plat::sql::Types;

namespace {

// The column's scale as the result describes it; 0 when the driver cannot say.
int scaleOf(plat::sql::ResultSet& resultSet, int column) {
  try {
    return resultSet.getMetaData()->getScale(column);
  } catch (const SQLException&) {
    return 0;
  }
}

// Digits as stored; widened with zeros to the declared scale, never rounded.
plat::math::Decimal widened(plat::math::Decimal value, int scale) {
  if (value.scale() < scale) return value.setScale(scale);
  return value;  // moved out, where a conditional expression would copy the digits
}

// The column's text in the class of type, for a driver that refused the typed read.
Value fromText(plat::sql::ResultSet& resultSet, int column, int type) {
  const std::string text = resultSet.getString(column);
  if (resultSet.wasNull()) return Value();
  try {
    switch (type) {
      case Types::BIT:
        return Value(text == "1" || text == "true" || text == "TRUE" || text == "t");
      case Types::TINYINT:
      case Types::SMALLINT:
        return Value::ofShort(plat::lang::IntMath::intToShort(plat::lang::Integer::parseInt(text)));
      case Types::INTEGER:
        return Value::ofInt(plat::lang::Integer::parseInt(text));
      case Types::BIGINT:
        return Value::ofLong(plat::lang::Long::parseLong(text));
      case Types::REAL:
        return Value::ofFloat(static_cast<float>(plat::lang::Double::parseDouble(text)));
      case Types::FLOAT:
      case Types::DOUBLE:
        return Value::ofDouble(plat::lang::Double::parseDouble(text));
      default:
        return Value(widened(plat::math::Decimal(text), scaleOf(resultSet, column)));
    }
  } catch (const plat::lang::NumberFormatException& e) {
    // An unreadable value is the column's failure: the row marks the column unusable.
    throw SQLException(e.getMessage());
  }
}

Value typedRead(plat::sql::ResultSet& resultSet, int column, int type) {
  switch (type) {
    case Types::BIT:
      return Value(resultSet.getBoolean(column));
    case Types::TINYINT:
    case Types::SMALLINT:
      return Value::ofShort(resultSet.getShort(column));
    case Types::INTEGER:
      return Value::ofInt(resultSet.getInt(column));
    case Types::BIGINT:
      return Value::ofLong(resultSet.getLong(column));
    case Types::REAL:
      return Value::ofFloat(resultSet.getFloat(column));
    case Types::FLOAT:
    case Types::DOUBLE:
      return Value::ofDouble(resultSet.getDouble(column));
    default:
      return Value(widened(resultSet.getBigDecimal(column, -1), scaleOf(resultSet, column)));
  }
}

Value copiedBinary(plat::sql::ResultSet& resultSet, int column) {
  auto stream = resultSet.getBinaryStream(column);
  if (!stream) return Value();
  auto buffer = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  try {
    std::vector<std::uint8_t> chunk(ResultSetHelper::kChunk);
    for (int n; (n = stream->read(chunk.data(), chunk.size())) > 0;) {
      buffer->write(chunk.data(), static_cast<std::size_t>(n));
    }
  } catch (const plat::io::IOException& e) {
    throw SQLException(e.getMessage());
  }
  return Value::ofObject(buffer);
}

}  // namespace

Value ResultSetHelper::getObject(plat::sql::ResultSet& resultSet, int column) {
  if (column < 1) throw plat::lang::IllegalArgumentException(std::to_string(column) + " < 1");
  return getObject(resultSet, column, resultSet.getMetaData()->getColumnType(column));
}

Value ResultSetHelper::getObject(plat::sql::ResultSet& resultSet, int column, int type) {
  if (column < 1) throw plat::lang::IllegalArgumentException(std::to_string(column) + " < 1");
  switch (type) {
    case Types::BIT:
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::REAL:
    case Types::FLOAT:
    case Types::DOUBLE:
    case Types::NUMERIC:
    case Types::DECIMAL:
      try {
        return typedRead(resultSet, column, type);
      } catch (const SQLException&) {
        return fromText(resultSet, column, type);
      }
    case Types::CHAR:
    case Types::VARCHAR:
      return Value(resultSet.getString(column));
    case Types::LONGVARCHAR:
      return getLongVarChar(resultSet, column);
    case Types::DATE:
      return Value(resultSet.getDate(column));
    case Types::TIME:
      return Value(resultSet.getTime(column));
    case Types::TIMESTAMP:
      return Value(resultSet.getTimestamp(column));
    case Types::BINARY:
    case Types::VARBINARY:
      return Value::ofBytes(resultSet.getBytes(column));
    case Types::LONGVARBINARY:
      return copiedBinary(resultSet, column);
    case Types::NULL_TYPE:
      return Value();
    default:
      return resultSet.getObject(column);
  }
}

Value ResultSetHelper::getLongVarChar(plat::sql::ResultSet& resultSet, int column) {
  Value read = resultSet.getClassName() == kProxyResultSet ? Value(resultSet.getAsciiStream(column))
                                                           : resultSet.getObject(column);
  if (read.isNull() || read.is(Value::Kind::String)) return read;
  if (!read.is(Value::Kind::Stream)) return Value(read.toString());
  std::string text;
  try {
    plat::io::InputStreamReader reader(read.getStream());
    std::string chunk;
    // Characters come as code points; gathered a chunk at a time so a long text grows in few steps.
    for (int c; (c = reader.read()) >= 0;) {
      plat::io::appendUtf8(chunk, static_cast<std::uint32_t>(c));
      if (chunk.size() >= kChunk) {
        text += chunk;
        chunk.clear();
      }
    }
    text += chunk;
  } catch (const plat::io::IOException& e) {
    throw SQLException(e.getMessage());
  }
  return Value(std::move(text));
}

}  // namespace quenlora::zafoli::db::beans::jdbc
