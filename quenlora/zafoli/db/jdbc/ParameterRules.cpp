#include "quenlora/zafoli/db/jdbc/ParameterRules.h"

#include <cmath>
#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

using Kind = plat::lang::Value::Kind;
using plat::sql::Types;

constexpr int kNanosPerMilli = 1000000;
constexpr int kMillisPerSecond = 1000;

[[noreturn]] void mismatch(const plat::lang::Value& value, int sqlType) {
  throw plat::sql::SQLException("Invalid parameter value " + value.toString() + " for sql type " +
                                std::to_string(sqlType));
}

[[noreturn]] void outOfRange(const plat::lang::Value& value, int sqlType) {
  throw plat::sql::SQLException("Parameter value " + value.toString() + " out of range for sql type " +
                                std::to_string(sqlType));
}

bool isIntegral(const plat::lang::Value& value) {
  switch (value.kind()) {
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long:
      return true;
    default:
      return false;
  }
}

std::int64_t integralIn(const plat::lang::Value& value, int sqlType, std::int64_t low, std::int64_t high) {
  if (!isIntegral(value)) mismatch(value, sqlType);
  const std::int64_t v = value.longValue();
  if (v < low || v > high) outOfRange(value, sqlType);
  return v;
}

}  // namespace

TimestampParts ParameterRules::roundTimestamp(const plat::time::Timestamp& value) {
  TimestampParts p{
      value.getYear(), value.getMonth(), value.getDay(), value.getHours(), value.getMinutes(), value.getSeconds(), 0};
  p.millisecond = (value.getNanos() + kNanosPerMilli / 2) / kNanosPerMilli;
  if (p.millisecond >= kMillisPerSecond) {
    p.millisecond = 0;
    if (++p.second == 60) {
      p.second = 0;
      if (++p.minute == 60) {
        p.minute = 0;
        if (++p.hour == 24) {
          p.hour = 0;
          const plat::time::Date next = value.getDate().nextDay();
          p.year = next.getYear();
          p.month = next.getMonth();
          p.day = next.getDay();
        }
      }
    }
  }
  return p;
}

int ParameterRules::sqlTypeOf(const plat::lang::Value& value) {
  switch (value.kind()) {
    case Kind::Null:
      return Types::NULL_TYPE;
    case Kind::String:
      return Types::VARCHAR;
    case Kind::Decimal:
      return Types::NUMERIC;
    case Kind::Boolean:
      return Types::BIT;
    case Kind::Int:
      return Types::INTEGER;
    case Kind::Long:
      return Types::BIGINT;
    case Kind::Float:
      return Types::REAL;
    case Kind::Double:
      return Types::DOUBLE;
    case Kind::Date:
      return Types::DATE;
    case Kind::Time:
      return Types::TIME;
    case Kind::Timestamp:
      return Types::TIMESTAMP;
    default:
      return Types::VARBINARY;
  }
}

bool ParameterRules::isSupportedType(int sqlType) {
  switch (sqlType) {
    case Types::BIT:
    case Types::TINYINT:
    case Types::BIGINT:
    case Types::LONGVARBINARY:
    case Types::VARBINARY:
    case Types::BINARY:
    case Types::LONGVARCHAR:
    case Types::CHAR:
    case Types::VARCHAR:
    case Types::NUMERIC:
    case Types::DECIMAL:
    case Types::INTEGER:
    case Types::SMALLINT:
    case Types::FLOAT:
    case Types::REAL:
    case Types::DOUBLE:
    case Types::DATE:
    case Types::TIME:
    case Types::TIMESTAMP:
      return true;
    default:
      return false;
  }
}

bool ParameterRules::asBoolean(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::Boolean)) mismatch(value, sqlType);
  return value.getBoolean();
}

std::int8_t ParameterRules::asTinyInt(const plat::lang::Value& value, int sqlType) {
  if (value.is(Kind::Bytes)) {
    const auto& bytes = value.getBytes();
    if (bytes.empty()) mismatch(value, sqlType);
    return static_cast<std::int8_t>(bytes.front());
  }
  return static_cast<std::int8_t>(
      integralIn(value, sqlType, std::numeric_limits<std::int8_t>::min(), std::numeric_limits<std::int8_t>::max()));
}

std::int16_t ParameterRules::asShort(const plat::lang::Value& value, int sqlType) {
  return static_cast<std::int16_t>(
      integralIn(value, sqlType, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::int32_t ParameterRules::asInt(const plat::lang::Value& value, int sqlType) {
  return static_cast<std::int32_t>(
      integralIn(value, sqlType, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int64_t ParameterRules::asLong(const plat::lang::Value& value, int sqlType) {
  return integralIn(value, sqlType, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
}

float ParameterRules::asFloat(const plat::lang::Value& value, int sqlType) {
  if (!value.isNumber()) mismatch(value, sqlType);
  const double v = value.doubleValue();
  // Infinities and NaN pass as they are; a finite value beyond float's range would silently become infinite.
  if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) outOfRange(value, sqlType);
  return value.floatValue();
}

double ParameterRules::asDouble(const plat::lang::Value& value, int sqlType) {
  if (!value.isNumber()) mismatch(value, sqlType);
  return value.doubleValue();
}

plat::math::Decimal ParameterRules::asDecimal(const plat::lang::Value& value, int sqlType) {
  if (value.is(Kind::Decimal)) return value.getDecimal();
  if (isIntegral(value)) return plat::math::Decimal::valueOf(value.longValue());
  if (value.is(Kind::Float) || value.is(Kind::Double)) {
    const double v = value.doubleValue();
    if (!std::isfinite(v)) outOfRange(value, sqlType);
    return plat::math::Decimal::valueOf(v);
  }
  mismatch(value, sqlType);
}

std::string ParameterRules::asText(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::String)) mismatch(value, sqlType);
  return value.getString();
}

std::vector<std::uint8_t> ParameterRules::asBytes(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::Bytes)) mismatch(value, sqlType);
  return value.getBytes();
}

plat::time::Date ParameterRules::asDate(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::Date)) mismatch(value, sqlType);
  return value.getDate();
}

plat::time::Time ParameterRules::asTime(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::Time)) mismatch(value, sqlType);
  return value.getTime();
}

plat::time::Timestamp ParameterRules::asTimestamp(const plat::lang::Value& value, int sqlType) {
  if (!value.is(Kind::Timestamp)) mismatch(value, sqlType);
  return value.getTimestamp();
}

}  // namespace quenlora::zafoli::db::jdbc
