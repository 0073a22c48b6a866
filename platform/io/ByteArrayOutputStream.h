// Output stream that collects bytes in memory. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/io/OutputStream.h"

namespace plat::io {

class ByteArrayOutputStream : public OutputStream {
 public:
  ByteArrayOutputStream() = default;
  explicit ByteArrayOutputStream(std::size_t initialCapacity) { bytes_.reserve(initialCapacity); }

  using OutputStream::write;
  void write(int b) override { bytes_.push_back(static_cast<std::uint8_t>(b)); }
  void write(const std::uint8_t* buf, std::size_t len) override;

  std::vector<std::uint8_t> toByteArray() const { return bytes_; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  void reset() { bytes_.clear(); }
  void writeTo(OutputStream& out) const { out.write(bytes_.data(), bytes_.size()); }
  // The bytes as 8-bit text: each byte is the character U+0000..U+00FF, written as UTF-8.
  std::string toString() const override;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace plat::io
