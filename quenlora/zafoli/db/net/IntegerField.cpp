#include "quenlora/zafoli/db/net/IntegerField.h"

#include <cmath>

#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::IntMath;
using plat::math::Decimal;
using plat::math::RoundingMode;

bool IntegerField::getBoolean() const {
  return !isNull() && value_ != 0;
}

std::int8_t IntegerField::getByte() const {
  return isNull() ? 0 : IntMath::longToByte(value_);
}

std::int16_t IntegerField::getShort() const {
  return isNull() ? 0 : IntMath::longToShort(value_);
}

std::int32_t IntegerField::getInt() const {
  return isNull() ? 0 : IntMath::longToInt(value_);
}

std::int64_t IntegerField::getLong() const {
  return isNull() ? 0 : value_;
}

float IntegerField::getFloat() const {
  return isNull() ? 0.0f : static_cast<float>(value_);
}

double IntegerField::getDouble() const {
  return isNull() ? 0.0 : static_cast<double>(value_);
}

std::optional<std::string> IntegerField::getString() const {
  if (isNull()) return std::nullopt;
  return plat::lang::Long::toString(value_);
}

std::optional<Decimal> IntegerField::getBigDecimal(int scale) const {
  if (isNull()) return std::nullopt;
  return scaled(Decimal::valueOf(value_), scale);
}

plat::lang::Value IntegerField::getObject() const {
  if (isNull()) return plat::lang::Value();
  if (traits_.longObject) return plat::lang::Value::ofLong(value_);
  return plat::lang::Value::ofInt(IntMath::longToInt(value_));
}

void IntegerField::store(std::int64_t value) {
  value_ = value;
  stored();
}

void IntegerField::setLong(std::int64_t value) {
  if (traits_.rangeMessage != nullptr && (value < traits_.min || value > traits_.max)) {
    throw plat::sql::SQLException(traits_.rangeMessage);
  }
  store(value);
}

void IntegerField::setDouble(double value) {
  if (traits_.rangeMessage == nullptr) {
    store(IntMath::doubleToLong(value));
    return;
  }
  // The fraction is dropped as by any integer conversion; NaN is no number of the range.
  const double whole = std::trunc(value);
  if (!(whole >= static_cast<double>(traits_.min) && whole <= static_cast<double>(traits_.max))) {
    throw plat::sql::SQLException(traits_.rangeMessage);
  }
  store(static_cast<std::int64_t>(whole));
}

void IntegerField::setBigDecimal(const std::optional<Decimal>& value) {
  if (!value) {
    setNull(0);
    return;
  }
  if (traits_.rangeMessage == nullptr) {
    store(value->longValue());
    return;
  }
  const Decimal whole = value->setScale(0, RoundingMode::DOWN);
  if (whole.compareTo(Decimal::valueOf(traits_.min)) < 0 || whole.compareTo(Decimal::valueOf(traits_.max)) > 0) {
    throw plat::sql::SQLException(traits_.rangeMessage);
  }
  store(whole.longValue());
}

void IntegerField::setBoolean(bool value) {
  store(value ? 1 : 0);
}

void IntegerField::setString(const std::string& value) {
  setLong(parsed([&] { return plat::lang::Long::parseLong(value); }));
}

void IntegerField::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (traits_.longObject && value.is(plat::lang::Value::Kind::Long)) {
    setLong(value.getLong());
  } else if (!traits_.longObject && value.is(plat::lang::Value::Kind::Int)) {
    setLong(value.getInt());
  } else {
    cantConvert();
  }
}

void IntegerField::readData(const std::uint8_t* bytes, std::size_t size) {
  needBytes(size, traits_.bytes);
  switch (traits_.bytes) {
    case 1:
      value_ = static_cast<std::int8_t>(bytes[0]);
      break;
    case 2:
      value_ = WireFormat::decodeShort(bytes);
      break;
    case 4:
      value_ = WireFormat::decodeInt(bytes);
      break;
    default:
      value_ = WireFormat::decodeLong(bytes);
      break;
  }
}

void IntegerField::writeData(plat::io::DataOutputStream& out) const {
  std::uint8_t bytes[8];
  WireFormat::encodeLong(value_, bytes);
  WireFormat::writeData(out, bytes + (8 - traits_.bytes), traits_.bytes);
}

}  // namespace quenlora::zafoli::db::net
