#include "quenlora/zafoli/db/net/NetString.h"

#include <array>
#include <cstdint>

#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

namespace {

// Short texts, the common case, are decoded from the stack without a temporary heap buffer.
constexpr std::size_t kStackText = 256;

}  // namespace

int NetString::getType() const {
  return Define::SERVER_STRING;
}

void NetString::readText(plat::io::DataInputStream& in, std::string& text) {
  SocketIS* socket = WireInput::packetSource(in);
  // The length word and the text in one take when the packet holds both; otherwise the length word is read as any,
  // and the text still in place when it lies whole in one packet.
  if (const std::uint8_t* word = socket != nullptr ? socket->peek(2) : nullptr) {
    const std::size_t n = WireInput::lengthAt(word);
    if (const std::uint8_t* p = socket->take(2 + n)) {
      WireText::assignFromWire(text, p + 2, n);
      return;
    }
  }
  const std::size_t n = WireInput::length(in);
  if (const std::uint8_t* p = socket != nullptr ? socket->take(n) : nullptr) {
    WireText::assignFromWire(text, p, n);
    return;
  }
  if (n <= kStackText) {
    std::array<std::uint8_t, kStackText> buf;
    in.readFully(buf.data(), n);
    WireText::assignFromWire(text, buf.data(), n);
  } else {
    std::vector<std::uint8_t> buf(n);
    in.readFully(buf.data(), n);
    WireText::assignFromWire(text, buf.data(), n);
  }
}

void NetString::read(plat::io::DataInputStream& in) {
  readText(in, text_);
}

void NetString::write(plat::io::DataOutputStream& out) const {
  WireFormat::writeString(out, text_);
}

}  // namespace quenlora::zafoli::db::net
