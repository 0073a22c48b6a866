// Source of bytes, shaped like the runtime's input stream: read() gives 0..255 or -1 at the end. A stream is used by
// one thread at a time. Subclasses override read() and read(uint8_t*, size_t); one that overrides either must say
// `using InputStream::read;` so the other overloads stay visible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/lang/Object.h"

namespace plat::io {

class InputStream : public plat::lang::Object {
 public:
  InputStream() = default;
  InputStream(const InputStream&) = delete;
  InputStream& operator=(const InputStream&) = delete;
  ~InputStream() override = default;

  // Next byte 0..255, or -1 at the end of the stream.
  virtual int read() = 0;
  // Up to len bytes into buf; the count read, 0 only when len is 0, or -1 at the end. Blocks until at least one
  // byte is there. The default reads byte by byte.
  virtual int read(std::uint8_t* buf, std::size_t len);
  // The runtime's read(b, off, len): IndexOutOfBoundsException when off/len leave the buffer.
  int read(std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len);
  int read(std::vector<std::uint8_t>& buf) { return read(buf, 0, buf.size()); }

  // Skips up to n bytes and returns how many were skipped (0 for n <= 0 or at the end).
  virtual std::int64_t skip(std::int64_t n);
  // Bytes that can be read without blocking (an estimate; 0 by default).
  virtual int available() { return 0; }
  virtual void close() {}

  virtual bool markSupported() const { return false; }
  // Remembers the position so reset() can return to it while at most readLimit bytes were read since.
  virtual void mark(int readLimit) { (void)readLimit; }
  // IOException "mark/reset not supported" unless the stream supports marks.
  virtual void reset();
};

}  // namespace plat::io
