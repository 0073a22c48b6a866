// Whether a number fits an integer column's value class, so that a value from code is refused rather than wrapped.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/sql/Types.h"

namespace quenlora::zafoli::db::beans::jdbc {

// The range of the value class an integer type is held in (TINYINT is held in 16 bits); false for other types.
inline bool integerRange(int type, std::int64_t& low, std::int64_t& high) {
  switch (type) {
    case plat::sql::Types::TINYINT:
    case plat::sql::Types::SMALLINT:
      low = INT16_MIN;
      high = INT16_MAX;
      return true;
    case plat::sql::Types::INTEGER:
      low = INT32_MIN;
      high = INT32_MAX;
      return true;
    case plat::sql::Types::BIGINT:
      low = INT64_MIN;
      high = INT64_MAX;
      return true;
    default:
      return false;
  }
}

// A number fits when its integer part (a fraction is cut off) lies in the type's range; NaN and the infinities
// never fit. Values of other kinds, and other types, are left to the caller.
inline bool fitsIntegerType(const plat::lang::Value& value, int type) {
  using Kind = plat::lang::Value::Kind;
  std::int64_t low = 0;
  std::int64_t high = 0;
  if (!integerRange(type, low, high)) return true;
  switch (value.kind()) {
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long: {
      const std::int64_t n = value.longValue();
      return n >= low && n <= high;
    }
    case Kind::Float:
    case Kind::Double: {
      const double d = value.doubleValue();
      if (!std::isfinite(d)) return false;
      const double cut = std::trunc(d);
      // 2^63 is exact as a double; the bounds below it are exact for 16 and 32 bits.
      if (high == INT64_MAX) return cut >= -9223372036854775808.0 && cut < 9223372036854775808.0;
      return cut >= static_cast<double>(low) && cut <= static_cast<double>(high);
    }
    case Kind::Decimal: {
      const plat::math::Decimal cut = value.getDecimal().setScale(0, plat::math::RoundingMode::DOWN);
      return cut.compareTo(plat::math::Decimal::valueOf(low)) >= 0 &&
             cut.compareTo(plat::math::Decimal::valueOf(high)) <= 0;
    }
    default:
      return true;
  }
}

}  // namespace quenlora::zafoli::db::beans::jdbc
