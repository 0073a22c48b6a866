#include "platform/zip/Inflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/zip/DataFormatException.h"

namespace plat::zip {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Raw DEFLATE of data, as the server's compressor makes it.
Bytes deflateRaw(const Bytes& data) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  Bytes out(deflateBound(&z, data.size()) + 16);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

Bytes sample(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>("claim data "[i % 11] + (i / 97) % 3);
  return b;
}

TEST(Inflater, ExactSizeInflates) {
  for (std::size_t n : {0u, 1u, 5u, 4096u, 100000u}) {
    const Bytes data = sample(n);
    const Bytes z = deflateRaw(data);
    EXPECT_EQ(Inflater::inflateExactly(z.data(), z.size(), n), data) << n;
  }
}

TEST(Inflater, WrongExpectedSizeIsRefused) {
  const Bytes z = deflateRaw(sample(5));
  struct Case {
    std::size_t expected;
    const char* what;
  };
  for (const Case& c : {Case{4, "longer"}, Case{6, "shorter"}, Case{0, "longer than empty"},
                        Case{1u << 30, "huge claim"}, Case{UINT_MAX, "largest claim"}}) {
    EXPECT_THROW(Inflater::inflateExactly(z.data(), z.size(), c.expected), DataFormatException) << c.what;
  }
}

TEST(Inflater, TruncatedStreamIsRefused) {
  const Bytes data = sample(3000);
  const Bytes z = deflateRaw(data);
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, z.size() / 2, z.size() - 1}) {
    EXPECT_THROW(Inflater::inflateExactly(z.data(), cut, data.size()), DataFormatException) << cut;
  }
}

TEST(Inflater, CorruptStreamIsRefused) {
  const Bytes bad = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // block type 3 does not exist
  EXPECT_THROW(Inflater::inflateExactly(bad.data(), bad.size(), 5), DataFormatException);
  // A zlib-wrapped stream is not raw DEFLATE.
  Bytes wrapped(64);
  uLongf len = wrapped.size();
  const Bytes data = sample(5);
  ASSERT_EQ(compress(wrapped.data(), &len, data.data(), data.size()), Z_OK);
  EXPECT_THROW(Inflater::inflateExactly(wrapped.data(), len, 5), DataFormatException);
}

TEST(Inflater, BytesAfterTheStreamEndAreIgnored) {
  const Bytes data = sample(50);
  Bytes z = deflateRaw(data);
  z.push_back(0xAB);
  EXPECT_EQ(Inflater::inflateExactly(z.data(), z.size(), data.size()), data);
}

}  // namespace
}  // namespace plat::zip
