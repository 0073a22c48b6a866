#include "claim/Varodex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClaimTestSupport.h"
#include "claim/Parameters.h"
#include "claim/SSLClient.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "testkit/fixtures/CertificateFixtures.h"

namespace {

using claimtest::Bytes;
using claimtest::TempWorkDir;
using testkit::CertificateFixtures;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

constexpr int kTimeoutMs = 5000;
constexpr int kShortTimeoutMs = 300;

std::string text(const std::vector<std::uint8_t>& b) {
  return std::string(b.begin(), b.end());
}

Bytes claimOf(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>('A' + i % 26);
  return b;
}

// A clear connection to one test server, with the settings pointed at it.
class VarodexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    params = Parameters::getInstance();
    params->setSecurity(false);
    params->setRemoteTimeout(kTimeoutMs);
    params->setRemoteIPAddresses({server.address()});
    params->setRemoteClearPort(server.port());
  }

  // connect, send a small claim, read the answer into `response`; returns getData's result.
  int exchange(Varodex& v, ConnectionScript script, int offset = 0) {
    server.pushScript(std::move(script));
    EXPECT_TRUE(v.connect());
    Bytes claim = claimOf(50);
    EXPECT_EQ(v.sendData(claim, 0, 50), 55);
    return v.getData(response, offset);
  }

  TempWorkDir work;
  ClearingHouseServer server;
  plat::lang::Ref<Parameters> params;
  std::array<std::uint8_t, 4096> response{};
};

TEST_F(VarodexTest, ClaimGoesOutBehindItsLengthAndIdentifier) {
  struct Case {
    std::size_t start, length;
    const char* prefix;
  };
  for (const Case& c : {Case{0, 60, "0065"}, Case{3, 5, "0010"}, Case{0, 9994, "9999"}}) {
    SCOPED_TRACE(c.length);
    Varodex v(nullptr, std::nullopt);
    ASSERT_TRUE(v.connect());
    Bytes buffer = claimOf(c.start + c.length);
    EXPECT_EQ(v.sendData(buffer, static_cast<int>(c.start), static_cast<int>(c.length)),
              static_cast<int>(5 + c.length));
    v.getData(response, 0);
    v.disConnect();
  }
  ASSERT_TRUE(server.waitForConnections(3, kTimeoutMs));
  std::vector<ClearingHouseServer::Received> got = server.received();
  EXPECT_EQ(text(got[0].request),
            "0065"
            "00000" +
                text(claimOf(60)));
  EXPECT_EQ(text(got[1].request),
            "0010"
            "00000" +
                text(claimOf(8)).substr(3));
  EXPECT_EQ(got[2].request.size(), 4u + 9999u);
}

TEST_F(VarodexTest, ClaimTooLongForFourDigitsIsDiscardedUnsent) {
  Varodex v(nullptr, std::nullopt);
  ASSERT_TRUE(v.connect());
  Bytes buffer = claimOf(9995);
  EXPECT_EQ(v.sendData(buffer, 0, 9995), Varodex::kTooLong);
  v.disConnect();
  EXPECT_TRUE(work.logHasPrefix("Varodex.sendData(): Length greater than 9999. Claim Discarded. "));
  ASSERT_TRUE(server.waitForConnections(1, kTimeoutMs));
  EXPECT_TRUE(server.received()[0].request.empty());
}

TEST_F(VarodexTest, ClaimOutsideItsBufferFailsTheSend) {
  Varodex v(nullptr, std::nullopt);
  ASSERT_TRUE(v.connect());
  Bytes buffer = claimOf(100);
  EXPECT_EQ(v.sendData(buffer, 60, 47), Varodex::kWriteFailure);
  EXPECT_EQ(v.getDataOutputStream(), nullptr);  // the connection was closed
  Varodex idle(nullptr, std::nullopt);
  EXPECT_EQ(idle.sendData(buffer, 0, 50), Varodex::kWriteFailure);
  EXPECT_TRUE(work.logHasPrefix("Varodex.sendData():  Connection failure: Socket is not connected"));
}

ConnectionScript oneByte(char b) {
  ConnectionScript s;
  s.kind = ConnectionScript::Kind::OneByteThenWait;
  s.answer = {static_cast<std::uint8_t>(b)};
  s.pauseMs = 2000;
  return s;
}

ConnectionScript raw(const std::string& bytes) {
  ConnectionScript s;
  s.answer.assign(bytes.begin(), bytes.end());
  return s;
}

ConnectionScript rawTwoParts(const std::string& bytes, std::size_t split) {
  ConnectionScript s = raw(bytes);
  s.kind = ConnectionScript::Kind::TwoParts;
  s.splitAt = split;
  s.pauseMs = 100;
  return s;
}

