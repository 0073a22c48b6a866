// Input stream over its own copy of a byte array; supports mark and reset. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/InputStream.h"

namespace plat::io {

class ByteArrayInputStream : public InputStream {
 public:
  explicit ByteArrayInputStream(std::vector<std::uint8_t> bytes);
  ByteArrayInputStream(const std::uint8_t* data, std::size_t size);

  using InputStream::read;
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  std::int64_t skip(std::int64_t n) override;
  int available() override;

  bool markSupported() const override { return true; }
  void mark(int readLimit) override;
  void reset() override;

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t pos_ = 0;   // <= bytes_.size()
  std::size_t mark_ = 0;  // <= bytes_.size()
};

}  // namespace plat::io
