#include "platform/io/DataInputStream.h"

#include <bit>
#include <cstring>

#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"

namespace plat::io {

DataInputStream::DataInputStream(plat::lang::Ref<InputStream> in) : in_(std::move(in)) {}

DataInputStream::~DataInputStream() {
  try {
    close();
  } catch (...) {
  }
}

InputStream& DataInputStream::in() {
  if (!in_) throw IOException("Stream closed");
  return *in_;
}

int DataInputStream::read() {
  return in().read();
}

int DataInputStream::read(std::uint8_t* buf, std::size_t len) {
  return in().read(buf, len);
}

std::int64_t DataInputStream::skip(std::int64_t n) {
  return in().skip(n);
}

int DataInputStream::available() {
  return in().available();
}

void DataInputStream::close() {
  if (!in_) return;
  auto in = std::move(in_);
  in_.reset();
  in->close();
}

void DataInputStream::readFully(std::uint8_t* buf, std::size_t len) {
  InputStream& src = in();
  std::size_t n = 0;
  while (n < len) {
    const int got = src.read(buf + n, len - n);
    if (got < 0) throw EOFException();
    n += static_cast<std::size_t>(got);
  }
}

void DataInputStream::readFully(std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len) {
  if (off > buf.size() || len > buf.size() - off) throw plat::lang::IndexOutOfBoundsException();
  readFully(buf.data() + off, len);
}

int DataInputStream::skipBytes(int n) {
  InputStream& src = in();
  int total = 0;
  while (total < n) {
    const std::int64_t k = src.skip(n - total);
    if (k <= 0) break;
    total += static_cast<int>(k);
  }
  return total;
}

bool DataInputStream::readBoolean() {
  return readUnsignedByte() != 0;
}

std::int8_t DataInputStream::readByte() {
  return static_cast<std::int8_t>(readUnsignedByte());
}

int DataInputStream::readUnsignedByte() {
  const int c = in().read();
  if (c < 0) throw EOFException();
  return c;
}

std::int16_t DataInputStream::readShort() {
  return static_cast<std::int16_t>(readUnsignedShort());
}

int DataInputStream::readUnsignedShort() {
  std::uint8_t b[2];
  readFully(b, sizeof b);
  return (b[0] << 8) | b[1];
}

char16_t DataInputStream::readChar() {
  return static_cast<char16_t>(readUnsignedShort());
}

std::int32_t DataInputStream::readInt() {
  std::uint8_t b[4];
  readFully(b, sizeof b);
  const std::uint32_t v = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
  return static_cast<std::int32_t>(v);
}

std::int64_t DataInputStream::readLong() {
  std::uint8_t b[8];
  readFully(b, sizeof b);
  std::uint64_t v = 0;
  for (std::uint8_t byte : b) v = (v << 8) | byte;
  return static_cast<std::int64_t>(v);
}

float DataInputStream::readFloat() {
  return std::bit_cast<float>(static_cast<std::uint32_t>(readInt()));
}

double DataInputStream::readDouble() {
  return std::bit_cast<double>(static_cast<std::uint64_t>(readLong()));
}

}  // namespace plat::io
