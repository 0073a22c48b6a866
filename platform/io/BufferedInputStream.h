// Input stream that reads its source in blocks; supports mark and reset within the mark's read limit. Closing it
// closes the source. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/InputStream.h"

namespace plat::io {

inline constexpr std::size_t kDefaultBufferSize = 8192;

class BufferedInputStream : public InputStream {
 public:
  explicit BufferedInputStream(plat::lang::Ref<InputStream> in, std::size_t size = kDefaultBufferSize);
  ~BufferedInputStream() override;

  using InputStream::read;
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  std::int64_t skip(std::int64_t n) override;
  int available() override;
  void close() override;

  bool markSupported() const override { return true; }
  void mark(int readLimit) override;
  void reset() override;

 private:
  // Makes room and reads more from the source; false at its end.
  bool fill();
  InputStream& source();

  plat::lang::Ref<InputStream> in_;  // null once closed
  std::vector<std::uint8_t> buf_;
  std::size_t pos_ = 0;       // next byte to hand out, <= count_
  std::size_t count_ = 0;     // valid bytes in buf_
  std::ptrdiff_t mark_ = -1;  // position of the mark in buf_, -1 for none
  std::size_t markLimit_ = 0;
  std::size_t blockSize_;
};

}  // namespace plat::io
