// The rules by which statement parameters reach the wire: the timestamp's rounding to milliseconds with its carry,
// the SQL type chosen for a value of each kind, and the checked conversions of setObject. Stateless; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace quenlora::zafoli::db::jdbc {

// A timestamp as sent: calendar fields, month 1-12, and whole milliseconds.
struct TimestampParts {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  friend bool operator==(const TimestampParts&, const TimestampParts&) = default;
};

class ParameterRules {
 public:
  ParameterRules() = delete;

  // Nanoseconds rounded to the nearest millisecond; 1000 carries into the second, the minute, the hour and the
  // calendar day, each only when the one below overflowed.
  static TimestampParts roundTimestamp(const plat::time::Timestamp& value);

  // The SQL type code for a value of this kind in the two-argument setObject; any kind not in the table is
  // VARBINARY. A null value has no kind and gives Types::NULL_TYPE.
  static int sqlTypeOf(const plat::lang::Value& value);

  // Whether setObject knows the type code.
  static bool isSupportedType(int sqlType);

  // The value taken as the setter of sqlType needs it. Integers are narrowed with a range check; any other
  // mismatch is SQLException naming the type code. The value must not be null.
  static bool asBoolean(const plat::lang::Value& value, int sqlType);
  // An integer in -128..127, or the first byte of a non-empty byte array.
  static std::int8_t asTinyInt(const plat::lang::Value& value, int sqlType);
  static std::int16_t asShort(const plat::lang::Value& value, int sqlType);
  static std::int32_t asInt(const plat::lang::Value& value, int sqlType);
  static std::int64_t asLong(const plat::lang::Value& value, int sqlType);
  static float asFloat(const plat::lang::Value& value, int sqlType);
  static double asDouble(const plat::lang::Value& value, int sqlType);
  static plat::math::Decimal asDecimal(const plat::lang::Value& value, int sqlType);
  static std::string asText(const plat::lang::Value& value, int sqlType);
  static std::vector<std::uint8_t> asBytes(const plat::lang::Value& value, int sqlType);
  static plat::time::Date asDate(const plat::lang::Value& value, int sqlType);
  static plat::time::Time asTime(const plat::lang::Value& value, int sqlType);
  static plat::time::Timestamp asTimestamp(const plat::lang::Value& value, int sqlType);
};

}  // namespace quenlora::zafoli::db::jdbc
