#include "platform/io/DataOutputStream.h"

#include <bit>
#include <cmath>

#include "platform/io/IOException.h"

namespace plat::io {

namespace {

constexpr std::uint32_t kCanonicalFloatNaN = 0x7fc00000u;
constexpr std::uint64_t kCanonicalDoubleNaN = 0x7ff8000000000000ull;

}  // namespace

DataOutputStream::DataOutputStream(plat::lang::Ref<OutputStream> out) : out_(std::move(out)) {}

DataOutputStream::~DataOutputStream() {
  try {
    close();
  } catch (...) {
  }
}

OutputStream& DataOutputStream::out() {
  if (!out_) throw IOException("Stream closed");
  return *out_;
}

void DataOutputStream::write(int b) {
  out().write(b);
  ++written_;
}

void DataOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  out().write(buf, len);
  written_ += static_cast<std::int64_t>(len);
}

void DataOutputStream::flush() {
  out().flush();
}

void DataOutputStream::close() {
  if (!out_) return;
  auto sink = std::move(out_);
  out_.reset();
  try {
    sink->flush();
  } catch (...) {
    try {
      sink->close();
    } catch (...) {
    }
    throw;
  }
  sink->close();
}

void DataOutputStream::writeBoolean(bool v) {
  write(v ? 1 : 0);
}

void DataOutputStream::writeByte(int v) {
  write(v);
}

void DataOutputStream::writeShort(int v) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
  write(b, sizeof b);
}

void DataOutputStream::writeChar(int v) {
  writeShort(v);
}

void DataOutputStream::writeInt(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
                             static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
  write(b, sizeof b);
}

void DataOutputStream::writeLong(std::int64_t v) {
  auto u = static_cast<std::uint64_t>(v);
  std::uint8_t b[8];
  for (int i = 7; i >= 0; --i) {
    b[i] = static_cast<std::uint8_t>(u);
    u >>= 8;
  }
  write(b, sizeof b);
}

// NaN goes out in its one canonical form, as the runtime's floatToIntBits and doubleToLongBits give it.
void DataOutputStream::writeFloat(float v) {
  const std::uint32_t bits = std::isnan(v) ? kCanonicalFloatNaN : std::bit_cast<std::uint32_t>(v);
  writeInt(static_cast<std::int32_t>(bits));
}

void DataOutputStream::writeDouble(double v) {
  const std::uint64_t bits = std::isnan(v) ? kCanonicalDoubleNaN : std::bit_cast<std::uint64_t>(v);
  writeLong(static_cast<std::int64_t>(bits));
}

}  // namespace plat::io
