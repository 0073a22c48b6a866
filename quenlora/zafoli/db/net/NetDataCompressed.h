// Compressed data object (type 79), received only: a compressed size, the original size and raw DEFLATE bytes.
// Once read it is an ordinary data object of type 51 holding the inflated bytes. Same thread contract as NetData.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quenlora/zafoli/db/net/NetData.h"

namespace quenlora::zafoli::db::net {

class NetDataCompressed : public NetData {
 public:
  // Largest original size accepted, whatever the frame claims.
  static constexpr std::int64_t kMaxOriginalBytes = std::int64_t{64} << 20;
  // DEFLATE cannot expand data by more than this factor (plus a small constant), so a larger claim is false.
  static constexpr std::int64_t kMaxRatio = 1032;
  static constexpr std::int64_t kRatioSlack = 64;

  NetDataCompressed() = default;

  // Answers 51: after reading, the object serves its bytes like any data object.
  int getType() const override;
  // Fails with IOException "Expand of compressed data block failed." unless the compressed size is above 0, the
  // original size is above 0 and within the limits above, and the bytes inflate to exactly the original size.
  void read(plat::io::DataInputStream& in) override;

  // Whether the original size is one the reader accepts for that compressed size.
  static bool acceptableSizes(std::int64_t compressedSize, std::int64_t originalSize);
};

}  // namespace quenlora::zafoli::db::net
