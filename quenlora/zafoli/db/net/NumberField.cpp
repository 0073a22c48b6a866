#include "quenlora/zafoli/db/net/NumberField.h"

#include <algorithm>
#include <array>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/WireInput.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

namespace {

// No number needs more bytes than this; further data bytes are read and dropped.
constexpr std::size_t kMaxNumberBytes = 8;

}  // namespace

void NumberField::readData(const std::uint8_t*, std::size_t) {
  throw plat::io::IOException(NetErrors::NOT_IMPLEMENTED);
}

void NumberField::readText(std::string_view) {
  throw plat::io::IOException(NetErrors::NOT_IMPLEMENTED);
}

void NumberField::writeData(plat::io::DataOutputStream&) const {
  throw plat::io::IOException(NetErrors::NOT_IMPLEMENTED);
}

void NumberField::needBytes(std::size_t size, std::size_t width) {
  if (size < width) throw plat::io::EOFException(NetErrors::END_OF_DATA);
}

bool NumberField::readInPlace(SocketIS& socket) {
  const std::uint8_t* head = socket.peek(3);
  if (head == nullptr) return false;
  const int type = head[0];
  const std::size_t size = WireInput::lengthAt(head + 1);
  if (type == Define::SERVER_DATA && !carriesText() && size <= kMaxNumberBytes) {
    const std::uint8_t* p = socket.take(3 + size);
    if (p == nullptr) return false;
    readData(p + 3, size);
    return true;
  }
  if (type == Define::SERVER_STRING && carriesText()) {
    const std::uint8_t* p = socket.take(3 + size);
    if (p == nullptr) return false;
    // ASCII bytes are their own text; others take the wire's conversion.
    const auto* bytes = p + 3;
    if (WireText::asciiPrefix(bytes, size) == size) {
      readText(std::string_view(reinterpret_cast<const char*>(bytes), size));
    } else {
      readText(WireText::fromWire(bytes, size));
    }
    return true;
  }
  return false;
}

void NumberField::readValue(plat::io::DataInputStream& in) {
  // The value object's type, length word and bytes in one take when the packet holds them all.
  if (SocketIS* socket = WireInput::packetSource(in); socket != nullptr && readInPlace(*socket)) return;
  const int type = WireInput::unsignedByte(in);
  // The plain value objects are decoded in place: rows carry many numbers, and a heap object per number would
  // dominate the cost of reading them.
  if (type == Define::SERVER_DATA && !carriesText()) {
    const std::size_t size = WireInput::length(in);
    if (size <= kMaxNumberBytes) {
      std::array<std::uint8_t, kMaxNumberBytes> scratch;
      readData(WireInput::bytes(in, scratch.data(), size), size);
      return;
    }
    std::array<std::uint8_t, kMaxNumberBytes> bytes;
    const std::size_t kept = bytes.size();
    in.readFully(bytes.data(), kept);
    std::array<std::uint8_t, kMaxNumberBytes> rest;
    for (std::size_t left = size - kept; left > 0;) {
      const std::size_t n = std::min(left, rest.size());
      in.readFully(rest.data(), n);
      left -= n;
    }
    readData(bytes.data(), kept);
    return;
  }
  if (type == Define::SERVER_STRING && carriesText()) {
    std::string text;
    NetString::readText(in, text);
    readText(text);
    return;
  }
  // Compressed data, or an object that has no business here (the object-error rule).
  plat::lang::Ref<ServerObject> object = NetClass::readObject(type, in);
  if (!carriesText()) {
    if (const auto* data = dynamic_cast<const NetData*>(object.get())) {
      readData(data->getBytes().data(), data->size());
      return;
    }
  }
  // An error in place of the value fails the reply once it is read to its end.
  if (NetClass::deferError(object)) return;
  onObjectError(*object);
}

}  // namespace quenlora::zafoli::db::net
