#include "platform/io/ByteArrayInputStream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace plat::io {

ByteArrayInputStream::ByteArrayInputStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

ByteArrayInputStream::ByteArrayInputStream(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}

int ByteArrayInputStream::read() {
  return pos_ < bytes_.size() ? bytes_[pos_++] : -1;
}

int ByteArrayInputStream::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  if (pos_ >= bytes_.size()) return -1;
  const std::size_t n = std::min({len, bytes_.size() - pos_, static_cast<std::size_t>(INT_MAX)});
  std::memcpy(buf, bytes_.data() + pos_, n);
  pos_ += n;
  return static_cast<int>(n);
}

std::int64_t ByteArrayInputStream::skip(std::int64_t n) {
  if (n <= 0) return 0;
  const std::size_t k = std::min(static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(bytes_.size() - pos_));
  pos_ += k;
  return static_cast<std::int64_t>(k);
}

int ByteArrayInputStream::available() {
  return static_cast<int>(std::min(bytes_.size() - pos_, static_cast<std::size_t>(INT_MAX)));
}

void ByteArrayInputStream::mark(int) {
  mark_ = pos_;
}

void ByteArrayInputStream::reset() {
  pos_ = mark_;
}

}  // namespace plat::io
