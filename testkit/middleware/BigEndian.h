// Appending integers to a byte buffer in network order, as every form of the middleware wire carries them.
#pragma once

#include <cstdint>
#include <vector>

namespace testkit::middleware::bigendian {

inline void u8(std::vector<std::uint8_t>& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
}
inline void u16(std::vector<std::uint8_t>& b, int v) {
  u8(b, (v >> 8) & 0xFF);
  u8(b, v & 0xFF);
}
inline void u32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  u16(b, static_cast<int>(v >> 16));
  u16(b, static_cast<int>(v & 0xFFFF));
}
inline void u64(std::vector<std::uint8_t>& b, std::uint64_t v) {
  u32(b, static_cast<std::uint32_t>(v >> 32));
  u32(b, static_cast<std::uint32_t>(v));
}

}  // namespace testkit::middleware::bigendian
