// Cutting claims out of their files and building the response-file bytes, on in-memory input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "claim/Claimora.h"
#include "claim/FormatResponse.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;

struct CutCase {
  std::string name;
  Bytes file;
  int frameMode;
  int dataOffset;
  int claimsize;
  int stx;
  int etx;
  std::string logLine;  // empty: no line
};

TEST(ClaimCut, CutTable) {
  const Bytes claim60 = claimOf(60);
  const Bytes big(4097, 'x');
  Bytes exact = framedFile(claimOf(4094));
  const std::vector<CutCase> cases = {
      {"lead and trailer", framedFile(claim60, bytesOf("ab"), bytesOf("xyz")), 0, 2, 60, 0, 63, ""},
      {"framed mode cuts alike", framedFile(claim60, bytesOf("ab"), bytesOf("xyz")), 1, 2, 60, 0, 63, ""},
      {"46 bytes", framedFile(claimOf(46)), 0, 0, -1, 0, 47, "Claimora.getData():  Claim Too Small = 46 bytes."},
      {"47 bytes", framedFile(claimOf(47)), 0, 0, 47, 0, 48, ""},
      {"offset eats the claim", framedFile(claimOf(50)), 0, 4, -1, 0, 51,
       "Claimora.getData():  Claim Too Small = 46 bytes."},
      {"junk before STX", cat({bytesOf("junk"), framedFile(claimOf(50))}), 0, 0, 50, 4, 55, ""},
      {"two ETX: to the last", cat({framedFile(claimOf(50)), bytesOf("tail"), one(kEtx), bytesOf("z")}), 0, 0, 55, 0,
       56, ""},
      {"ETX before STX", cat({one(kEtx), claimOf(50), one(kStx), claimOf(50)}), 0, 0, -1, 51, 0,
       "Claimora.getData():  Claim Too Small = -52 bytes."},
      {"no STX", cat({claimOf(50), one(kEtx)}), 0, 0, -3, -1, -1, "Claimora.getData():  <STX> not found."},
      {"no ETX", cat({one(kStx), claimOf(50)}), 0, 0, -2, 0, -1, "Claimora.getData():  <ETX> not found."},
      {"neither", claimOf(50), 1, 0, -3, -1, -1, "Claimora.getData():  <STX> not found."},
      {"empty", {}, 0, 0, -4, -1, -1, ""},
      {"4097 bytes", big, 0, 0, -5, -1, -1, "Claimora.getData():  File Too Large = 4097 bytes."},
      {"4096 bytes", exact, 0, 0, 4094, 0, 4095, ""},
      {"simple: all after offset", claimOf(60), 2, 3, 57, -1, -1, ""},
      {"simple: framing bytes are data", framedFile(claimOf(50)), 2, 0, 52, -1, -1, ""},
      {"simple 46", claimOf(46), 2, 0, -1, -1, -1, "Claimora.getData():  Claim Too Small = 46 bytes."},
      {"simple 4097", big, 2, 0, -5, -1, -1, "Claimora.getData():  File Too Large = 4097 bytes."},
  };
  ASSERT_EQ(exact.size(), 4096u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir wd;
    Claimora worker;
    EXPECT_EQ(worker.cutClaim(c.file, c.frameMode, c.dataOffset), c.claimsize);
    EXPECT_EQ(worker.getStx(), c.stx);
    if (c.claimsize > 0 || c.claimsize == -1) {
      EXPECT_EQ(worker.getEtx(), c.etx);
    }
    std::vector<std::string> expected{"System Log Started."};
    if (!c.logLine.empty()) expected.push_back(c.logLine);
    EXPECT_EQ(wd.logMessages(), expected);
    if (c.claimsize > 0) {
      // The claim is what the session sends: from STX + offset + 1, claimsize bytes.
      const auto req = worker.getRequest();
      const auto from = static_cast<std::size_t>(c.stx + c.dataOffset + 1);
      const Bytes sent(req.begin() + static_cast<long>(from), req.begin() + static_cast<long>(from + c.claimsize));
      const Bytes expectedClaim(c.file.begin() + static_cast<long>(from),
                                c.file.begin() + static_cast<long>(from + c.claimsize));
      EXPECT_EQ(sent, expectedClaim);
    }
  }
}

TEST(ClaimCut, TooLargeFileKeepsItsOwnHeaderForTheReject) {
  TempWorkDir wd;
  Claimora worker;
  // A first claim leaves its header behind in the buffers...
  worker.cutClaim(framedFile(claimOf(60, "51B1")), 0, 0);
  // ...a too large one with another header must not carry it.
  Bytes large = framedFile(claimOf(5000, "0302"));
  ASSERT_EQ(worker.cutClaim(large, 0, 0), -5);
  const int end = worker.buildReject("QOV:  Claim Too Large.", 0);
  ASSERT_EQ(end, 9 + 16 + 424 * 2);
  const auto rsp = worker.getResponse();
  EXPECT_EQ(std::string(rsp.begin() + 9, rsp.begin() + 13), "0302");
}

TEST(ClaimCut, RejectOfAFileWithoutStxNeverReadsAnEarlierClaim) {
  TempWorkDir wd;
  Claimora worker;
  worker.cutClaim(framedFile(claimOf(60, "0311")), 0, 0);
  ASSERT_EQ(worker.buildReject("x", 0), 109);
  // No STX: the claim start is the file's first byte, so its own bytes decide the layout ("0007" fits none).
  worker.cutClaim(claimOf(50, "0007"), 0, 0);
  EXPECT_EQ(worker.buildReject("x", 0), 0);
}

TEST(ClaimCut, ResponseFileBytesInTheThreeModes) {
  TempWorkDir wd;
  Claimora worker;
  const Bytes claim60 = claimOf(60, "51B1");
  const Bytes file = framedFile(claim60, bytesOf("ab"), bytesOf("xyz"));
  ASSERT_EQ(worker.cutClaim(file, 0, 2), 60);
  const int end = worker.buildReject("QOV:  No Response.", 2);
  ASSERT_GT(end, 9);
  const auto rsp = worker.getResponse();
  const Bytes payload(rsp.begin() + 9, rsp.begin() + end);

  EXPECT_EQ(worker.responseFileBytes(0, 2, true),
            cat({one(kStx), bytesOf("ab"), payload, one(kEtx), one(lrcOf(payload))}));
  EXPECT_EQ(worker.responseFileBytes(0, 2, false), cat({one(kStx), bytesOf("ab"), payload, one(kEtx)}));
  EXPECT_EQ(worker.responseFileBytes(1, 2, true), cat({one(kStx), payload, one(kEtx), bytesOf("xyz")}));
  EXPECT_EQ(worker.responseFileBytes(2, 2, true), payload);
}

TEST(ClaimCut, LrcTable) {
  const Bytes buf = {0x00, 0x11, 0x22, 0x44, 0x88};
  EXPECT_EQ(Claimora::LRC(buf, 1, 0), kEtx);  // empty range
  EXPECT_EQ(Claimora::LRC(buf, 1, -3), kEtx);
  EXPECT_EQ(Claimora::LRC(buf, 1, 1), 0x11 ^ kEtx);
  EXPECT_EQ(Claimora::LRC(buf, 1, 4), 0x11 ^ 0x22 ^ 0x44 ^ 0x88 ^ kEtx);
  EXPECT_EQ(Claimora::LRC(buf, 3, 100), 0x44 ^ 0x88 ^ kEtx);  // bounded by the buffer
  EXPECT_EQ(Claimora::LRC(buf, 9, 1), kEtx);
}

}  // namespace
