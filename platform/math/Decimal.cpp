#include "platform/math/Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"

namespace plat::math {

namespace {

using plat::lang::ArithmeticException;
using plat::lang::NumberFormatException;

static_assert(sizeof(unsigned long) == 8, "the low 64 bits are read with mpz_get_ui");

// Exponents with more significant digits than this cannot give a scale in range.
constexpr int kMaxExponentDigits = 10;

[[noreturn]] void tooLarge() {
  throw ArithmeticException("BigInteger would overflow supported range");
}

void checkDigits(int64_t digits) {
  if (digits > Decimal::MAX_DIGITS) tooLarge();
}

mpz_class powerOfTen(int64_t exponent) {
  checkDigits(exponent);
  mpz_class result;
  mpz_ui_pow_ui(result.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
  return result;
}

// A scale computed in 64 bits; out of the 32-bit range only a zero may be clamped, as the runtime does.
int32_t checkScale(int64_t scale, const mpz_class& unscaled) {
  if (scale >= std::numeric_limits<int32_t>::min() && scale <= std::numeric_limits<int32_t>::max()) {
    return static_cast<int32_t>(scale);
  }
  if (sgn(unscaled) != 0) throw ArithmeticException(scale > 0 ? "Underflow" : "Overflow");
  return scale > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
}

int64_t digitCount(const mpz_class& value) {
  if (sgn(value) == 0) return 1;
  const int64_t estimate = static_cast<int64_t>(mpz_sizeinbase(value.get_mpz_t(), 10));  // exact or one too many
  if (estimate == 1) return 1;
  mpz_class magnitude = ::abs(value);
  return magnitude < powerOfTen(estimate - 1) ? estimate - 1 : estimate;
}

// The exponent after 'e' at pos: optional sign and digits, leading zeros ignored.
int64_t parseExponent(std::string_view text, size_t pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos >= text.size()) throw NumberFormatException("No exponent digits.");
  int64_t exponent = 0;
  int significant = 0;
  while (pos < text.size()) {
    const int d = plat::lang::Integer::nextDigit(text, pos, 10);
    if (d < 0) throw NumberFormatException("Malformed exponent in \"" + std::string(text) + "\".");
    if (exponent == 0 && d == 0) continue;
    if (++significant > kMaxExponentDigits) throw NumberFormatException("Exponent overflow.");
    exponent = exponent * 10 + d;
  }
  return negative ? -exponent : exponent;
}

// Shifts the decimal point of an integer magnitude text left by scale places.
std::string placePoint(const std::string& digits, int32_t scale) {
  if (scale <= 0) return digits;
  const size_t n = digits.size();
  if (n > static_cast<size_t>(scale)) {
    return digits.substr(0, n - scale) + "." + digits.substr(n - scale);
  }
  checkDigits(scale);
  return "0." + std::string(static_cast<size_t>(scale) - n, '0') + digits;
}

}  // namespace

Decimal::Decimal(std::string_view text) {
  if (text.empty()) throw NumberFormatException();
  size_t pos = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    pos = 1;
  }
  std::string digits;
  int64_t fractionDigits = 0;
  int64_t exponent = 0;
  bool seenPoint = false;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '.') {
      if (seenPoint) throw NumberFormatException("Character array contains more than one decimal point.");
      seenPoint = true;
      ++pos;
      continue;
    }
    if (c == 'e' || c == 'E') {
      exponent = parseExponent(text, pos + 1);
      break;
    }
    const size_t start = pos;
    const int d = plat::lang::Integer::nextDigit(text, pos, 10);
    if (d < 0) {
      throw NumberFormatException("Character " + std::string(text.substr(start, pos - start)) +
                                  " is neither a decimal digit number, decimal point, nor \"e\" notation "
                                  "exponential mark.");
    }
    digits.push_back(static_cast<char>('0' + d));
    if (seenPoint) ++fractionDigits;
  }
  if (digits.empty()) throw NumberFormatException("No digits found.");
  const int64_t scale = fractionDigits - exponent;
  if (scale < std::numeric_limits<int32_t>::min() || scale > std::numeric_limits<int32_t>::max()) {
    throw NumberFormatException("Scale out of range.");
  }
  unscaled_.set_str(digits, 10);
  if (negative) unscaled_ = -unscaled_;
  scale_ = static_cast<int32_t>(scale);
}

