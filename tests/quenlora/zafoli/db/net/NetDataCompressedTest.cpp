#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetDataCompressed.h"
#include "quenlora/zafoli/db/net/NetInteger.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::ConsoleCapture;
using wiretest::Bytes;
using wiretest::Wire;

// Raw DEFLATE streams (no header, no checksum), made outside the client.
const Bytes kHello = {0xCB, 0x48, 0xCD, 0xC9, 0xC9, 0x07, 0x00};  // "hello"
const Bytes kAbcd = {0x4B, 0x4C, 0x4A, 0x4E, 0x01, 0x00};         // "abcd"
const Bytes kInt7 = {0x63, 0x60, 0x60, 0x60, 0x07, 0x00};         // 00 00 00 07

Bytes zeros70000() {
  Bytes b = {0xED, 0xC1, 0x31, 0x01, 0x00, 0x00, 0x00, 0xC2, 0xA0, 0xF5, 0x4F, 0x6D, 0x09, 0x4F, 0xA0};
  b.insert(b.end(), 67, 0x00);
  b.insert(b.end(), {0x80, 0xB7, 0x01});
  return b;
}

Wire compressed(int zipLen, std::int64_t origLen, const Bytes& body) {
  return Wire().u8(79).i16(zipLen).i32(origLen).raw(body);
}

TEST(NetDataCompressed, InflatesToAnOrdinaryDataObjectAndSaysSoOnStdout) {
  ConsoleCapture capture(ConsoleCapture::Target::kOut);
  const auto data = wiretest::decodeAs<NetData>(compressed(7, 5, kHello));
  EXPECT_EQ(data->getType(), Define::SERVER_DATA);
  EXPECT_EQ(data->getBytes(), (Bytes{'h', 'e', 'l', 'l', 'o'}));
  EXPECT_EQ(capture.text(), "NetDataCompressed: ziplen 7 origlen 5\n");
  // Written again, it is plain data.
  EXPECT_EQ(wiretest::encode(*data), (Bytes{51, 0x00, 0x05, 'h', 'e', 'l', 'l', 'o'}));
}

TEST(NetDataCompressed, HighlyCompressedBlockWithinTheRatioIsAccepted) {
  ConsoleCapture capture(ConsoleCapture::Target::kOut);
  const Bytes body = zeros70000();
  const auto data = wiretest::decodeAs<NetData>(compressed(static_cast<int>(body.size()), 70000, body));
  EXPECT_EQ(data->size(), 70000u);
  EXPECT_EQ(data->getBytes(), Bytes(70000, 0));
}

struct BadCase {
  const char* name;
  Bytes bytes;
};

TEST(NetDataCompressed, EveryBadFrameIsExpandFailed) {
  Bytes corrupt = kHello;
  corrupt[0] = 0xFF;  // reserved block type
  const std::vector<BadCase> cases = {
      {"inflates to fewer bytes than claimed", compressed(6, 5, kAbcd)},
      {"inflates to more bytes than claimed", compressed(7, 4, kHello)},
      {"corrupt stream", compressed(7, 5, corrupt)},
      {"stream cut short", compressed(4, 5, Bytes(kHello.begin(), kHello.begin() + 4))},
      {"huge original size", compressed(7, 0x7FFFFFFF, kHello)},
      {"original size beyond the deflate ratio", compressed(6, 1032 * 6 + 65, kAbcd)},
      {"original size beyond 64 MiB", compressed(32767, (64 << 20) + 1, Bytes(32767, 0))},
      {"negative original size", compressed(7, -5, kHello)},
      {"zero original size", compressed(7, 0, kHello)},
      {"zero compressed size", compressed(0, 5, {})},
      {"negative compressed size", compressed(-7, 5, kHello)},
  };
  ConsoleCapture capture(ConsoleCapture::Target::kOut);
  for (const auto& c : cases) {
    wiretest::Input input(c.bytes);
    try {
      input.next();
      ADD_FAILURE() << c.name;
    } catch (const plat::io::IOException& e) {
      EXPECT_EQ(e.getMessage(), "Expand of compressed data block failed.") << c.name;
    }
  }
}

TEST(NetDataCompressed, SizesAreCheckedBeforeAnythingIsAllocated) {
  EXPECT_TRUE(NetDataCompressed::acceptableSizes(1, 1));
  EXPECT_TRUE(NetDataCompressed::acceptableSizes(1, 1096));
  EXPECT_FALSE(NetDataCompressed::acceptableSizes(1, 1097));
  EXPECT_TRUE(NetDataCompressed::acceptableSizes(32767, 1032 * 32767 + 64));
  EXPECT_FALSE(NetDataCompressed::acceptableSizes(32767, 1032 * 32767 + 65));
  // The 64 MiB cap holds for any compressed size a wider frame could announce.
  EXPECT_FALSE(NetDataCompressed::acceptableSizes(1 << 20, (64 << 20) + 1));
  EXPECT_TRUE(NetDataCompressed::acceptableSizes(1 << 20, 64 << 20));
  EXPECT_FALSE(NetDataCompressed::acceptableSizes(0, 1));
  EXPECT_FALSE(NetDataCompressed::acceptableSizes(5, 0));
}

TEST(NetDataCompressed, EndOfInputInsideTheCompressedBytesIsAnIoError) {
  ConsoleCapture capture(ConsoleCapture::Target::kOut);
  wiretest::Input input(compressed(7, 5, Bytes(kHello.begin(), kHello.begin() + 3)));
  EXPECT_THROW(input.next(), plat::io::IOException);
}

TEST(NetDataCompressed, MayStandWhereverDataMay) {
  ConsoleCapture capture(ConsoleCapture::Target::kOut);
  const auto value =
      wiretest::decodeAs<NetInteger>(Wire().valueHeader(82, false).append(compressed(6, 4, kInt7)).bytes());
  EXPECT_EQ(value->getInt(), 7);
  const auto list = wiretest::decodeAs<ServerList>(Wire().u8(54).i16(0).append(compressed(6, 4, kAbcd)).eot());
  ASSERT_EQ(list->size(), 1u);
  EXPECT_EQ(list->getObjVector()[0]->getType(), Define::SERVER_DATA);
}

}  // namespace
