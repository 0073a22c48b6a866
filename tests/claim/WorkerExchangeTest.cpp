// The worker end to end against the test clearing house on loopback: what goes on the wire, the response files
// of the three framing modes, the failures answered by rejects, and host rotation.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "claim/Claimora.h"
#include "claim/Parameters.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "testkit/fixtures/CertificateFixtures.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

const std::string kRecord =
    "51B11A01PHARMACY000001220261209\x1e\x1c"
    "AM20\x1c"
    "F4PAID";

// A clear-TCP exchange set up in a fresh working directory: settings pointing at the server, the key store, the
// default send and receive directory.
class Exchange {
 public:
  explicit Exchange(ClearingHouseServer& server, bool secure = false) {
    ok = installKeyStore();
    fs::create_directory("working");
    auto& p = *Parameters::getInstance();
    p.setSecurity(secure);
    p.setRemoteIPAddresses({server.address()});
    p.setRemoteClearPort(server.port());
    p.setRemoteSecurePort(server.port());
    p.setRemoteTimeout(5000);
  }
  bool ok = false;
};

Bytes payloadOf(const std::string& record) {
  return bytesOf(record);
}

struct ModeCase {
  std::string name;
  std::string settings;  // lines applied to the settings
  Bytes file;
  Bytes sentClaim;
  Bytes responseFile;
};

TEST(WorkerExchange, ClaimOnTheWireAndResponseFileInEveryMode) {
  const Bytes claim60 = claimOf(60);
  const Bytes payload = payloadOf(kRecord);
  const Bytes file = framedFile(claim60, bytesOf("ab"), bytesOf("xyz"));
  const std::vector<ModeCase> cases = {
      {"default framing", "data_offset=2", file, claim60,
       cat({one(kStx), bytesOf("ab"), payload, one(kEtx), one(lrcOf(payload))})},
      {"default framing without check byte", "data_offset=2\nwrite_checksum=off", file, claim60,
       cat({one(kStx), bytesOf("ab"), payload, one(kEtx)})},
      {"framed", "data_offset=2\nframe=true", file, claim60, cat({one(kStx), payload, one(kEtx), bytesOf("xyz")})},
      {"simple", "no_frame=true", claim60, claim60, payload},
      {"simple with offset", "no_frame=true\ndata_offset=3", cat({bytesOf("hdr"), claim60}), claim60, payload},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir wd;
    ClearingHouseServer server;
    server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
    Exchange ex(server);
    ASSERT_TRUE(ex.ok) << "no key store";
    Parameters::getInstance()->parseSettings(c.settings);
    writeFile("working/a.clm", c.file);
    RecordingListener listener;
    Claimora worker(&listener);
    worker.setUp();
    settledRound(worker);
    ASSERT_TRUE(server.waitForConnections(1, 5000));

    const auto got = server.received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].request, cat({bytesOf("0065"), bytesOf("00000"), c.sentClaim}));
    EXPECT_EQ(readFile("working/a.rsp"), c.responseFile);
    EXPECT_FALSE(fs::exists("working/a.clm"));
    EXPECT_FALSE(fs::exists("working/a.rsp.tmp"));
    EXPECT_TRUE(listener.sawResult("Results:  Claim Successfully Sent."));
    const auto steps = listener.cells(1);
    for (const char* step :
         {"Reading Claim", "Connecting", "Sending Claim", "Awaiting Response", "Received Response"}) {
      EXPECT_NE(std::find(steps.begin(), steps.end(), step), steps.end()) << step;
    }
    EXPECT_EQ(listener.system(), std::vector<std::string>{"System:  Clear"});
  }
}

TEST(WorkerExchange, AcknowledgementAndStatisticsLine) {
  TempWorkDir wd;
  ClearingHouseServer server;
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord, /*readAck=*/true));
  Exchange ex(server);
  ASSERT_TRUE(ex.ok) << "no key store";
  Parameters::getInstance()->parseSettings("send_ack=on\nlog_stats=on\n");
  writeFile("working/a.clm", framedFile(claimOf(47)));
  Claimora worker;
  worker.setUp();
  settledRound(worker);
  ASSERT_TRUE(server.waitForConnections(1, 5000));
  EXPECT_EQ(server.received()[0].ack, bytesOf("000600000*"));
  const std::regex stats("read=[0-9]+ connect=[0-9]+ send=[0-9]+ receive=[0-9]+ write=[0-9]+ total=[0-9]+");
  int lines = 0;
  for (const auto& m : wd.logMessages()) lines += std::regex_match(m, stats) ? 1 : 0;
  EXPECT_EQ(lines, 1);
}