Decimal::Decimal(mpz_class unscaled, int32_t scale) : unscaled_(std::move(unscaled)), scale_(scale) {}

mpz_class Decimal::toMpz(int64_t value) {
  return mpz_class(static_cast<long>(value));  // made at its size, not made empty and then grown
}

Decimal Decimal::valueOf(double value) {
  if (!std::isfinite(value)) throw NumberFormatException("Infinite or NaN");
  return Decimal(plat::lang::Double::toString(value));
}

std::string Decimal::toString() const {
  const std::string coefficient = mpz_class(::abs(unscaled_)).get_str();
  const int64_t adjusted = -static_cast<int64_t>(scale_) + static_cast<int64_t>(coefficient.size()) - 1;
  std::string out = signum() < 0 ? "-" : "";
  if (scale_ >= 0 && adjusted >= -6) {
    out += placePoint(coefficient, scale_);
    return out;
  }
  out.push_back(coefficient[0]);
  if (coefficient.size() > 1) {
    out.push_back('.');
    out.append(coefficient, 1);
  }
  if (adjusted != 0) {
    out.push_back('E');
    if (adjusted > 0) out.push_back('+');
    out += std::to_string(adjusted);
  }
  return out;
}

std::string Decimal::toPlainString() const {
  if (scale_ < 0) {
    if (signum() == 0) return "0";
    const std::string digits = unscaled_.get_str();
    checkDigits(static_cast<int64_t>(digits.size()) - scale_);
    return digits + std::string(static_cast<size_t>(-static_cast<int64_t>(scale_)), '0');
  }
  std::string out = signum() < 0 ? "-" : "";
  out += placePoint(mpz_class(::abs(unscaled_)).get_str(), scale_);
  return out;
}

std::string Decimal::toBigIntegerText() const {
  return setScale(0, RoundingMode::DOWN).unscaled_.get_str();
}

int64_t Decimal::precision() const {
  return digitCount(unscaled_);
}

Decimal Decimal::setScale(int32_t newScale, RoundingMode mode) const {
  if (newScale == scale_) return *this;
  if (signum() == 0) return Decimal(mpz_class(0), newScale);
  if (newScale > scale_) {
    const int64_t shift = static_cast<int64_t>(newScale) - scale_;
    checkDigits(precision() + shift);
    return Decimal(unscaled_ * powerOfTen(shift), newScale);
  }
  const int64_t shift = static_cast<int64_t>(scale_) - newScale;
  const int64_t digits = precision();
  mpz_class quotient;
  int half;  // the dropped part against one half of a unit of the result: -1, 0 or 1
  if (shift > digits) {
    // Every digit is dropped and the dropped part is below a tenth of a unit; no power of ten is needed.
    quotient = 0;
    half = -1;
  } else {
    const mpz_class divisor = powerOfTen(shift);
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), unscaled_.get_mpz_t(), divisor.get_mpz_t());
    if (sgn(remainder) == 0) return Decimal(quotient, newScale);
    mpz_class twice = ::abs(remainder) * 2;
    half = cmp(twice, divisor);
    half = half < 0 ? -1 : (half > 0 ? 1 : 0);
  }
  const int sign = signum();
  bool awayFromZero = false;
  switch (mode) {
    case RoundingMode::UP:
      awayFromZero = true;
      break;
    case RoundingMode::DOWN:
      break;
    case RoundingMode::CEILING:
      awayFromZero = sign > 0;
      break;
    case RoundingMode::FLOOR:
      awayFromZero = sign < 0;
      break;
    case RoundingMode::HALF_UP:
      awayFromZero = half >= 0;
      break;
    case RoundingMode::HALF_DOWN:
      awayFromZero = half > 0;
      break;
    case RoundingMode::HALF_EVEN:
      awayFromZero = half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t()));
      break;
    case RoundingMode::UNNECESSARY:
      throw ArithmeticException("Rounding necessary");
  }
  if (awayFromZero) quotient += sign;
  return Decimal(quotient, newScale);
}

