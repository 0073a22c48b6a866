#include "platform/io/InputStream.h"

#include <algorithm>
#include <climits>

#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"

namespace plat::io {

namespace {

// A read answers an int count, so one call never asks for more.
constexpr std::size_t kMaxReadChunk = INT_MAX;
constexpr std::size_t kSkipBufferSize = 2048;

}  // namespace

int InputStream::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  len = std::min(len, kMaxReadChunk);
  int c = read();
  if (c < 0) return -1;
  buf[0] = static_cast<std::uint8_t>(c);
  std::size_t n = 1;
  // Like the runtime, a failure after the first byte ends the read with what was read.
  try {
    while (n < len) {
      c = read();
      if (c < 0) break;
      buf[n++] = static_cast<std::uint8_t>(c);
    }
  } catch (const IOException&) {
  }
  return static_cast<int>(n);
}

int InputStream::read(std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len) {
  if (off > buf.size() || len > buf.size() - off) throw plat::lang::IndexOutOfBoundsException();
  return read(buf.data() + off, len);
}

std::int64_t InputStream::skip(std::int64_t n) {
  if (n <= 0) return 0;
  std::uint8_t scratch[kSkipBufferSize];
  std::int64_t remaining = n;
  while (remaining > 0) {
    const int got = read(scratch, static_cast<std::size_t>(std::min<std::int64_t>(remaining, sizeof scratch)));
    if (got < 0) break;
    remaining -= got;
  }
  return n - remaining;
}

void InputStream::reset() {
  throw IOException("mark/reset not supported");
}

}  // namespace plat::io
