// Packet reading and writing over in-memory streams: framing, the unsigned length, and the faults that end a
// connection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/SocketIS.h"
#include "quenlora/zafoli/db/net/SocketWriter.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using quenlora::zafoli::db::net::SocketIS;
using quenlora::zafoli::db::net::SocketWriter;

Bytes packet(int streamId, const Bytes& payload) {
  return wiretest::Wire().u8(0xBB).i16(static_cast<int>(payload.size() + 2)).i16(streamId).raw(payload);
}

SocketIS reader(const Bytes& bytes) {
  return SocketIS(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes), nullptr);
}

TEST(SocketWriter, FramesOnePacketPerWrite) {
  auto sink = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  SocketWriter writer(sink);
  writer.write(1, Bytes{0x41, 0x42});
  writer.write(-1, 0x7F);
  EXPECT_EQ(sink->bytes(), (Bytes{0xBB, 0x00, 0x04, 0x00, 0x01, 0x41, 0x42, 0xBB, 0x00, 0x03, 0xFF, 0xFF, 0x7F}));
}

TEST(SocketWriter, LargestRequestHasHighLengthBit) {
  auto sink = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  SocketWriter writer(sink);
  Bytes payload(32768, 0x5A);
  writer.write(1, payload);
  ASSERT_EQ(sink->size(), 32768u + 5);
  EXPECT_EQ(sink->bytes()[1], 0x80);
  EXPECT_EQ(sink->bytes()[2], 0x02);
  SocketIS in = reader(sink->bytes());
  Bytes back(32768);
  std::size_t got = 0;
  while (got < back.size()) got += static_cast<std::size_t>(in.read(back.data() + got, back.size() - got));
  EXPECT_EQ(back, payload);
  EXPECT_EQ(in.available(), 0);
}

TEST(SocketWriter, ChecksOffsetsAndPayloadSize) {
  auto sink = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  SocketWriter writer(sink);
  EXPECT_ANY_THROW(writer.write(1, Bytes{1, 2, 3}, 2, 2));
  EXPECT_THROW(writer.write(1, Bytes(SocketWriter::kMaxPayload + 1)), plat::io::IOException);
  EXPECT_EQ(sink->size(), 0u);
}

TEST(SocketIS, JoinsPacketsInArrivalOrderWhateverTheirStream) {
  Bytes bytes = packet(3, {1, 2});
  Bytes second = packet(9, {3});
  bytes.insert(bytes.end(), second.begin(), second.end());
  SocketIS in = reader(bytes);
  EXPECT_EQ(in.read(), 1);
  EXPECT_EQ(in.available(), 1);
  EXPECT_EQ(in.read(), 2);
  EXPECT_EQ(in.read(), 3);
  EXPECT_EQ(in.lastStreamId(), 9);
}

TEST(SocketIS, ResetDropsTheRestOfThePacket) {
  Bytes bytes = packet(1, {1, 2, 3});
  Bytes second = packet(1, {4});
  bytes.insert(bytes.end(), second.begin(), second.end());
  SocketIS in = reader(bytes);
  EXPECT_EQ(in.read(), 1);
  in.reset();
  EXPECT_EQ(in.read(), 4);
}

TEST(SocketIS, EmptyPacketEndsTheStream) {
  Bytes bytes = packet(1, {});
  Bytes more = packet(1, {7});
  bytes.insert(bytes.end(), more.begin(), more.end());
  SocketIS in = reader(bytes);
  EXPECT_EQ(in.read(), -1);
  EXPECT_EQ(in.read(), -1);
}

struct BrokenCase {
  const char* name;
  Bytes bytes;
  const char* message;
};

