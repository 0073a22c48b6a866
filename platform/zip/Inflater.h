// Inflation of raw DEFLATE data (no zlib header, no checksum, 32 KB window) into a block of known size. Stateless;
// may be called from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat::zip {

class Inflater {
 public:
  Inflater() = delete;

  // The inflated bytes when data holds a complete DEFLATE stream that inflates to exactly `expected` bytes;
  // DataFormatException for a corrupt, truncated, shorter or longer stream. Never allocates more than `expected`
  // bytes of output, and grows it with what really inflates, so a short block that claims a huge size costs
  // little.
  // Bytes after the end of the stream are ignored.
  static std::vector<std::uint8_t> inflateExactly(const std::uint8_t* data, std::size_t n, std::size_t expected);
};

}  // namespace plat::zip
