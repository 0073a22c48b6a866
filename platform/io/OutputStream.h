// Sink of bytes, shaped like the runtime's output stream: write(int) writes the low 8 bits. A stream is used by one
// thread at a time. Subclasses override write(int) and write(const uint8_t*, size_t); one that overrides either
// must say `using OutputStream::write;` so the other overloads stay visible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/lang/Object.h"

namespace plat::io {

class OutputStream : public plat::lang::Object {
 public:
  OutputStream() = default;
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;
  ~OutputStream() override = default;

  virtual void write(int b) = 0;
  // The default writes byte by byte.
  virtual void write(const std::uint8_t* buf, std::size_t len);
  // The runtime's write(b, off, len): IndexOutOfBoundsException when off/len leave the buffer.
  void write(const std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len);
  void write(const std::vector<std::uint8_t>& buf) { write(buf.data(), buf.size()); }

  virtual void flush() {}
  virtual void close() {}
};

}  // namespace plat::io