ConnectionScript ofKind(ConnectionScript::Kind kind) {
  ConnectionScript s;
  s.kind = kind;
  s.pauseMs = 2000;
  return s;
}

TEST_F(VarodexTest, AnswerIsReadAsItsScriptSendsIt) {
  const std::string record31(31, 'R');
  const std::string unprefixed40 = "X" + std::string(39, 'u');
  struct Case {
    const char* name;
    ConnectionScript script;
    int timeoutMs;
    int expect;
    const char* log;  // expected log line, or null for none from getData
  };
  const std::vector<Case> cases = {
      {"framed answer at once", ConnectionScript::answerAtOnce(record31), kTimeoutMs, 40, nullptr},
      {"unprefixed answer at once", raw(unprefixed40), kTimeoutMs, 40, nullptr},
      {"lone non-digit byte", oneByte('X'), kTimeoutMs, 0, nullptr},
      {"lone digit byte, then silence", oneByte('0'), kShortTimeoutMs, Varodex::kTimedOut,
       "Varodex.getData():  Timed out: Read timed out"},
      {"framed answer in two parts", ConnectionScript::twoParts(record31, 20, 100), kTimeoutMs, 40, nullptr},
      {"framed answer split inside its digits", ConnectionScript::twoParts(record31, 2, 100), kTimeoutMs, 40, nullptr},
      {"unprefixed answer in two parts keeps the first", rawTwoParts(unprefixed40, 25), kTimeoutMs, 25, nullptr},
      {"close without answer", ofKind(ConnectionScript::Kind::CloseWithoutAnswer), kTimeoutMs, Varodex::kEndOfStream,
       "Varodex.getData():  Connection closed by the server"},
      {"never answer", ofKind(ConnectionScript::Kind::NeverAnswer), kShortTimeoutMs, Varodex::kTimedOut,
       "Varodex.getData():  Timed out: Read timed out"},
      {"framed answer filling the buffer", ConnectionScript::answerAtOnce(std::string(4087, 'F')), kTimeoutMs, 4096,
       nullptr},
      {"framed answer over the buffer", ConnectionScript::answerAtOnce(std::string(4088, 'F')), kTimeoutMs,
       Varodex::kOtherFailure, nullptr},
      {"unprefixed answer over the buffer", raw("X" + std::string(4999, 'o')), kTimeoutMs, Varodex::kOtherFailure,
       nullptr},
      {"framed answer cut short",
       raw("0100"
           "00000" +
           std::string(41, 's')),
       kTimeoutMs, Varodex::kIoFailure, "Varodex.getData():  Input/output failure: Answer ended after 50 of 104 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    params->setRemoteTimeout(c.timeoutMs);
    Varodex v(nullptr, std::nullopt);
    response.fill(0);
    EXPECT_EQ(exchange(v, c.script), c.expect);
    v.disConnect();
    if (c.expect > 0) {
      EXPECT_EQ(std::string(response.begin(), response.begin() + c.expect),
                text(c.script.answer).substr(0, static_cast<std::size_t>(c.expect)));
    }
    if (c.log) {
      EXPECT_TRUE(work.logHasPrefix(c.log)) << "missing log line " << c.log;
    }
  }
}

TEST_F(VarodexTest, AnswerLandsAtTheOffset) {
  Varodex v(nullptr, std::nullopt);
  EXPECT_EQ(exchange(v, ConnectionScript::answerAtOnce("ABC"), 100), 12);
  EXPECT_EQ(std::string(response.begin() + 100, response.begin() + 112),
            "0008"
            "00000"
            "ABC");
  EXPECT_EQ(response[99], 0);
}

TEST_F(VarodexTest, AcknowledgementFollowsOnlyAReceivedAnswer) {
  struct Case {
    const char* name;
    ConnectionScript script;
    const char* ack;
  };
  ConnectionScript withAck = ConnectionScript::answerAtOnce("PAID", true);
  ConnectionScript lone = oneByte('X');
  lone.readAck = true;
  for (const Case& c : {Case{"answered", withAck,
                             "0006"
                             "00000"
                             "*"},
                        Case{"lone byte", lone, ""}}) {
    SCOPED_TRACE(c.name);
    std::size_t before = server.connectionCount();
    Varodex v(nullptr, std::nullopt);
    exchange(v, c.script);
    v.sendAck();
    v.disConnect();
    ASSERT_TRUE(server.waitForConnections(before + 1, kTimeoutMs));
    EXPECT_EQ(text(server.received()[before].ack), c.ack);
  }
}

TEST_F(VarodexTest, FailedConnectLogsAndMovesTheRotationOn) {
  params->setRemoteIPAddresses({"127.0.0.2", "127.0.0.3", "127.0.0.4", server.address()});
  Varodex v(nullptr, std::nullopt);
  const std::vector<int> afterEach = {1, 2, 3};
  for (int expected : afterEach) {
    EXPECT_FALSE(v.connect());
    EXPECT_EQ(params->getCurrentIP(), expected);
  }
  EXPECT_TRUE(v.connect());  // the fourth host listens
  EXPECT_EQ(params->getCurrentIP(), 3);
  v.disConnect();
  EXPECT_EQ(work.logCountPrefix("Varodex.connect():  Connect failed: Connection refused"), 3);

  params->setRemoteIPAddresses({"127.0.0.2"});
  EXPECT_FALSE(v.connect());  // after the last host, the first again
  EXPECT_EQ(params->getCurrentIP(), 0);
}

TEST_F(VarodexTest, DisconnectIsHarmlessTwice) {
  Varodex v(nullptr, std::nullopt);
  ASSERT_TRUE(v.connect());
  v.disConnect();
  v.disConnect();
  EXPECT_FALSE(v.isConnected());
  EXPECT_EQ(v.getDataInputStream(), nullptr);
  for (const std::string& m : work.logMessages()) EXPECT_EQ(m.find("disConnect"), std::string::npos) << m;
}

class VarodexTlsTest : public VarodexTest {
 protected:
  void SetUp() override {
    fx = &CertificateFixtures::shared();
    VarodexTest::SetUp();
    params->setSecurity(true);
    client = std::make_unique<SSLClient>(fx->writeJks({}), "tumbrelosk");
  }

  std::unique_ptr<ClearingHouseServer> tlsServer(const std::string& cert) {
    ClearingHouseServer::Options o;
    o.tls = true;
    o.certFile = fx->path(cert + ".pem");
    o.keyFile = fx->path(cert + ".key");
    o.clientCaFile = fx->path("ca.pem");
    auto s = std::make_unique<ClearingHouseServer>(o);
    params->setRemoteSecurePort(s->port());
    return s;
  }

  const CertificateFixtures* fx = nullptr;
  std::unique_ptr<SSLClient> client;
};

TEST_F(VarodexTlsTest, ExchangesOverTlsWithTheStoresClientCertificate) {
  auto tls = tlsServer("server");
  tls->pushScript(ConnectionScript::answerAtOnce("PAID", true));
  tls->pushScript(ConnectionScript::twoParts(std::string(3000, 'T'), 1500, 100));
  Varodex v(client->getSocketFactory(), client->getCipherSuites());
  ASSERT_TRUE(v.connect());
  Bytes claim = claimOf(60);
  EXPECT_EQ(v.sendData(claim, 0, 60), 65);
  EXPECT_EQ(v.getData(response, 0), 13);
  v.sendAck();
  v.disConnect();
  // An answer split over two records is read whole.
  ASSERT_TRUE(v.connect());
  EXPECT_EQ(v.sendData(claim, 0, 60), 65);
  EXPECT_EQ(v.getData(response, 0), 3009);
  v.disConnect();
  ASSERT_TRUE(tls->waitForConnections(2, kTimeoutMs));
  auto got = tls->received();
  EXPECT_EQ(text(got[0].request),
            "0065"
            "00000" +
                text(claim));
  EXPECT_EQ(text(got[0].ack), "000600000*");
  EXPECT_NE(got[0].clientSubject.find("Test Pharmacy"), std::string::npos);
  EXPECT_EQ(server.connectionCount(), 0u);  // nothing went to the clear port
}

TEST_F(VarodexTlsTest, UntrustedServerIsAFailedConnect) {
  auto tls = tlsServer("rogue-server");
  Varodex v(client->getSocketFactory(), client->getCipherSuites());
  EXPECT_FALSE(v.connect());
  EXPECT_EQ(params->getCurrentIP(), 0);  // one host: the rotation wraps to it
  bool logged = false;
  for (const std::string& m : work.logMessages()) {
    logged = logged || m.rfind(
                           "Varodex.connect():  TLS handshake failed: Server certificate not "
                           "trusted",
                           0) == 0;
  }
  EXPECT_TRUE(logged);
}

TEST_F(VarodexTlsTest, SecurityOnWithoutTlsNeverFallsBackToClearText) {
  Varodex v(nullptr, std::nullopt);
  EXPECT_FALSE(v.connect());
  EXPECT_TRUE(
      work.logHasPrefix("Varodex.connect():  TLS failure: TLS is not available; security is on, "
                        "claim not sent in clear"));
  EXPECT_FALSE(server.waitForConnections(1, 200));
}

}  // namespace
