#include "platform/lang/IntMath.h"

#include <cmath>
#include <limits>

#include "platform/lang/Exceptions.h"

namespace plat::lang {

namespace {

[[noreturn]] void divisionByZero() {
  throw ArithmeticException("/ by zero");
}

// Truncates toward zero and clamps to [Int::min, Int::max]; NaN gives 0. The bounds are tested in floating point
// before any conversion, because converting an out-of-range value is undefined.
template <class Int, class Float>
Int saturate(Float v) {
  constexpr Float kLow = static_cast<Float>(std::numeric_limits<Int>::min());  // exactly -2^(bits-1)
  constexpr Float kHigh = -kLow;                                               // exactly 2^(bits-1)
  if (std::isnan(v)) return 0;
  if (v <= kLow) return std::numeric_limits<Int>::min();
  if (v >= kHigh) return std::numeric_limits<Int>::max();
  return static_cast<Int>(v);
}

}  // namespace

int32_t IntMath::divInt(int32_t a, int32_t b) {
  if (b == 0) divisionByZero();
  if (b == -1) return negInt(a);
  return a / b;
}

int32_t IntMath::remInt(int32_t a, int32_t b) {
  if (b == 0) divisionByZero();
  if (b == -1) return 0;
  return a % b;
}

int64_t IntMath::divLong(int64_t a, int64_t b) {
  if (b == 0) divisionByZero();
  if (b == -1) return negLong(a);
  return a / b;
}

int64_t IntMath::remLong(int64_t a, int64_t b) {
  if (b == 0) divisionByZero();
  if (b == -1) return 0;
  return a % b;
}

int32_t IntMath::doubleToInt(double v) {
  return saturate<int32_t>(v);
}
int64_t IntMath::doubleToLong(double v) {
  return saturate<int64_t>(v);
}
int32_t IntMath::floatToInt(float v) {
  return saturate<int32_t>(v);
}
int64_t IntMath::floatToLong(float v) {
  return saturate<int64_t>(v);
}

}  // namespace plat::lang
