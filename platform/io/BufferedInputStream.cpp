#include "platform/io/BufferedInputStream.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/io/IOException.h"

namespace plat::io {

namespace {

constexpr std::size_t kMinBufferSize = 1;

}  // namespace

BufferedInputStream::BufferedInputStream(plat::lang::Ref<InputStream> in, std::size_t size)
    : in_(std::move(in)), blockSize_(std::max(size, kMinBufferSize)) {
  buf_.resize(blockSize_);
}

BufferedInputStream::~BufferedInputStream() {
  try {
    close();
  } catch (...) {
  }
}

InputStream& BufferedInputStream::source() {
  if (!in_) throw IOException("Stream closed");
  return *in_;
}

bool BufferedInputStream::fill() {
  InputStream& in = source();
  if (mark_ < 0) {
    pos_ = count_ = 0;
  } else if (pos_ >= buf_.size()) {
    // Keep the bytes from the mark on; drop the mark once more than its limit was read past it.
    const auto keepFrom = static_cast<std::size_t>(mark_);
    if (count_ - keepFrom >= markLimit_) {
      mark_ = -1;
      pos_ = count_ = 0;
    } else {
      if (keepFrom > 0) {
        std::memmove(buf_.data(), buf_.data() + keepFrom, count_ - keepFrom);
        pos_ -= keepFrom;
        count_ -= keepFrom;
        mark_ = 0;
      }
      if (count_ >= buf_.size()) buf_.resize(std::min(std::max(buf_.size() * 2, blockSize_), markLimit_));
    }
  }
  const int got = in.read(buf_.data() + count_, buf_.size() - count_);
  if (got <= 0) return false;
  count_ += static_cast<std::size_t>(got);
  return true;
}

int BufferedInputStream::read() {
  if (pos_ >= count_ && !fill()) return -1;
  return buf_[pos_++];
}

int BufferedInputStream::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  source();
  if (pos_ >= count_) {
    // A large read without a mark goes straight to the source instead of through the buffer.
    if (len >= buf_.size() && mark_ < 0) return in_->read(buf, len);
    if (!fill()) return -1;
  }
  const std::size_t n = std::min({len, count_ - pos_, static_cast<std::size_t>(INT_MAX)});
  std::memcpy(buf, buf_.data() + pos_, n);
  pos_ += n;
  return static_cast<int>(n);
}

std::int64_t BufferedInputStream::skip(std::int64_t n) {
  if (n <= 0) return 0;
  source();
  if (pos_ >= count_) {
    if (mark_ < 0) return in_->skip(n);
    if (!fill()) return 0;
  }
  const std::size_t k = std::min(static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(count_ - pos_));
  pos_ += k;
  return static_cast<std::int64_t>(k);
}

int BufferedInputStream::available() {
  const std::size_t buffered = count_ - pos_;
  const std::size_t more = static_cast<std::size_t>(std::max(0, source().available()));
  return static_cast<int>(std::min(buffered + more, static_cast<std::size_t>(INT_MAX)));
}

void BufferedInputStream::close() {
  if (!in_) return;
  auto in = std::move(in_);
  in_.reset();
  buf_.clear();
  pos_ = count_ = 0;
  in->close();
}

void BufferedInputStream::mark(int readLimit) {
  markLimit_ = static_cast<std::size_t>(std::max(readLimit, 0));
  mark_ = static_cast<std::ptrdiff_t>(pos_);
}

void BufferedInputStream::reset() {
  source();
  if (mark_ < 0) throw IOException("Resetting to invalid mark");
  pos_ = static_cast<std::size_t>(mark_);
}

}  // namespace plat::io
