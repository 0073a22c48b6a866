#include "claim/FormatResponse.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/claim/ClaimTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string FS = "\x1c";
const std::string GS = "\x1d";
const std::string RS = "\x1e";

// A claim header: BIN (6), version/release and transaction code (4), processor control number (10),
// transaction count (1), provider ID qualifier (2), provider ID (15), date of service (8), then some claim body.
Bytes claimHeader(const std::string& versionAndCode, char count = '1') {
  std::string text = "610020" + versionAndCode + "PCN0000001" + std::string(1, count) + "01" + "PHARMACY0000012" +
                     "20261209" + FS + "AM01" + FS + "C419800101";
  return Bytes(text.begin(), text.end());
}

Bytes toBytes(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

struct Built {
  int end;
  Bytes out;
};

Built build(const Bytes& claim, const std::string& message, std::vector<std::string> codes = {"85"}, int o = 0,
            std::size_t outSize = 4096, int c = 0) {
  FormatResponse f;
  f.resetCount();
  for (const auto& code : codes) f.collectRejectCodes(code);
  Bytes out(outSize, 0xEE);
  const int end = f.ClaimRejectedResponse(claim, c, message, out, o);
  return {end, out};
}

std::string group(const std::string& codesText) {
  return GS + RS + FS + "AM21" + FS + "ANR" + FS + "FA" + codesText;
}

TEST(FormatResponse, Version5xWithTwoTransactionsByteForByte) {
  const auto claim = claimHeader("51B1", '2');
  const auto r = build(claim, "QOV:  No Response.");
  const std::string expected = "51B1" + std::string("2") + "A" + "01PHARMACY000001220261209" + RS + FS + "AM20" + FS +
                               "F4QOV:  NO RESPONSE." + group("01" + FS + "FB85") + group("01" + FS + "FB85");
  ASSERT_EQ(r.end, static_cast<int>(expected.size()));
  EXPECT_EQ(Bytes(r.out.begin(), r.out.begin() + r.end), toBytes(expected));
  EXPECT_EQ(r.out[static_cast<std::size_t>(r.end)], 0xEE);  // nothing written past the end
}

TEST(FormatResponse, Version5xGroupCountTable) {
  struct Case {
    char countByte;
    int groups;
  };
  // A count byte that is not a digit is clamped to 0..9 groups.
  const std::vector<Case> cases = {{'0', 0}, {'1', 1}, {'9', 9}, {':', 9}, {'\x7f', 9}, {'/', 0}, {'\0', 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.countByte));
    const auto r = build(claimHeader("51B1", c.countByte), "m");
    const std::size_t headLength = 31 + 2 + 4 + 1 + 2 + 1;
    const std::size_t groupLength = group("01" + FS + "FB85").size();
    EXPECT_EQ(static_cast<std::size_t>(r.end), headLength + groupLength * static_cast<std::size_t>(c.groups));
  }
}

TEST(FormatResponse, Version5xWritesEveryCodeTrimmed) {
  std::vector<std::string> codes;
  for (int i = 0; i < 21; ++i) codes.push_back(i == 0 ? " 85 " : std::to_string(10 + i));
  const auto r = build(claimHeader("51B1", '1'), "x", codes);
  std::string expectedCodes = "20" + FS + "FB85";
  for (int i = 1; i < 20; ++i) expectedCodes += FS + "FB" + std::to_string(10 + i);
  const std::string expected = "51B11A01PHARMACY000001220261209" + RS + FS + "AM20" + FS + "F4X" + group(expectedCodes);
  EXPECT_EQ(Bytes(r.out.begin(), r.out.begin() + r.end), toBytes(expected));
}

TEST(FormatResponse, FixedHundredByteLayout) {
  const auto r = build(claimHeader("0211"), "QOV:  Failed To Send Claim.  Check Internet Connection.", {"85"}, 9);
  ASSERT_EQ(r.end, 109);
  std::string expected = "0211R0185" + std::string(18, ' ') + "QOV:  FAILED TO SEND CLAIM.  CHECK INTERNET CONNECTION.";
  expected += std::string(100 - expected.size(), ' ');
  EXPECT_EQ(Bytes(r.out.begin() + 9, r.out.begin() + 109), toBytes(expected));
  EXPECT_EQ(r.out[8], 0xEE);
  EXPECT_EQ(r.out[109], 0xEE);
}

TEST(FormatResponse, FixedLayoutCutsTheMessageAtTheRecordEnd) {
  const std::string longText(90, 'q');
  const auto r = build(claimHeader("0211"), longText);
  ASSERT_EQ(r.end, 100);
  EXPECT_EQ(std::string(r.out.begin() + 27, r.out.begin() + 100), std::string(73, 'Q'));
  EXPECT_EQ(r.out[100], 0xEE);
}

