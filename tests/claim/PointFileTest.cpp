// The window-position file: the exact serialised form, round trips over the whole int range, and every other
// content refused.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "claim/PointFile.h"
#include "platform/io/IOException.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;

TEST(PointFile, EncodesTheRuntimesSerialisedPoint) {
  const auto bytes = PointFile::encode({0x01020304, -2});
  ASSERT_EQ(bytes.size(), 51u);
  const Bytes head(bytes.begin(), bytes.begin() + 6);
  EXPECT_EQ(head, (Bytes{0xAC, 0xED, 0x00, 0x05, 0x73, 0x72}));
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 22), "java.awt.Point");
  // -5276940640259749850 as a big-endian long.
  const Bytes uid(bytes.begin() + 22, bytes.begin() + 30);
  EXPECT_EQ(uid, (Bytes{0xB6, 0xC4, 0x8A, 0x72, 0x34, 0x7E, 0xC8, 0x26}));
  const Bytes tail(bytes.begin() + 30, bytes.end());
  EXPECT_EQ(tail, (Bytes{0x02, 0x00, 0x02, 'I',  0x00, 0x01, 'x',  'I',  0x00, 0x01, 'y',
                         0x78, 0x70, 0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST(PointFile, RoundTripsAcrossTheIntRange) {
  for (const WindowPoint p : {WindowPoint{0, 0}, WindowPoint{120, 25}, WindowPoint{-1, -32000},
                              WindowPoint{INT_MAX, INT_MIN}, WindowPoint{65536, 255}}) {
    const auto bytes = PointFile::encode(p);
    EXPECT_EQ(PointFile::decode(bytes), p) << p.x << "," << p.y;
  }
}

TEST(PointFile, RefusesEveryOtherContent) {
  const auto good = PointFile::encode({10, 20});
  struct Case {
    const char* name;
    Bytes bytes;
  };
  Bytes longer(good.begin(), good.end());
  longer.push_back(0);
  Bytes otherClass(good.begin(), good.end());
  otherClass[17] = 'X';
  Bytes otherUid(good.begin(), good.end());
  otherUid[29] ^= 1;
  Bytes otherField(good.begin(), good.end());
  otherField[36] = 'z';
  const Case cases[] = {
      {"empty", {}},
      {"short by one", Bytes(good.begin(), good.end() - 1)},
      {"one byte more", longer},
      {"another class", otherClass},
      {"another serial version", otherUid},
      {"another field name", otherField},
      {"text", bytesOf("x=10\ny=20\n")},
  };
  for (const auto& c : cases) EXPECT_FALSE(PointFile::decode(c.bytes).has_value()) << c.name;
}

TEST(PointFile, ReadsWhatItWroteAndReportsABadFile) {
  TempWorkDir dir;
  EXPECT_FALSE(PointFile::read("jwin.dat").has_value());
  PointFile::write("jwin.dat", {33, 44});
  EXPECT_EQ(std::filesystem::file_size("jwin.dat"), 51u);
  EXPECT_EQ(PointFile::read("jwin.dat"), (WindowPoint{33, 44}));
  PointFile::write("jwin.dat", {-5, 6});  // replaces
  EXPECT_EQ(PointFile::read("jwin.dat"), (WindowPoint{-5, 6}));
  writeText("jwin.dat", "garbage");
  EXPECT_THROW(PointFile::read("jwin.dat"), plat::io::IOException);
}

TEST(PointFile, AFailedWriteLeavesTheOldFile) {
  TempWorkDir dir;
  PointFile::write("jwin.dat", {1, 2});
  // A directory where the temporary file must go makes the write fail before the old file is touched.
  std::filesystem::create_directory("jwin.dat.tmp");
  EXPECT_THROW(PointFile::write("jwin.dat", {3, 4}), plat::io::IOException);
  EXPECT_EQ(PointFile::read("jwin.dat"), (WindowPoint{1, 2}));
}

}  // namespace
