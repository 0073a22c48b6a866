// An exact decimal number with the managed runtime's BigDecimal semantics: an arbitrary-precision unscaled integer
// and a 32-bit scale, value = unscaled * 10^-scale. A copyable value type; a const object may be read from several
// threads, a mutated one needs external locking.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <gmpxx.h>

namespace plat::math {

// Numbered as the runtime's ROUND_ constants, so a stored mode code converts directly.
enum class RoundingMode : int {
  UP = 0,
  DOWN = 1,
  CEILING = 2,
  FLOOR = 3,
  HALF_UP = 4,
  HALF_DOWN = 5,
  HALF_EVEN = 6,
  UNNECESSARY = 7,
};

class Decimal {
 public:
  // Work beyond this many digits in one number is refused with ArithmeticException rather than exhausting memory.
  static constexpr int64_t MAX_DIGITS = 1 << 24;

  // Zero with scale 0.
  Decimal() = default;
  // The runtime's decimal text: optional sign, digits with an optional '.', at least one digit, optional exponent
  // e/E with optional sign and digits; no blanks. Scale = digits after the point minus the exponent. "12.50" has
  // scale 2, "-1E+3" scale -3. Bad text throws NumberFormatException.
  explicit Decimal(std::string_view text);
  Decimal(mpz_class unscaled, int32_t scale);

  static Decimal parse(std::string_view text) { return Decimal(text); }
  static Decimal valueOf(int64_t value) { return Decimal(mpz_class(toMpz(value)), 0); }
  static Decimal valueOf(int64_t unscaled, int32_t scale) { return Decimal(toMpz(unscaled), scale); }
  // Through the double's shortest text (0.1 gives 0.1 with scale 1, 1.0 gives 1.0); NaN and the infinities throw
  // NumberFormatException "Infinite or NaN".
  static Decimal valueOf(double value);

  // Scientific notation when scale < 0 or the adjusted exponent is below -6 ("1E+3", "1.23E-7"), plain otherwise.
  std::string toString() const;
  // Never an exponent ("1000", "0.000000123").
  std::string toPlainString() const;
  // The integer part's text, the fraction dropped ("-12" for -12.7).
  std::string toBigIntegerText() const;

  int32_t scale() const { return scale_; }
  const mpz_class& unscaledValue() const { return unscaled_; }
  std::string unscaledText() const { return unscaled_.get_str(); }
  // Number of decimal digits of the unscaled value (1 for zero).
  int64_t precision() const;
  int signum() const { return sgn(unscaled_); }

  // Same value at the new scale; ArithmeticException "Rounding necessary" when UNNECESSARY would lose digits.
  Decimal setScale(int32_t newScale, RoundingMode mode = RoundingMode::UNNECESSARY) const;

  Decimal negate() const { return Decimal(-unscaled_, scale_); }
  Decimal abs() const { return signum() < 0 ? negate() : *this; }
  // Exact; the sum's scale is the larger scale, the product's the sum of the scales.
  Decimal add(const Decimal& other) const;
  Decimal subtract(const Decimal& other) const;
  Decimal multiply(const Decimal& other) const;

  // By value alone: 2.0 and 2.00 compare equal.
  int compareTo(const Decimal& other) const;
  // Value and scale: 2.0 does not equal 2.00.
  bool equals(const Decimal& other) const { return scale_ == other.scale_ && unscaled_ == other.unscaled_; }
  bool operator==(const Decimal& other) const { return equals(other); }
  // Consistent with equals, and the runtime's value (31 * unscaled hash + scale).
  int32_t hashCode() const;

  // The fraction truncated toward zero, then the low 64 / 32 bits of the integer.
  int64_t longValue() const;
  int32_t intValue() const;
  // Correctly rounded from the exact value.
  double doubleValue() const;
  float floatValue() const;

 private:
  static mpz_class toMpz(int64_t value);

  mpz_class unscaled_;  // sign lives here
  int32_t scale_ = 0;
};

}  // namespace plat::math
