#include "quenlora/zafoli/db/net/NetData.h"

#include <algorithm>
#include <bit>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

using plat::lang::makeRef;
using plat::lang::Ref;

NetData::NetData(const Bytes& bytes, std::size_t length)
    : data_(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size()))) {}

Ref<NetData> NetData::ofByte(std::int8_t v) {
  return makeRef<NetData>(Bytes{static_cast<std::uint8_t>(v)});
}

Ref<NetData> NetData::ofShort(std::int16_t v) {
  Bytes b(2);
  WireFormat::encodeShort(v, b.data());
  return makeRef<NetData>(std::move(b));
}

Ref<NetData> NetData::ofInt(std::int32_t v) {
  Bytes b(4);
  WireFormat::encodeInt(v, b.data());
  return makeRef<NetData>(std::move(b));
}

Ref<NetData> NetData::ofLong(std::int64_t v) {
  Bytes b(8);
  WireFormat::encodeLong(v, b.data());
  return makeRef<NetData>(std::move(b));
}

Ref<NetData> NetData::ofFloat(float v) {
  return ofInt(std::bit_cast<std::int32_t>(v));
}

Ref<NetData> NetData::ofDouble(double v) {
  return ofLong(std::bit_cast<std::int64_t>(v));
}

Ref<NetData> NetData::ofBoolean(bool v) {
  return makeRef<NetData>(Bytes{static_cast<std::uint8_t>(v ? 1 : 0)});
}

Ref<NetData> NetData::ofText(std::string_view text) {
  return makeRef<NetData>(WireText::toWire(text));
}

Ref<NetData> NetData::ofBytes(Bytes bytes) {
  return makeRef<NetData>(std::move(bytes));
}

int NetData::getType() const {
  return Define::SERVER_DATA;
}

void NetData::read(plat::io::DataInputStream& in) {
  WireInput::data(in, data_);
}

void NetData::write(plat::io::DataOutputStream& out) const {
  WireFormat::writeData(out, data_);
}

const std::uint8_t* NetData::need(std::size_t width) const {
  if (data_.size() < width) throw plat::io::EOFException(NetErrors::END_OF_DATA);
  return data_.data();
}

std::int8_t NetData::getByte() const {
  return static_cast<std::int8_t>(*need(1));
}

std::int16_t NetData::getShort() const {
  return WireFormat::decodeShort(need(2));
}

std::int32_t NetData::getInt() const {
  return WireFormat::decodeInt(need(4));
}

std::int64_t NetData::getLong() const {
  return WireFormat::decodeLong(need(8));
}

float NetData::getFloat() const {
  return std::bit_cast<float>(getInt());
}

double NetData::getDouble() const {
  return std::bit_cast<double>(getLong());
}

bool NetData::getBool() const {
  return *need(1) != 0;
}

}  // namespace quenlora::zafoli::db::net