Decimal Decimal::add(const Decimal& other) const {
  if (scale_ == other.scale_) return Decimal(unscaled_ + other.unscaled_, scale_);
  const Decimal& fine = scale_ > other.scale_ ? *this : other;
  const Decimal& coarse = scale_ > other.scale_ ? other : *this;
  return Decimal(fine.unscaled_ + coarse.setScale(fine.scale_).unscaled_, fine.scale_);
}

Decimal Decimal::subtract(const Decimal& other) const {
  return add(other.negate());
}

Decimal Decimal::multiply(const Decimal& other) const {
  mpz_class product = unscaled_ * other.unscaled_;
  const int32_t scale = checkScale(static_cast<int64_t>(scale_) + other.scale_, product);
  return Decimal(std::move(product), scale);
}

int Decimal::compareTo(const Decimal& other) const {
  const int sign = signum();
  const int otherSign = other.signum();
  if (sign != otherSign) return sign < otherSign ? -1 : 1;
  if (sign == 0) return 0;
  if (scale_ == other.scale_) {
    const int c = cmp(unscaled_, other.unscaled_);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  // Magnitudes of different order decide without aligning; equal orders keep the alignment within the digits.
  const int64_t adjusted = precision() - scale_;
  const int64_t otherAdjusted = other.precision() - other.scale_;
  if (adjusted != otherAdjusted) return (adjusted < otherAdjusted ? -1 : 1) * sign;
  const int32_t scale = std::max(scale_, other.scale_);
  const int c = cmp(setScale(scale).unscaled_, other.setScale(scale).unscaled_);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int32_t Decimal::hashCode() const {
  // The runtime's integer hash: 31 * h + word over the magnitude's 32-bit words, most significant first, times
  // the sign; then 31 * that + scale. Unsigned arithmetic wraps as the runtime's int does.
  uint32_t h = 0;
  if (signum() != 0) {
    const size_t words = (mpz_sizeinbase(unscaled_.get_mpz_t(), 2) + 31) / 32;
    std::vector<uint32_t> magnitude(words);
    size_t count = 0;
    mpz_export(magnitude.data(), &count, 1, sizeof(uint32_t), 0, 0, unscaled_.get_mpz_t());
    for (size_t i = 0; i < count; ++i) h = 31 * h + magnitude[i];
    if (signum() < 0) h = 0u - h;
  }
  return static_cast<int32_t>(31 * h + static_cast<uint32_t>(scale_));
}

int64_t Decimal::longValue() const {
  if (signum() == 0) return 0;
  mpz_class integer;
  if (scale_ <= 0) {
    // 10^k holds the factor 2^k, so from k = 64 on the low 64 bits are all zero.
    if (scale_ <= -64) return 0;
    integer = unscaled_ * powerOfTen(-static_cast<int64_t>(scale_));
  } else {
    if (scale_ > precision()) return 0;
    mpz_tdiv_q(integer.get_mpz_t(), unscaled_.get_mpz_t(), powerOfTen(scale_).get_mpz_t());
  }
  mpz_class low;
  mpz_fdiv_r_2exp(low.get_mpz_t(), integer.get_mpz_t(), 64);  // two's complement low bits, 0 <= low < 2^64
  return static_cast<int64_t>(static_cast<uint64_t>(mpz_get_ui(low.get_mpz_t())));
}

int32_t Decimal::intValue() const {
  return static_cast<int32_t>(static_cast<uint64_t>(longValue()));
}

double Decimal::doubleValue() const {
  return plat::lang::Double::parseDouble(unscaled_.get_str() + "E" + std::to_string(-static_cast<int64_t>(scale_)));
}

float Decimal::floatValue() const {
  return plat::lang::Float::parseFloat(unscaled_.get_str() + "E" + std::to_string(-static_cast<int64_t>(scale_)));
}

}  // namespace plat::math