TEST(FormatResponse, FixedLayoutWithTwentyCodesKeepsTheMessageOnTop) {
  std::vector<std::string> codes(20, "AB");
  const auto r = build(claimHeader("0211"), "short", codes);
  const std::string text(r.out.begin(), r.out.begin() + 100);
  EXPECT_EQ(text.substr(0, 7), "0211R20");
  EXPECT_EQ(text.substr(7, 20), std::string("ABABABABABABABABABAB"));
  EXPECT_EQ(text.substr(27, 5), "SHORT");
  // The rest of the codes, where the short message does not cover them, then blanks.
  EXPECT_EQ(text.substr(32, 15), "BABABABABABABAB");
  EXPECT_EQ(text.substr(47), std::string(53, ' '));
}

// Each block's fields sit at fixed positions from the record start plus 424 per block.
void putBlock(std::string& record, int i, const std::string& message42) {
  const std::size_t base = static_cast<std::size_t>(424 * i);
  record.replace(base + 16, 1, GS);
  record.replace(base + 17, 5, "R0185");
  record.replace(base + 60, message42.size(), message42);
  record.replace(base + 102, 3, FS + "FP");
  record.replace(base + 265, 3, FS + "FQ");
}

TEST(FormatResponse, BlockLayoutWithTwoAndFourBlocks) {
  const std::string message = "QOV:  Failed To Send Claim.  Check Internet Connection.";
  const std::string cut = "QOV:  FAILED TO SEND CLAIM.  CHECK INTERNE";
  ASSERT_EQ(cut.size(), 42u);
  for (int n : {2, 4}) {
    SCOPED_TRACE(n);
    const auto r = build(claimHeader("030" + std::to_string(n)), message, {"85"}, 9);
    ASSERT_EQ(r.end, 9 + 16 + 424 * n);
    std::string expected(static_cast<std::size_t>(16 + 424 * n), ' ');
    expected.replace(0, 8, "030" + std::to_string(n) + "A" + FS + "FO");
    for (int i = 0; i < n; ++i) putBlock(expected, i, cut);
    EXPECT_EQ(std::string(r.out.begin() + 9, r.out.begin() + r.end), expected);
    EXPECT_EQ(r.out[static_cast<std::size_t>(r.end)], 0xEE);
  }
  EXPECT_EQ(build(claimHeader("0302"), message, {"85"}, 9).end, 873);
}

TEST(FormatResponse, LayoutChoiceTable) {
  struct Case {
    std::string versionAndCode;
    int length;  // 0: no layout fits
  };
  const std::vector<Case> cases = {
      {"0007", 0},   {"0000", 0},  {"0005", 0},  {"0001", 16 + 424}, {"0004", 16 + 424 * 4},
      {"0011", 100}, {"5107", -1}, {"1111", 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.versionAndCode);
    const auto r = build(claimHeader(c.versionAndCode), "m");
    if (c.length >= 0) {
      EXPECT_EQ(r.end, c.length);
    } else {
      EXPECT_GT(r.end, 31);  // 5.x: field separated, whatever the transaction code
    }
    if (c.length == 0) {
      EXPECT_EQ(r.out[0], 0xEE);
    }
  }
}

TEST(FormatResponse, RefusesToReadOrWriteOutsideTheBuffers) {
  const auto claim = claimHeader("0304");
  // Output too small for the four blocks: nothing written.
  auto r = build(claim, "m", {"85"}, 9, 9 + 16 + 424 * 4 - 1);
  EXPECT_EQ(r.end, 0);
  EXPECT_EQ(r.out[9], 0xEE);
  // Exactly large enough.
  EXPECT_EQ(build(claim, "m", {"85"}, 9, 9 + 16 + 424 * 4).end, 9 + 16 + 424 * 4);
  // Claim start past the header bytes, output offset past the buffer.
  EXPECT_EQ(build(claim, "m", {"85"}, 0, 4096, static_cast<int>(claim.size()) - 5).end, 0);
  EXPECT_EQ(build(claim, "m", {"85"}, 5000).end, 0);
  EXPECT_EQ(build(claim, "m", {"85"}, -1).end, 0);
  EXPECT_EQ(build(claim, "m", {"85"}, 0, 4096, -1).end, 0);
  // A 5.x claim must hold all 46 header bytes.
  auto shortClaim = claimHeader("51B1");
  shortClaim.resize(45);
  EXPECT_EQ(build(shortClaim, "m").end, 0);
  shortClaim = claimHeader("51B1");
  shortClaim.resize(46);
  EXPECT_GT(build(shortClaim, "m").end, 0);
}

TEST(FormatResponse, KeepsAtMostTwentyCodes) {
  FormatResponse f;
  for (int i = 0; i < 21; ++i) f.collectRejectCodes("85");
  EXPECT_EQ(f.getCount(), 20);
  f.resetCount();
  EXPECT_EQ(f.getCount(), 0);
}

}  // namespace
