// Output stream that collects small writes and passes them on in blocks. Closing it flushes and closes the sink.
// Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/BufferedInputStream.h"
#include "platform/io/OutputStream.h"

namespace plat::io {

class BufferedOutputStream : public OutputStream {
 public:
  explicit BufferedOutputStream(plat::lang::Ref<OutputStream> out, std::size_t size = kDefaultBufferSize);
  ~BufferedOutputStream() override;

  using OutputStream::write;
  void write(int b) override;
  void write(const std::uint8_t* buf, std::size_t len) override;
  void flush() override;
  void close() override;

 private:
  void flushBuffer();
  OutputStream& sink();

  plat::lang::Ref<OutputStream> out_;  // null once closed
  std::vector<std::uint8_t> buf_;      // pending bytes, size() < capacity_
  std::size_t capacity_;
};

}  // namespace plat::io
