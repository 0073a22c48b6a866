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

// The same written at p, into room the caller has, each answering the position after what it wrote: a value's
// fixed parts gathered in a local array go into a buffer in one insert instead of a growth check per byte.
inline std::uint8_t* put8(std::uint8_t* p, int v) {
  *p = static_cast<std::uint8_t>(v);
  return p + 1;
}
inline std::uint8_t* put16(std::uint8_t* p, int v) {
  return put8(put8(p, (v >> 8) & 0xFF), v & 0xFF);
}
inline std::uint8_t* put32(std::uint8_t* p, std::uint32_t v) {
  return put16(put16(p, static_cast<int>(v >> 16)), static_cast<int>(v & 0xFFFF));
}
// The low width bytes of v (width 1 to 8).
inline std::uint8_t* putLow(std::uint8_t* p, int width, std::uint64_t v) {
  for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) p = put8(p, static_cast<int>((v >> shift) & 0xFF));
  return p;
}

}  // namespace testkit::middleware::bigendian
