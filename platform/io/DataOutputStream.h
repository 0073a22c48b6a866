// Writes big-endian primitive values to a sink stream and counts the bytes written. Closing it closes the sink.
// Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/io/OutputStream.h"

namespace plat::io {

class DataOutputStream : public OutputStream {
 public:
  explicit DataOutputStream(plat::lang::Ref<OutputStream> out);
  ~DataOutputStream() override;

  using OutputStream::write;
  void write(int b) override;
  void write(const std::uint8_t* buf, std::size_t len) override;
  void flush() override;
  void close() override;

  void writeBoolean(bool v);
  void writeByte(int v);
  void writeShort(int v);
  void writeChar(int v);
  void writeInt(std::int32_t v);
  void writeLong(std::int64_t v);
  void writeFloat(float v);
  void writeDouble(double v);
  // Bytes written so far.
  std::int64_t size() const { return written_; }

 private:
  OutputStream& out();

  plat::lang::Ref<OutputStream> out_;  // null once closed
  std::int64_t written_ = 0;
};

}  // namespace plat::io
