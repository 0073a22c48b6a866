// Reads big-endian primitive values from a source stream; EOFException when the stream ends inside a value.
// Closing it closes the source. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/InputStream.h"

namespace plat::io {

class DataInputStream : public InputStream {
 public:
  explicit DataInputStream(plat::lang::Ref<InputStream> in);
  ~DataInputStream() override;

  using InputStream::read;
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  std::int64_t skip(std::int64_t n) override;
  int available() override;
  void close() override;

  // Reads exactly len bytes, or throws EOFException.
  void readFully(std::uint8_t* buf, std::size_t len);
  void readFully(std::vector<std::uint8_t>& buf) { readFully(buf.data(), buf.size()); }
  void readFully(std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len);
  // Skips exactly n bytes unless the stream ends first; returns how many were skipped.
  int skipBytes(int n);

  bool readBoolean();
  std::int8_t readByte();
  int readUnsignedByte();
  std::int16_t readShort();
  int readUnsignedShort();
  char16_t readChar();
  std::int32_t readInt();
  std::int64_t readLong();
  float readFloat();
  double readDouble();

  const plat::lang::Ref<InputStream>& source() const { return in_; }

 private:
  InputStream& in();

  plat::lang::Ref<InputStream> in_;  // null once closed
};

}  // namespace plat::io
