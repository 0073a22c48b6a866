#include "platform/io/DataInputStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"

namespace plat::io {
namespace {

using plat::lang::makeRef;
using Bytes = std::vector<std::uint8_t>;

Bytes written(const std::function<void(DataOutputStream&)>& writer) {
  auto sink = makeRef<ByteArrayOutputStream>();
  DataOutputStream out(sink);
  writer(out);
  out.flush();
  return sink->toByteArray();
}

DataInputStream reader(const Bytes& bytes) {
  return DataInputStream(makeRef<ByteArrayInputStream>(bytes));
}

TEST(DataStreams, WritesBigEndian) {
  EXPECT_EQ(written([](auto& o) { o.writeShort(0x1234); }), (Bytes{0x12, 0x34}));
  EXPECT_EQ(written([](auto& o) { o.writeInt(-2); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFE}));
  EXPECT_EQ(written([](auto& o) { o.writeLong(0x0102030405060708LL); }), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(written([](auto& o) { o.writeFloat(1.0f); }), (Bytes{0x3F, 0x80, 0, 0}));
  EXPECT_EQ(written([](auto& o) { o.writeDouble(-2.0); }), (Bytes{0xC0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(written([](auto& o) { o.writeDouble(std::nan("1")); }), (Bytes{0x7F, 0xF8, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(written([](auto& o) {
              o.writeBoolean(true);
              o.writeByte(0x1FF);
            }),
            (Bytes{1, 0xFF}));
}

TEST(DataStreams, IntegersRoundTripOverWideRanges) {
  std::vector<std::int64_t> values = {0, 1, -1, std::numeric_limits<std::int64_t>::min(),
                                      std::numeric_limits<std::int64_t>::max()};
  for (std::int64_t v = 1; v > 0 && v < (std::int64_t{1} << 62); v = v * 3 + 1) {
    values.push_back(v);
    values.push_back(-v);
  }
  const Bytes bytes = written([&](DataOutputStream& o) {
    for (std::int64_t v : values) {
      o.writeLong(v);
      o.writeInt(static_cast<std::int32_t>(v));
      o.writeShort(static_cast<int>(v));
    }
  });
  auto in = reader(bytes);
  for (std::int64_t v : values) {
    ASSERT_EQ(in.readLong(), v);
    ASSERT_EQ(in.readInt(), static_cast<std::int32_t>(v));
    ASSERT_EQ(in.readShort(), static_cast<std::int16_t>(v));
  }
  EXPECT_EQ(in.read(), -1);
}

TEST(DataStreams, FloatingPointRoundTripsBitExactly) {
  const double doubles[] = {0.0, -0.0, 1.5, -1e300, 4.9e-324, std::numeric_limits<double>::infinity()};
  const float floats[] = {0.0f, -0.0f, 3.25f, 1e-45f, -std::numeric_limits<float>::infinity()};
  const Bytes bytes = written([&](DataOutputStream& o) {
    for (double d : doubles) o.writeDouble(d);
    for (float f : floats) o.writeFloat(f);
  });
  auto in = reader(bytes);
  for (double d : doubles) EXPECT_EQ(std::signbit(in.readDouble()), std::signbit(d));
  auto again = reader(bytes);
  for (double d : doubles) EXPECT_EQ(again.readDouble(), d);
  for (float f : floats) EXPECT_EQ(again.readFloat(), f);
}

TEST(DataStreams, UnsignedReadsAndSignedReadsOfTheSameBytes) {
  auto in = reader({0xFF, 0xFF, 0xFE, 0x80, 0x00});
  EXPECT_EQ(in.readUnsignedByte(), 255);
  EXPECT_EQ(in.readUnsignedShort(), 0xFFFE);
  EXPECT_EQ(in.readShort(), -32768);
  auto in2 = reader({0xFF, 0x80, 0x01});
  EXPECT_EQ(in2.readByte(), -1);
  EXPECT_EQ(in2.readChar(), u'\x8001');
}

TEST(DataStreams, EndInsideAValueIsEOF) {
  struct Case {
    const char* what;
    std::size_t available;
    std::function<void(DataInputStream&)> read;
  };
  const Case cases[] = {
      {"byte", 0, [](DataInputStream& i) { i.readByte(); }},
      {"unsigned byte", 0, [](DataInputStream& i) { i.readUnsignedByte(); }},
      {"boolean", 0, [](DataInputStream& i) { i.readBoolean(); }},
      {"short", 1, [](DataInputStream& i) { i.readShort(); }},
      {"int", 3, [](DataInputStream& i) { i.readInt(); }},
      {"long", 7, [](DataInputStream& i) { i.readLong(); }},
      {"double", 5, [](DataInputStream& i) { i.readDouble(); }},
      {"fully", 9,
       [](DataInputStream& i) {
         Bytes b(10);
         i.readFully(b);
       }},
  };
  for (const auto& c : cases) {
    auto in = reader(Bytes(c.available, 0x11));
    EXPECT_THROW(c.read(in), EOFException) << c.what;
  }
}

TEST(DataStreams, ReadFullyCollectsShortReads) {
  // A source that hands out one byte per read, as a slow socket does.
  class Trickle : public InputStream {
   public:
    using InputStream::read;
    int read() override { return next_ < 20 ? next_++ : -1; }
    int read(std::uint8_t* buf, std::size_t len) override {
      if (len == 0) return 0;
      const int c = read();
      if (c < 0) return -1;
      buf[0] = static_cast<std::uint8_t>(c);
      return 1;
    }

   private:
    int next_ = 0;
  };
  DataInputStream in(makeRef<Trickle>());
  Bytes b(8);
  in.readFully(b, 2, 5);
  EXPECT_EQ(b, (Bytes{0, 0, 0, 1, 2, 3, 4, 0}));
  EXPECT_EQ(in.readInt(), 0x05060708);
  EXPECT_THROW(in.readFully(b, 5, 4), plat::lang::IndexOutOfBoundsException);
}

TEST(DataStreams, CountsWrittenBytesAndRefusesUseAfterClose) {
  auto sink = makeRef<ByteArrayOutputStream>();
  DataOutputStream out(sink);
  out.writeInt(1);
  out.writeLong(2);
  out.write(Bytes{1, 2, 3});
  EXPECT_EQ(out.size(), 15);
  out.close();
  EXPECT_THROW(out.writeInt(3), IOException);
  EXPECT_EQ(sink->size(), 15u);
}

}  // namespace
}  // namespace plat::io
