// Big-endian number coding and the writers of the plain carrier objects that the other wire objects embed (data,
// string, end marker), shared so that every object writes them the same way. Stateless; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"

namespace quenlora::zafoli::db::net {

class WireFormat {
 public:
  WireFormat() = delete;

  // Largest byte count a signed 16-bit length field can announce.
  static constexpr int kMaxObjectBytes = 32767;

  static std::int16_t decodeShort(const std::uint8_t* p) {
    return static_cast<std::int16_t>((static_cast<unsigned>(p[0]) << 8) | p[1]);
  }
  static std::int32_t decodeInt(const std::uint8_t* p) {
    return static_cast<std::int32_t>((std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                     (std::uint32_t{p[2]} << 8) | p[3]);
  }
  static std::int64_t decodeLong(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
    return static_cast<std::int64_t>(v);
  }
  static void encodeShort(std::int16_t v, std::uint8_t* p) {
    const auto u = static_cast<std::uint16_t>(v);
    p[0] = static_cast<std::uint8_t>(u >> 8);
    p[1] = static_cast<std::uint8_t>(u);
  }
  static void encodeInt(std::int32_t v, std::uint8_t* p) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (24 - 8 * i));
  }
  static void encodeLong(std::int64_t v, std::uint8_t* p) {
    const auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(u >> (56 - 8 * i));
  }

  // A data object (51) holding the bytes. More than kMaxObjectBytes cannot be framed: IOException.
  static void writeData(plat::io::DataOutputStream& out, const std::uint8_t* bytes, std::size_t size);
  static void writeData(plat::io::DataOutputStream& out, const std::vector<std::uint8_t>& bytes) {
    writeData(out, bytes.data(), bytes.size());
  }
  static void writeShortData(plat::io::DataOutputStream& out, std::int16_t v);
  // A string object (52) holding the text's wire bytes.
  static void writeString(plat::io::DataOutputStream& out, std::string_view text);
  // The empty end marker: 50 00 00.
  static void writeEot(plat::io::DataOutputStream& out);
};

}  // namespace quenlora::zafoli::db::net
