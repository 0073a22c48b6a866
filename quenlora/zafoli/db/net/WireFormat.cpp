#include "quenlora/zafoli/db/net/WireFormat.h"

#include <algorithm>
#include <string>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

void WireFormat::writeData(plat::io::DataOutputStream& out, const std::uint8_t* bytes, std::size_t size) {
  if (size > kMaxObjectBytes) {
    throw plat::io::IOException("Data object of " + std::to_string(size) + " bytes exceeds the limit of " +
                                std::to_string(kMaxObjectBytes));
  }
  out.writeByte(Define::SERVER_DATA);
  out.writeShort(static_cast<int>(size));
  out.write(bytes, size);
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
  out.writeByte(Define::SERVER_STRING);
  out.writeShort(static_cast<int>(size));
  out.write(bytes, size);
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
  out.writeByte(Define::SERVER_EOT);
  out.writeShort(0);
}

}  // namespace quenlora::zafoli::db::net
