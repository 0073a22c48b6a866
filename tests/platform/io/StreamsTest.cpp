#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "platform/io/BufferedInputStream.h"
#include "platform/io/BufferedOutputStream.h"
#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"

namespace plat::io {
namespace {

using plat::lang::makeRef;
using Bytes = std::vector<std::uint8_t>;

Bytes sequence(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return b;
}

TEST(ByteArrayStreams, ReadSkipMarkReset) {
  ByteArrayInputStream in(Bytes{1, 2, 3, 4, 5});
  EXPECT_EQ(in.available(), 5);
  EXPECT_EQ(in.read(), 1);
  in.mark(0);
  Bytes buf(3);
  EXPECT_EQ(in.read(buf), 3);
  EXPECT_EQ(buf, (Bytes{2, 3, 4}));
  in.reset();
  EXPECT_EQ(in.skip(10), 4);
  EXPECT_EQ(in.read(), -1);
  EXPECT_EQ(in.read(buf), -1);
  EXPECT_EQ(in.read(buf, 0, 0), 0);
  EXPECT_THROW(in.read(buf, 2, 2), plat::lang::IndexOutOfBoundsException);
}

TEST(ByteArrayStreams, OutputCollectsAndResets) {
  ByteArrayOutputStream out;
  out.write(0x141);  // low 8 bits only
  out.write(Bytes{0xE9, 0x42}, 0, 2);
  EXPECT_EQ(out.toByteArray(), (Bytes{0x41, 0xE9, 0x42}));
  EXPECT_EQ(out.toString(),
            "A\xC3\xA9"
            "B");  // each byte one character U+0000..U+00FF
  out.reset();
  EXPECT_EQ(out.size(), 0u);
  EXPECT_THROW(out.write(Bytes{1}, 1, 1), plat::lang::IndexOutOfBoundsException);
}

// A source that counts how often it is read, to show what buffering saves and passes through.
class CountingInput : public ByteArrayInputStream {
 public:
  using ByteArrayInputStream::ByteArrayInputStream;
  using InputStream::read;
  int read(std::uint8_t* buf, std::size_t len) override {
    ++reads;
    return ByteArrayInputStream::read(buf, len);
  }
  void close() override { closed = true; }
  int reads = 0;
  bool closed = false;
};

TEST(BufferedInputStream, SingleByteReadsComeFromBlocks) {
  const Bytes data = sequence(1000);
  auto source = makeRef<CountingInput>(data);
  BufferedInputStream in(source, 64);
  Bytes got;
  for (int c; (c = in.read()) >= 0;) got.push_back(static_cast<std::uint8_t>(c));
  EXPECT_EQ(got, data);
  EXPECT_LE(source->reads, 1000 / 64 + 2);
}

TEST(BufferedInputStream, MixedReadsAndSkipsKeepOrder) {
  const Bytes data = sequence(5000);
  BufferedInputStream in(makeRef<ByteArrayInputStream>(data), 100);
  Bytes got;
  std::size_t pos = 0;
  const std::size_t chunks[] = {1, 99, 150, 7, 1000, 3};
  int turn = 0;
  while (pos < data.size()) {
    const std::size_t want = chunks[turn++ % 6];
    if (turn % 5 == 0) {
      const auto skipped = static_cast<std::size_t>(in.skip(static_cast<std::int64_t>(want)));
      ASSERT_GT(skipped, 0u);
      got.insert(got.end(), data.begin() + static_cast<long>(pos), data.begin() + static_cast<long>(pos + skipped));
      pos += skipped;
      continue;
    }
    Bytes buf(want);
    const int n = in.read(buf.data(), want);
    ASSERT_GT(n, 0);
    got.insert(got.end(), buf.begin(), buf.begin() + n);
    pos += static_cast<std::size_t>(n);
  }
  EXPECT_EQ(got, data);
  EXPECT_EQ(in.read(), -1);
}

TEST(BufferedInputStream, ResetReturnsToTheMarkAcrossRefills) {
  const Bytes data = sequence(300);
  BufferedInputStream in(makeRef<ByteArrayInputStream>(data), 16);
  in.skip(10);
  in.mark(200);
  Bytes first(150);
  std::size_t n = 0;
  while (n < 150) n += static_cast<std::size_t>(in.read(first.data() + n, 150 - n));
  in.reset();
  Bytes again(150);
  n = 0;
  while (n < 150) n += static_cast<std::size_t>(in.read(again.data() + n, 150 - n));
  EXPECT_EQ(first, again);
  EXPECT_EQ(first[0], data[10]);
}

TEST(BufferedInputStream, MarkPastItsLimitIsDropped) {
  BufferedInputStream in(makeRef<ByteArrayInputStream>(sequence(100)), 8);
  in.mark(4);
  for (int i = 0; i < 40; ++i) in.read();
  EXPECT_THROW(in.reset(), IOException);
}

TEST(BufferedInputStream, CloseClosesTheSourceAndRefusesReads) {
  auto source = makeRef<CountingInput>(sequence(10));
  BufferedInputStream in(source);
  in.close();
  EXPECT_TRUE(source->closed);
  EXPECT_THROW(in.read(), IOException);
  in.close();  // a second close is harmless
}

TEST(BufferedOutputStream, HoldsSmallWritesUntilFlush) {
  auto sink = makeRef<ByteArrayOutputStream>();
  BufferedOutputStream out(sink, 8);
  out.write(Bytes{1, 2, 3});
  EXPECT_EQ(sink->size(), 0u);
  out.write(Bytes{4, 5, 6, 7, 8, 9});  // does not fit: the first three go out
  EXPECT_EQ(sink->toByteArray(), (Bytes{1, 2, 3}));
  out.write(sequence(20));  // larger than the buffer: straight through after what is pending
  EXPECT_EQ(sink->size(), 29u);
  out.write(0x77);
  out.flush();
  EXPECT_EQ(sink->size(), 30u);
  EXPECT_EQ(sink->toByteArray().back(), 0x77);
}

TEST(BufferedOutputStream, DestructorFlushes) {
  auto sink = makeRef<ByteArrayOutputStream>();
  {
    BufferedOutputStream out(sink, 64);
    out.write(Bytes{9, 8, 7});
  }
  EXPECT_EQ(sink->toByteArray(), (Bytes{9, 8, 7}));
}

TEST(BufferedOutputStream, FailedFlushKeepsThePendingBytes) {
  class FailingOnce : public ByteArrayOutputStream {
   public:
    using OutputStream::write;
    void write(const std::uint8_t* buf, std::size_t len) override {
      if (fail) {
        fail = false;
        throw IOException("disk full");
      }
      ByteArrayOutputStream::write(buf, len);
    }
    bool fail = true;
  };
  auto sink = makeRef<FailingOnce>();
  BufferedOutputStream out(sink, 8);
  out.write(Bytes{1, 2, 3});
  EXPECT_THROW(out.flush(), IOException);
  out.flush();
  EXPECT_EQ(sink->toByteArray(), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace plat::io