TEST(SocketIS, BrokenInputIsALostConnection) {
  const std::vector<BrokenCase> cases = {
      {"bad marker", {0xBA, 0x00, 0x03, 0x00, 0x01, 0x01}, "Ivalid Packet header"},
      {"length below two", {0xBB, 0x00, 0x01, 0x00, 0x01}, "Lost connection to Kestrovane server."},
      {"length zero", {0xBB, 0x00, 0x00, 0x00, 0x01}, "Lost connection to Kestrovane server."},
      {"short header", {0xBB, 0x00, 0x03}, "Lost connection to Kestrovane server."},
      {"short payload", {0xBB, 0x00, 0x05, 0x00, 0x01, 0x01}, "Lost connection to Kestrovane server."},
      {"disconnect stream", {0xBB, 0x00, 0x03, 0x7F, 0xFE, 0x01}, "Lost connection to Kestrovane server."},
      {"no input", {}, "Lost connection to Kestrovane server."},
  };
  for (const auto& c : cases) {
    SocketIS in = reader(c.bytes);
    try {
      in.read();
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const plat::io::IOException& e) {
      EXPECT_EQ(e.getMessage(), c.message) << c.name;
    }
  }
}

// The header arrives a byte at a time: it is read until all five bytes are in.
class Trickle : public plat::io::InputStream {
 public:
  explicit Trickle(Bytes b) : b_(std::move(b)) {}
  using InputStream::read;
  int read() override { return at_ < b_.size() ? b_[at_++] : -1; }
  int read(std::uint8_t* buf, std::size_t len) override {
    if (len == 0) return 0;
    const int v = read();
    if (v < 0) return -1;
    buf[0] = static_cast<std::uint8_t>(v);
    return 1;
  }

 private:
  Bytes b_;
  std::size_t at_ = 0;
};

// Hands out its bytes in reads of the sizes given, round and round, whatever the reader asks for.
class Pieces : public plat::io::InputStream {
 public:
  Pieces(Bytes b, std::vector<std::size_t> sizes) : b_(std::move(b)), sizes_(std::move(sizes)) {}
  using InputStream::read;
  int read() override {
    std::uint8_t c;
    return read(&c, 1) < 0 ? -1 : c;
  }
  int read(std::uint8_t* buf, std::size_t len) override {
    if (len == 0) return 0;
    if (at_ == b_.size()) return -1;
    const std::size_t n = std::min({len, sizes_[turn_++ % sizes_.size()], b_.size() - at_});
    std::memcpy(buf, b_.data() + at_, n);
    at_ += n;
    return static_cast<int>(n);
  }

 private:
  Bytes b_;
  std::vector<std::size_t> sizes_;
  std::size_t at_ = 0;
  std::size_t turn_ = 0;
};

TEST(SocketIS, PacketsOfEverySizeArriveWholeHoweverTheSocketCutsThem) {
  const std::vector<std::size_t> payloadSizes = {1, 3, 4000, 16379, 16380, 16384, 16385, 32768, 65533, 2, 40000};
  Bytes wire, expected;
  for (std::size_t i = 0; i < payloadSizes.size(); ++i) {
    Bytes payload(payloadSizes[i]);
    for (std::size_t k = 0; k < payload.size(); ++k) payload[k] = static_cast<std::uint8_t>(k * 31 + i);
    const Bytes p = packet(static_cast<int>(i), payload);
    wire.insert(wire.end(), p.begin(), p.end());
    expected.insert(expected.end(), payload.begin(), payload.end());
  }
  const std::vector<std::vector<std::size_t>> cuts = {{1}, {7, 5000}, {16384}, {3, 70000}, {1u << 20}, {5, 16389, 2}};
  for (const auto& sizes : cuts) {
    SocketIS in(plat::lang::makeRef<Pieces>(wire, sizes), nullptr);
    Bytes back(expected.size());
    std::size_t got = 0;
    // Reads of odd sizes that straddle the packet borders.
    for (std::size_t ask = 1; got < back.size(); ask = ask * 3 % 50021 + 1) {
      const int n = in.read(back.data() + got, std::min(ask, back.size() - got));
      ASSERT_GT(n, 0) << "cut " << sizes[0] << " at " << got;
      got += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(back, expected) << "cut " << sizes[0];
    EXPECT_EQ(in.lastStreamId(), static_cast<int>(payloadSizes.size() - 1));
    EXPECT_THROW(in.read(), plat::io::IOException);  // the input ends where a header should begin
  }
}

TEST(SocketIS, HeaderReadInManyPieces) {
  SocketIS in(plat::lang::makeRef<Trickle>(packet(1, {9, 8})), nullptr);
  EXPECT_EQ(in.read(), 9);
  EXPECT_EQ(in.read(), 8);
}

}  // namespace
