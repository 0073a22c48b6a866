#include "quenlora/zafoli/db/net/WireFormat.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

namespace {

// A small object is put together behind its type and length and handed on in one write: each write is a call
// through two streams, and a request is mostly small objects.
constexpr std::size_t kJoinedBytes = 128;

void writeObject(plat::io::DataOutputStream& out, int type, const std::uint8_t* bytes, std::size_t size) {
  std::uint8_t joined[3 + kJoinedBytes];
  joined[0] = static_cast<std::uint8_t>(type);
  joined[1] = static_cast<std::uint8_t>(size >> 8);
  joined[2] = static_cast<std::uint8_t>(size);
  if (size <= kJoinedBytes) {
    if (size > 0) std::memcpy(joined + 3, bytes, size);
    out.write(joined, 3 + size);
    return;
  }
  out.write(joined, 3);
  out.write(bytes, size);
}

}  // namespace

void WireFormat::writeData(plat::io::DataOutputStream& out, const std::uint8_t* bytes, std::size_t size) {
  if (size > kMaxObjectBytes) {
    throw plat::io::IOException("Data object of " + std::to_string(size) + " bytes exceeds the limit of " +
                                std::to_string(kMaxObjectBytes));
  }
  writeObject(out, Define::SERVER_DATA, bytes, size);
}

void WireFormat::writeShortData(plat::io::DataOutputStream& out, std::int16_t v) {
  std::uint8_t b[2];
  encodeShort(v, b);
  writeData(out, b, sizeof b);
}

namespace {

void writeStringBytes(plat::io::DataOutputStream& out, const std::uint8_t* bytes, std::size_t size) {
  if (size > WireFormat::kMaxObjectBytes) {
    throw plat::io::IOException("String object of " + std::to_string(size) + " bytes exceeds the limit of " +
                                std::to_string(WireFormat::kMaxObjectBytes));
  }
  writeObject(out, Define::SERVER_STRING, bytes, size);
}

}  // namespace

void WireFormat::writeString(plat::io::DataOutputStream& out, std::string_view text) {
  // Plain ASCII (commands, names, most values) is its own wire text: written as it is, without a converted copy.
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    writeStringBytes(out, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return;
  }
  const std::vector<std::uint8_t> bytes = WireText::toWire(text);
  writeStringBytes(out, bytes.data(), bytes.size());
}

void WireFormat::writeEot(plat::io::DataOutputStream& out) {
  static constexpr std::uint8_t kEot[3] = {static_cast<std::uint8_t>(Define::SERVER_EOT), 0, 0};
  out.write(kEot, sizeof kEot);
}

}  // namespace quenlora::zafoli::db::net
