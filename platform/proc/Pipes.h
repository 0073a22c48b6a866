// Streams over the parent's ends of a child's pipes. Internal to plat::proc; used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"

namespace plat::proc::detail {

class PipeInputStream : public plat::io::InputStream {
 public:
  explicit PipeInputStream(int fd) : fd_(fd) {}
  ~PipeInputStream() override;

  using plat::io::InputStream::read;
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  int available() override;
  void close() override;

 private:
  int fd_;  // owned; -1 once closed or for a stream that is empty from the start
};

class PipeOutputStream : public plat::io::OutputStream {
 public:
  explicit PipeOutputStream(int fd) : fd_(fd) {}
  ~PipeOutputStream() override;

  using plat::io::OutputStream::write;
  void write(int b) override;
  void write(const std::uint8_t* buf, std::size_t len) override;
  void close() override;

 private:
  int fd_;  // owned; -1 once closed
};

}  // namespace plat::proc::detail