TEST(WorkerExchange, AnswerInTwoPartsIsReadWhole) {
  TempWorkDir wd;
  ClearingHouseServer server;
  server.setDefaultScript(ConnectionScript::twoParts(kRecord, 12, 300));
  Exchange ex(server);
  ASSERT_TRUE(ex.ok) << "no key store";
  Parameters::getInstance()->parseSettings("no_frame=true");
  writeFile("working/a.clm", claimOf(60));
  Claimora worker;
  worker.setUp();
  settledRound(worker);
  EXPECT_EQ(readFile("working/a.rsp"), payloadOf(kRecord));
}

struct FailureCase {
  std::string name;
  ConnectionScript script;
  std::string rejectText;  // upper case, inside the reject record
  std::string step;
  std::string result;
};

ConnectionScript scripted(ConnectionScript::Kind kind, int pauseMs = 200, std::size_t answerBytes = 0) {
  ConnectionScript s;
  s.kind = kind;
  s.pauseMs = pauseMs;
  s.answer = answerBytes ? Bytes(answerBytes, '7') : ConnectionScript::framedAnswer(kRecord);
  return s;
}

TEST(WorkerExchange, FailedExchangesAreAnsweredByRejects) {
  const std::vector<FailureCase> cases = {
      {"one byte then wait", scripted(ConnectionScript::Kind::OneByteThenWait, 300), "QOV:  NO RESPONSE.",
       "No Response.", "Results:  No Response."},
      {"close without answer", scripted(ConnectionScript::Kind::CloseWithoutAnswer), "QOV:  NO RESPONSE.",
       "No Response.", "Results:  No Response."},
      {"answer over the buffer", scripted(ConnectionScript::Kind::AnswerAtOnce, 0, 5000), "QOV:  NO RESPONSE.",
       "No Response.", "Results:  No Response."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir wd;
    ClearingHouseServer server;
    server.setDefaultScript(c.script);
    Exchange ex(server);
    ASSERT_TRUE(ex.ok) << "no key store";
    Parameters::getInstance()->setRemoteTimeout(1000);
    writeFile("working/a.clm", framedFile(claimOf(60)));
    RecordingListener listener;
    Claimora worker(&listener);
    worker.setUp();
    settledRound(worker);
    const Bytes rsp = readFile("working/a.rsp");
    ASSERT_GT(rsp.size(), 2u);
    EXPECT_NE(std::string(rsp.begin(), rsp.end()).find("F4" + c.rejectText), std::string::npos);
    // STX, the reject, ETX and its check byte.
    const Bytes payload(rsp.begin() + 1, rsp.end() - 2);
    EXPECT_EQ(rsp.back(), lrcOf(payload));
    const auto steps = listener.cells(1);
    EXPECT_NE(std::find(steps.begin(), steps.end(), c.step), steps.end());
    EXPECT_TRUE(listener.sawResult(c.result));
    EXPECT_FALSE(fs::exists("working/a.clm"));
  }
}

TEST(WorkerExchange, NoServerMeansRejectAndNextHost) {
  TempWorkDir wd;
  ASSERT_TRUE(installKeyStore());
  int freePort;
  {
    ClearingHouseServer probe;  // a port that nobody listens on once the probe is gone
    freePort = probe.port();
  }
  fs::create_directory("working");
  auto& p = *Parameters::getInstance();
  p.setSecurity(false);
  p.setRemoteIPAddresses({"127.0.0.1", "127.0.0.2"});
  p.setRemoteClearPort(freePort);
  writeFile("working/a.clm", framedFile(claimOf(60)));
  RecordingListener listener;
  Claimora worker(&listener);
  worker.setUp();
  settledRound(worker);
  const Bytes rsp = readFile("working/a.rsp");
  EXPECT_NE(std::string(rsp.begin(), rsp.end()).find("F4QOV:  FAILED TO SEND CLAIM.  CHECK INTERNET CONNECTION."),
            std::string::npos);
  EXPECT_TRUE(listener.sawResult("Results:  Check Internet Connection."));
  const auto steps = listener.cells(1);
  EXPECT_NE(std::find(steps.begin(), steps.end(), "Failed To Connect."), steps.end());
  EXPECT_EQ(p.getCurrentIP(), 1);
  EXPECT_FALSE(fs::exists("working/a.clm"));
}

TEST(WorkerExchange, RotationFindsTheOneListeningHost) {
  TempWorkDir wd;
  ClearingHouseServer server;  // on 127.0.0.1 only
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
  Exchange ex(server);
  ASSERT_TRUE(ex.ok) << "no key store";
  auto& p = *Parameters::getInstance();
  p.setRemoteIPAddresses({"127.0.0.2", "127.0.0.3", "127.0.0.1"});
  Claimora worker;
  worker.setUp();
  std::vector<bool> answered;
  for (int i = 0; i < 4; ++i) {
    writeFile("working/a.clm", framedFile(claimOf(60)));
    settledRound(worker);
    const Bytes rsp = readFile("working/a.rsp");
    fs::remove("working/a.rsp");
    answered.push_back(std::string(rsp.begin(), rsp.end()).find("F4PAID") != std::string::npos);
  }
  EXPECT_EQ(answered, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(p.getCurrentIP(), 2);
  EXPECT_TRUE(server.waitForConnections(2, 5000));
  EXPECT_EQ(server.connectionCount(), 2u);
}

TEST(WorkerExchange, SecureExchangeWithAJksKeyStore) {
  const auto& fx = testkit::CertificateFixtures::shared();
  TempWorkDir wd;
  ClearingHouseServer::Options options;
  options.tls = true;
  options.certFile = fx.path("server.pem");
  options.keyFile = fx.path("server.key");
  options.clientCaFile = fx.path("ca.pem");
  ClearingHouseServer server(options);
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord, /*readAck=*/true));
  Exchange ex(server, /*secure=*/true);
  fs::copy_file(fx.writeJks({}), "jssecerts", fs::copy_options::overwrite_existing);
  Parameters::getInstance()->parseSettings("send_ack=on");
  writeFile("working/a.clm", framedFile(claimOf(60)));
  RecordingListener listener;
  Claimora worker(&listener);
  worker.setUp();
  settledRound(worker);
  ASSERT_TRUE(server.waitForConnections(1, 5000));
  const auto got = server.received();
  EXPECT_TRUE(got[0].handshakeOk);
  EXPECT_FALSE(got[0].clientSubject.empty());
  EXPECT_EQ(got[0].request, cat({bytesOf("0065"), bytesOf("00000"), claimOf(60)}));
  EXPECT_EQ(got[0].ack, bytesOf("000600000*"));
  const Bytes payload = payloadOf(kRecord);
  EXPECT_EQ(readFile("working/a.rsp"), cat({one(kStx), payload, one(kEtx), one(lrcOf(payload))}));
  EXPECT_EQ(listener.system(), std::vector<std::string>{"System:  Secure"});
}

TEST(WorkerExchange, SecureExchangeRefusesAServerOutsideTheStore) {
  const auto& fx = testkit::CertificateFixtures::shared();
  TempWorkDir wd;
  ClearingHouseServer::Options options;
  options.tls = true;
  options.certFile = fx.path("rogue-server.pem");
  options.keyFile = fx.path("rogue-server.key");
  ClearingHouseServer server(options);
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
  Exchange ex(server, /*secure=*/true);
  fs::copy_file(fx.writeJks({}), "jssecerts", fs::copy_options::overwrite_existing);
  writeFile("working/a.clm", framedFile(claimOf(60)));
  RecordingListener listener;
  Claimora worker(&listener);
  worker.setUp();
  settledRound(worker);
  EXPECT_TRUE(listener.sawResult("Results:  Check Internet Connection."));
  const Bytes rsp = readFile("working/a.rsp");
  EXPECT_NE(std::string(rsp.begin(), rsp.end()).find("CHECK INTERNET CONNECTION."), std::string::npos);
}

}  // namespace
