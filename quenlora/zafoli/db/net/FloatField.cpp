#include "quenlora/zafoli/db/net/FloatField.h"

#include <bit>
#include <cmath>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::IntMath;
using plat::math::Decimal;

bool FloatField::getBoolean() const {
  return !isNull() && value_ != 0.0f;
}

std::int8_t FloatField::getByte() const {
  return isNull() ? 0 : IntMath::intToByte(IntMath::floatToInt(value_));
}

std::int16_t FloatField::getShort() const {
  return isNull() ? 0 : IntMath::intToShort(IntMath::floatToInt(value_));
}

std::int32_t FloatField::getInt() const {
  return isNull() ? 0 : IntMath::floatToInt(value_);
}

std::int64_t FloatField::getLong() const {
  return isNull() ? 0 : IntMath::floatToLong(value_);
}

float FloatField::getFloat() const {
  return isNull() ? 0.0f : value_;
}

double FloatField::getDouble() const {
  return isNull() ? 0.0 : static_cast<double>(value_);
}

std::optional<std::string> FloatField::getString() const {
  if (isNull()) return std::nullopt;
  return plat::lang::Float::toString(value_);
}

std::optional<Decimal> FloatField::getBigDecimal(int scale) const {
  if (isNull()) return std::nullopt;
  if (!std::isfinite(value_)) cantConvert();
  return scaled(Decimal::valueOf(static_cast<double>(value_)), scale);
}

void FloatField::store(float value) {
  value_ = value;
  stored();
}

void FloatField::setBigDecimal(const std::optional<Decimal>& value) {
  if (!value) {
    setNull(0);
    return;
  }
  store(value->floatValue());
}

void FloatField::setString(const std::string& value) {
  store(parsed([&] { return plat::lang::Float::parseFloat(value); }));
}

void FloatField::readData(const std::uint8_t* bytes, std::size_t size) {
  needBytes(size, 4);
  value_ = std::bit_cast<float>(WireFormat::decodeInt(bytes));
}

void FloatField::writeData(plat::io::DataOutputStream& out) const {
  std::uint8_t bytes[4];
  WireFormat::encodeInt(std::bit_cast<std::int32_t>(value_), bytes);
  WireFormat::writeData(out, bytes, sizeof bytes);
}

}  // namespace quenlora::zafoli::db::net
