#include "quenlora/zafoli/db/net/CharField.h"

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

using plat::lang::IntMath;
using plat::math::Decimal;

namespace {

bool equalsIgnoreCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != b[i]) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

void CharField::store(std::string text) {
  text_ = std::move(text);
  stored();
}

Field::StreamRef CharField::getAsciiStream() const {
  if (isNull()) return nullptr;
  return plat::lang::makeRef<BinaryInputStream>(WireText::toWire(text_));
}

Field::StreamRef CharField::getBinaryStream() const {
  return getAsciiStream();
}

Field::StreamRef CharField::getUnicodeStream() const {
  return getAsciiStream();
}

double CharField::parseDouble() const {
  return parsed([&] { return plat::lang::Double::parseDouble(text_); });
}

bool CharField::getBoolean() const {
  if (isNull()) return false;
  const std::string text = trimmed(text_);
  if (equalsIgnoreCase(text, "true")) return true;
  try {
    return plat::lang::Double::parseDouble(text) != 0.0;
  } catch (const plat::lang::NumberFormatException&) {
    return false;
  }
}

std::int8_t CharField::getByte() const {
  return isNull() ? 0 : IntMath::intToByte(IntMath::doubleToInt(parseDouble()));
}

std::int16_t CharField::getShort() const {
  return isNull() ? 0 : IntMath::intToShort(IntMath::doubleToInt(parseDouble()));
}

std::int32_t CharField::getInt() const {
  return isNull() ? 0 : IntMath::doubleToInt(parseDouble());
}

std::int64_t CharField::getLong() const {
  if (isNull()) return 0;
  // A double holds integers exactly only up to 2^53, so an integer literal is taken as it is.
  try {
    return plat::lang::Long::parseLong(trimmed(text_));
  } catch (const plat::lang::NumberFormatException&) {
  }
  return IntMath::doubleToLong(parseDouble());
}

float CharField::getFloat() const {
  return isNull() ? 0.0f : static_cast<float>(parseDouble());
}

double CharField::getDouble() const {
  return isNull() ? 0.0 : parseDouble();
}

std::optional<Decimal> CharField::getBigDecimal(int scale) const {
  if (isNull()) return std::nullopt;
  const Decimal value = parsed([&] { return Decimal(trimmed(text_)); });
  return scaled(value, scale);
}

Field::Bytes CharField::getBytes() const {
  if (isNull()) return {};
  return WireText::toWire(text_);
}

std::optional<plat::time::Date> CharField::getDate() const {
  if (isNull()) return std::nullopt;
  return parsed([&] { return plat::time::Date::valueOf(trimmed(text_)); });
}

std::optional<plat::time::Time> CharField::getTime() const {
  if (isNull()) return std::nullopt;
  return parsed([&] { return plat::time::Time::valueOf(trimmed(text_)); });
}

std::optional<plat::time::Timestamp> CharField::getTimestamp() const {
  if (isNull()) return std::nullopt;
  return parsed([&] { return plat::time::Timestamp::valueOf(trimmed(text_)); });
}

std::optional<std::string> CharField::getString() const {
  if (isNull()) return std::nullopt;
  return text_;
}

plat::lang::Value CharField::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value(text_);
}

void CharField::setBigDecimal(const std::optional<Decimal>& value) {
  if (!value) {
    setNull(0);
    return;
  }
  store(value->toString());
}

void CharField::setLong(std::int64_t value) {
  store(plat::lang::Long::toString(value));
}

void CharField::setFloat(float value) {
  store(plat::lang::Float::toString(value));
}

void CharField::setDouble(double value) {
  store(plat::lang::Double::toString(value));
}

void CharField::setBytes(const Bytes& value) {
  store(WireText::fromWire(value));
}

void CharField::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::String)) {
    store(value.getString());
  } else {
    cantConvert();
  }
}

void CharField::setFromStream(const StreamRef& stream, int length) {
  if (!stream) {
    setNull(0);
    return;
  }
  store(WireText::fromWire(readStream(*stream, length)));
}

void CharField::readValue(plat::io::DataInputStream& in) {
  NetString::readText(in, text_);
}

void CharField::writeValue(plat::io::DataOutputStream& out) const {
  WireFormat::writeString(out, text_);
}

}  // namespace quenlora::zafoli::db::net
