#include "quenlora/zafoli/db/net/TextParam.h"

#include <limits>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

using plat::lang::IntMath;

namespace {}  // namespace

TextParam::TextParam() {
  setTypeWord(Define::SERVER_TYPE_STR);
}

TextParam::TextParam(std::uint8_t id, std::string text) : s_(std::move(text)) {
  setId(id);
  setTypeWord(Define::SERVER_TYPE_STR);
}

int TextParam::getType() const {
  return Define::SERVER_TEXTPARAM;
}

void TextParam::read(plat::io::DataInputStream& in) {
  in.readShort();
  setId(static_cast<std::uint8_t>(in.readUnsignedByte()));
  plat::lang::Ref<ServerObject> object = NetClass::getNextObject(in);
  const auto* text = dynamic_cast<const NetString*>(object.get());
  if (text == nullptr) {
    if (NetClass::deferError(object)) return;
    onObjectError(*object);
  }
  s_ = text->getString();
}

void TextParam::write(plat::io::DataOutputStream& out) const {
  out.writeByte(Define::SERVER_TEXTPARAM);
  out.writeShort(kWrittenLength);
  out.writeByte(getId());
  WireFormat::writeString(out, s_);
}

bool TextParam::getBit() const {
  return !s_.empty() && s_[0] != '\0';
}

std::int64_t TextParam::getBigInt() const {
  // A double holds integers exactly only up to 2^53, so an integer literal is taken as it is.
  try {
    return plat::lang::Long::parseLong(trimmed(s_));
  } catch (const plat::lang::NumberFormatException&) {
  }
  return IntMath::doubleToLong(getDouble());
}

std::int32_t TextParam::getInteger() const {
  const std::int64_t v = getBigInt();
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

std::int16_t TextParam::getSmallInt() const {
  return IntMath::intToShort(getInteger());
}

std::int8_t TextParam::getTinyInt() const {
  return IntMath::intToByte(getInteger());
}

double TextParam::getDouble() const {
  return parsed([&] { return plat::lang::Double::parseDouble(s_); });
}

float TextParam::getFloat() const {
  return static_cast<float>(getDouble());
}

float TextParam::getReal() const {
  return getFloat();
}

plat::math::Decimal TextParam::getDecimal(int scale) const {
  return parsed([&] { return plat::math::Decimal(trimmed(s_)).setScale(scale, plat::math::RoundingMode::HALF_UP); });
}

std::optional<plat::math::Decimal> TextParam::getBigDecimal(int scale) const {
  return getDecimal(scale);
}

std::optional<plat::time::Date> TextParam::getDate() const {
  return parsed([&] { return plat::time::Date::valueOf(trimmed(s_)); });
}

std::optional<plat::time::Time> TextParam::getTime() const {
  return parsed([&] { return plat::time::Time::valueOf(trimmed(s_)); });
}

std::optional<plat::time::Timestamp> TextParam::getTimestamp() const {
  return parsed([&] { return plat::time::Timestamp::valueOf(trimmed(s_)); });
}

Field::Bytes TextParam::getBinary() const {
  return WireText::toWire(s_);
}

}  // namespace quenlora::zafoli::db::net
