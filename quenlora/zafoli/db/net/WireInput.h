// Reads a wire value's bytes straight from the packet buffer of a session's input stream when the packet holds
// them all, instead of a virtual read per field; other sources, and bytes that cross a packet's end, go through the
// data stream as before, with its errors. Stateless; the stream's own thread contract applies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <vector>

#include "platform/io/DataInputStream.h"
#include "quenlora/zafoli/db/net/SocketIS.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

class WireInput {
 public:
  WireInput() = delete;

  // The session input under the data stream, or nullptr for any other source (or a closed stream).
  static SocketIS* packetSource(plat::io::DataInputStream& in) {
    plat::io::InputStream* source = in.source().get();
    // SocketIS is final, so its exact type is enough; the type records' addresses are compared, not their names,
    // which costs a string comparison for every other source (a miss only means the ordinary reads).
    if (source == nullptr || &typeid(*source) != &typeid(SocketIS)) return nullptr;
    return static_cast<SocketIS*>(source);
  }

  // n bytes of the stream: in place in the packet when it holds them, else read into scratch (at least n bytes).
  static const std::uint8_t* bytes(plat::io::DataInputStream& in, std::uint8_t* scratch, std::size_t n) {
    if (SocketIS* socket = packetSource(in)) {
      if (const std::uint8_t* p = socket->take(n)) return p;
    }
    in.readFully(scratch, n);
    return scratch;
  }

  // An object's signed 16-bit length word: 0 or less means no bytes follow.
  static std::size_t length(plat::io::DataInputStream& in) {
    std::uint8_t scratch[2];
    return lengthAt(bytes(in, scratch, sizeof scratch));
  }
  // The length word at p, as length reads it.
  static std::size_t lengthAt(const std::uint8_t* p) {
    const std::int16_t n = WireFormat::decodeShort(p);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }

  // A length word and that many bytes, as a data object holds them, into to.
  static void data(plat::io::DataInputStream& in, std::vector<std::uint8_t>& to) {
    const std::size_t n = length(in);
    to.resize(n);
    const std::uint8_t* p = bytes(in, to.data(), n);
    if (p != to.data()) std::copy_n(p, n, to.data());
  }

  // One unsigned byte, as DataInputStream::readUnsignedByte.
  static int unsignedByte(plat::io::DataInputStream& in) {
    if (SocketIS* socket = packetSource(in)) {
      if (const std::uint8_t* p = socket->take(1)) return *p;
    }
    return in.readUnsignedByte();
  }
};

}  // namespace quenlora::zafoli::db::net
