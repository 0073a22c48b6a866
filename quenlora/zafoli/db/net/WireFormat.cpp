#include "quenlora/zafoli/db/net/WireFormat.h"

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

void WireFormat::writeString(plat::io::DataOutputStream& out, std::string_view text) {
  const std::vector<std::uint8_t> bytes = WireText::toWire(text);
  if (bytes.size() > kMaxObjectBytes) {
    throw plat::io::IOException("String object of " + std::to_string(bytes.size()) + " bytes exceeds the limit of " +
                                std::to_string(kMaxObjectBytes));
  }
  out.writeByte(Define::SERVER_STRING);
  out.writeShort(static_cast<int>(bytes.size()));
  out.write(bytes.data(), bytes.size());
}

void WireFormat::writeEot(plat::io::DataOutputStream& out) {
  out.writeByte(Define::SERVER_EOT);
  out.writeShort(0);
}

}  // namespace quenlora::zafoli::db::net
