#include "quenlora/zafoli/db/net/Bit.h"

#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::math::Decimal;

std::optional<std::string> Bit::getString() const {
  if (isNull()) return std::nullopt;
  return std::string(value_ ? "true" : "false");
}

std::optional<Decimal> Bit::getBigDecimal(int scale) const {
  if (isNull()) return std::nullopt;
  return scaled(Decimal::valueOf(std::int64_t{value_ ? 1 : 0}), scale);
}

plat::lang::Value Bit::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value(value_);
}

void Bit::setBigDecimal(const std::optional<Decimal>& value) {
  if (!value) {
    setNull(0);
    return;
  }
  store(value->signum() != 0);
}

void Bit::setString(const std::string& value) {
  store(parsed([&] { return plat::lang::Integer::parseInt(value); }) != 0);
}

void Bit::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Boolean)) {
    store(value.getBoolean());
  } else {
    cantConvert();
  }
}

void Bit::readData(const std::uint8_t* bytes, std::size_t size) {
  needBytes(size, 1);
  value_ = bytes[0] != 0;
}

void Bit::writeData(plat::io::DataOutputStream& out) const {
  const std::uint8_t byte = value_ ? 1 : 0;
  WireFormat::writeData(out, &byte, 1);
}

}  // namespace quenlora::zafoli::db::net
