#include "quenlora/zafoli/db/net/DecimalField.h"

#include <cmath>
#include <string_view>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::IntMath;
using plat::math::Decimal;

namespace {

const Decimal& one() {
  static const Decimal value = Decimal::valueOf(std::int64_t{1});
  return value;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::size_t kMantissaBits = 53;

// The double nearest unscaled / 10^scale into out, when both are exact doubles so that one IEEE division gives it
// directly (as toDouble does); false otherwise.
bool exactDouble(std::int64_t unscaled, int scale, double& out) {
  constexpr std::int64_t kExactLimit = std::int64_t{1} << kMantissaBits;
  if (scale < 0 || scale > kMaxExactPower || unscaled >= kExactLimit || unscaled <= -kExactLimit) return false;
  out = static_cast<double>(unscaled) / kPowersOfTen[scale];
  return true;
}

// The double nearest the decimal. When the unscaled value and the power of ten are both exact doubles, one IEEE
// division or multiplication gives that nearest double directly; only other values go through the text.
double toDouble(const Decimal& value) {
  const int scale = value.scale();
  const mpz_class& unscaled = value.unscaledValue();
  if (scale >= -kMaxExactPower && scale <= kMaxExactPower && mpz_sizeinbase(unscaled.get_mpz_t(), 2) <= kMantissaBits) {
    const double exact = unscaled.get_d();
    return scale >= 0 ? exact / kPowersOfTen[scale] : exact * kPowersOfTen[-scale];
  }
  return value.doubleValue();
}

// For an optional minus sign, digits and optionally a point followed by digits, 18 digits at most: the number of
// digits after the point, with the digits as unscaled; -1 for any other text.
int plainDecimal(std::string_view text, std::int64_t& unscaled) {
  constexpr int kMaxDigits = 18;
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  std::int64_t value = 0;
  int digits = 0;
  int scale = -1;  // -1 until the point
  bool digitBeforePoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > kMaxDigits) return -1;
      value = value * 10 + (c - '0');
      if (scale >= 0) {
        ++scale;
      } else {
        digitBeforePoint = true;
      }
    } else if (c == '.' && scale < 0 && digitBeforePoint) {
      scale = 0;
    } else {
      return -1;
    }
  }
  if (!digitBeforePoint || scale == 0) return -1;  // no digits, or nothing after the point
  unscaled = negative ? -value : value;
  return scale < 0 ? 0 : scale;
}

// unscaled * 10^digits into out, when digits is 0..18 and the product fits in 64 bits; false otherwise.
bool widened(std::int64_t unscaled, int digits, std::int64_t& out) {
  constexpr int kMaxDigits = 18;
  if (digits < 0 || digits > kMaxDigits) return false;
  std::int64_t power = 1;
  for (int i = 0; i < digits; ++i) power *= 10;
  return !__builtin_mul_overflow(unscaled, power, &out);
}

}  // namespace

bool DecimalField::getBoolean() const {
  return !isNull() && withDecimal([](const Decimal& v) { return v.abs().compareTo(one()) >= 0; });
}

std::int8_t DecimalField::getByte() const {
  return isNull() ? 0 : IntMath::intToByte(getInt());
}

std::int16_t DecimalField::getShort() const {
  return isNull() ? 0 : IntMath::intToShort(getInt());
}

std::int32_t DecimalField::getInt() const {
  return isNull() ? 0 : withDecimal([](const Decimal& v) { return v.intValue(); });
}

std::int64_t DecimalField::getLong() const {
  return isNull() ? 0 : withDecimal([](const Decimal& v) { return v.longValue(); });
}

float DecimalField::getFloat() const {
  return isNull() ? 0.0f : withDecimal([](const Decimal& v) { return v.floatValue(); });
}

double DecimalField::getDouble() const {
  if (isNull()) return 0.0;
  return hasDouble_ ? double_ : withDecimal([](const Decimal& v) { return toDouble(v); });
}

std::optional<std::string> DecimalField::getString() const {
  if (isNull()) return std::nullopt;
  return withDecimal([](const Decimal& v) { return v.toString(); });
}

std::optional<Decimal> DecimalField::getBigDecimal(int scale) const {
  if (isNull()) return std::nullopt;
  // Plain digits taken to a scale at least their own stay exact in 64 bits: one big number is made, not two.
  if (std::int64_t unscaled = 0; plain_ && widened(unscaled_, scale - scale_, unscaled)) {
    return Decimal::valueOf(unscaled, scale);
  }
  return withDecimal([scale](const Decimal& v) { return scaled(v, scale); });
}

plat::lang::Value DecimalField::getObject() const {
  if (isNull()) return plat::lang::Value();
  return withDecimal([](const Decimal& v) { return plat::lang::Value::ofDecimal(v); });
}

void DecimalField::store(Decimal value) {
  value_ = std::move(value);
  plain_ = false;
  hasDouble_ = false;
  stored();
}

void DecimalField::setLong(std::int64_t value) {
  store(Decimal::valueOf(value));
}

void DecimalField::setFloat(float value) {
  if (!std::isfinite(value)) cantConvert();
  // The float's own shortest text, so 0.1f gives 0.1 and not the digits of its double widening.
  store(Decimal(plat::lang::Float::toString(value)));
}

void DecimalField::setDouble(double value) {
  if (!std::isfinite(value)) cantConvert();
  store(Decimal::valueOf(value));
}

void DecimalField::setBigDecimal(const std::optional<Decimal>& value) {
  if (!value) {
    setNull(0);
    return;
  }
  store(*value);
}

void DecimalField::setString(const std::string& value) {
  store(parsed([&] { return Decimal(value); }));
}

void DecimalField::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Decimal)) {
    store(value.getDecimal());
  } else {
    cantConvert();
  }
}

void DecimalField::readText(std::string_view text) {
  // Plain texts of up to 18 digits, the usual case, are read here exactly as the parser would read them, without
  // its big-number conversion from text.
  std::int64_t unscaled = 0;
  if (const int scale = plainDecimal(text, unscaled); scale >= 0) {
    plain_ = true;
    unscaled_ = unscaled;
    scale_ = scale;
    // Every get of the double would otherwise work it out again from the big number.
    hasDouble_ = exactDouble(unscaled, scale, double_);
    return;
  }
  plain_ = false;
  hasDouble_ = false;
  try {
    value_ = Decimal(text);
  } catch (const plat::lang::NumberFormatException&) {
    throw plat::sql::SQLException(NetErrors::OBJECT_STREAM_ERROR);
  }
}

void DecimalField::writeData(plat::io::DataOutputStream& out) const {
  WireFormat::writeString(out, isNull() ? std::string() : *getString());
}

}  // namespace quenlora::zafoli::db::net
