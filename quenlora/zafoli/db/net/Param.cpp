#include "quenlora/zafoli/db/net/Param.h"

#include <array>
#include <cstring>

#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

constexpr std::array<std::uint8_t, 4> kMarker = {'F', 'L', 'D', '}'};

}  // namespace

Param::Param(std::uint8_t id, int argumentType, Values values) : v_(std::move(values)) {
  setId(id);
  setTypeWord(static_cast<std::int16_t>(argumentType));
}

Ref<Param> Param::ofShort(std::uint8_t id, std::int16_t v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_SHORT, Values{NetData::ofShort(v)});
}

Ref<Param> Param::ofInt(std::uint8_t id, std::int32_t v, bool isObjectRef) {
  return makeRef<Param>(id, isObjectRef ? Define::SERVER_TYPE_REFERENCE : Define::SERVER_TYPE_INT,
                        Values{NetData::ofInt(v)});
}

Ref<Param> Param::ofLong(std::uint8_t id, std::int64_t v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_LONG, Values{NetData::ofLong(v)});
}

Ref<Param> Param::ofBoolean(std::uint8_t id, bool v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_BOOL, Values{NetData::ofBoolean(v)});
}

Ref<Param> Param::ofFloat(std::uint8_t id, float v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_FLOAT, Values{NetData::ofFloat(v)});
}

Ref<Param> Param::ofDouble(std::uint8_t id, double v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_DOUBLE, Values{NetData::ofDouble(v)});
}

Ref<Param> Param::ofBytes(std::uint8_t id, Bytes v) {
  return makeRef<Param>(id, Define::SERVER_TYPE_BYTEARRAY, Values{NetData::ofBytes(std::move(v))});
}

Ref<Param> Param::ofBytes(std::uint8_t id, const Bytes& v, std::size_t length) {
  return makeRef<Param>(id, Define::SERVER_TYPE_BYTEARRAY, Values{makeRef<NetData>(v, length)});
}

int Param::getType() const {
  return Define::SERVER_PARAM;
}

void Param::read(plat::io::DataInputStream& in) {
  in.readShort();
  std::array<std::uint8_t, kMarker.size()> leader;
  in.readFully(leader.data(), leader.size());
  setId(static_cast<std::uint8_t>(in.readUnsignedByte()));
  setTypeWord(static_cast<std::int16_t>(in.readUnsignedByte()));
  v_.clear();
  for (;;) {
    Ref<ServerObject> object = NetClass::getNextObject(in);
    if (object->getType() == Define::SERVER_EOT) break;
    auto data = plat::lang::refCast<NetData>(object);
    if (!data) {
      if (NetClass::deferError(object)) continue;
      onObjectError(*object);
    }
    v_.push_back(std::move(data));
  }
}

namespace {

constexpr std::size_t kHeadBytes = 9;  // marker, length, leader, id, type byte

void putHead(std::uint8_t* p, std::uint8_t id, int argumentType) {
  p[0] = static_cast<std::uint8_t>(Define::SERVER_PARAM);
  p[1] = static_cast<std::uint8_t>(Param::kWrittenLength >> 8);
  p[2] = static_cast<std::uint8_t>(Param::kWrittenLength);
  std::memcpy(p + 3, kMarker.data(), kMarker.size());
  p[7] = id;
  p[8] = static_cast<std::uint8_t>(argumentType);
}

}  // namespace

void Param::writeHead(plat::io::DataOutputStream& out, std::uint8_t id, int argumentType) {
  std::uint8_t head[kHeadBytes];
  putHead(head, id, argumentType);
  out.write(head, sizeof head);
}

void Param::write(plat::io::DataOutputStream& out) const {
  // Every call sends a few of these, mostly one short number each: such an argument goes out in one write.
  std::array<std::uint8_t, 64> packed;
  std::size_t size = kHeadBytes + 3;
  for (const auto& value : v_) size += 3 + value->size();
  if (size <= packed.size()) {
    putHead(packed.data(), getId(), getTypeWord());
    std::size_t n = kHeadBytes;
    for (const auto& value : v_) {
      const auto& bytes = value->getBytes();
      packed[n++] = static_cast<std::uint8_t>(Define::SERVER_DATA);
      packed[n++] = static_cast<std::uint8_t>(bytes.size() >> 8);
      packed[n++] = static_cast<std::uint8_t>(bytes.size());
      if (!bytes.empty()) std::memcpy(packed.data() + n, bytes.data(), bytes.size());
      n += bytes.size();
    }
    packed[n++] = static_cast<std::uint8_t>(Define::SERVER_EOT);
    packed[n++] = 0;
    packed[n++] = 0;
    out.write(packed.data(), n);
    return;
  }
  writeHead(out, getId(), getTypeWord());
  for (const auto& value : v_) value->write(out);
  WireFormat::writeEot(out);
}

void Param::writeInt(plat::io::DataOutputStream& out, std::uint8_t id, std::int32_t v, bool isObjectRef) {
  // The whole argument in one write: head, one four-byte data object, end marker.
  std::uint8_t bytes[kHeadBytes + 7 + 3];
  putHead(bytes, id, isObjectRef ? Define::SERVER_TYPE_REFERENCE : Define::SERVER_TYPE_INT);
  std::uint8_t* p = bytes + kHeadBytes;
  p[0] = static_cast<std::uint8_t>(Define::SERVER_DATA);
  p[1] = 0;
  p[2] = 4;
  WireFormat::encodeInt(v, p + 3);
  p[7] = static_cast<std::uint8_t>(Define::SERVER_EOT);
  p[8] = 0;
  p[9] = 0;
  out.write(bytes, sizeof bytes);
}

}  // namespace quenlora::zafoli::db::net
