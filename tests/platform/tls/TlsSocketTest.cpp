#include "platform/tls/TlsSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/net/NetExceptions.h"
#include "platform/tls/KeyStore.h"
#include "platform/tls/TlsContext.h"
#include "platform/tls/TlsExceptions.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "testkit/fixtures/CertificateFixtures.h"

extern char** environ;

namespace {

using plat::tls::KeyStore;
using plat::tls::TlsContext;
using testkit::CertificateFixtures;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

constexpr const char* kStorePass = CertificateFixtures::kStorePassword;
constexpr const char* kKeyPass = CertificateFixtures::kKeyPassword;

class TlsSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CertificateFixtures::opensslAvailable()) GTEST_SKIP() << "the openssl command is not installed";
    fx = &CertificateFixtures::shared();
  }

  plat::lang::Ref<TlsContext> context(const CertificateFixtures::JksOptions& o = {}) {
    KeyStore ks = KeyStore::load(fx->writeJks(o), kStorePass);
    return plat::lang::makeRef<TlsContext>(ks, kKeyPass);
  }

  ClearingHouseServer::Options tlsServer(const std::string& name = "server") {
    ClearingHouseServer::Options o;
    o.tls = true;
    o.certFile = fx->path(name + ".pem");
    o.keyFile = fx->path(name + ".key");
    return o;
  }

  static std::string exchange(plat::net::Socket& s, const std::string& text) {
    s.getOutputStream()->write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::string out;
    std::uint8_t buf[256];
    for (int n; (n = s.getInputStream()->read(buf, sizeof buf)) > 0;) out.append(reinterpret_cast<char*>(buf), n);
    return out;
  }

  const CertificateFixtures* fx = nullptr;
};

TEST_F(TlsSocketTest, HandshakesWithATrustedServerAndExchanges) {
  ClearingHouseServer server(tlsServer());
  server.setDefaultScript(ConnectionScript::answerAtOnce("PAID"));
  auto s = context()->createSocket();
  s->setSoTimeout(5000);
  s->connect(server.address(), server.port(), 5000);
  EXPECT_FALSE(s->getProtocol().empty());
  EXPECT_EQ(exchange(*s,
                     "0006"
                     "00000"
                     "x"),
            "0009"
            "00000"
            "PAID");
}

TEST_F(TlsSocketTest, ServerCertificateOutsideTheStoreFailsTheConnect) {
  ClearingHouseServer server(tlsServer("rogue-server"));
  auto s = context()->createSocket();
  s->setSoTimeout(5000);
  try {
    s->connect(server.address(), server.port(), 5000);
    FAIL() << "an untrusted server was accepted";
  } catch (const plat::tls::SSLHandshakeException& e) {
    EXPECT_NE(e.getMessage().find("not trusted"), std::string::npos) << e.getMessage();
  }
  EXPECT_FALSE(s->isConnected());
}

TEST_F(TlsSocketTest, ClientCertificateFromTheStoreSatisfiesTheServer) {
  ClearingHouseServer::Options o = tlsServer();
  o.clientCaFile = fx->path("ca.pem");
  ClearingHouseServer server(o);
  server.setDefaultScript(ConnectionScript::answerAtOnce("OK"));
  auto s = context()->createSocket();
  s->setSoTimeout(5000);
  s->connect(server.address(), server.port(), 5000);
  EXPECT_EQ(exchange(*s,
                     "0006"
                     "00000"
                     "x"),
            "0007"
            "00000"
            "OK");
  ASSERT_TRUE(server.waitForConnections(1, 5000));
  EXPECT_NE(server.received()[0].clientSubject.find("Test Pharmacy"), std::string::npos);
}

TEST_F(TlsSocketTest, StoreWithoutKeyEntryIsRefusedByAServerThatWantsOne) {
  ClearingHouseServer::Options o = tlsServer();
  o.clientCaFile = fx->path("ca.pem");
  ClearingHouseServer server(o);
  CertificateFixtures::JksOptions noKey;
  noKey.keyEntry = false;
  auto s = context(noKey)->createSocket();
  s->setSoTimeout(5000);
  // With TLS 1.3 the server's refusal arrives after the client's side of the handshake: at connect or first read.
  EXPECT_THROW(
      {
        s->connect(server.address(), server.port(), 5000);
        exchange(*s,
                 "0006"
                 "00000"
                 "x");
        throw plat::io::IOException("no refusal");
      },
      plat::io::IOException);
  ASSERT_TRUE(server.waitForConnections(1, 5000));
  EXPECT_FALSE(server.received()[0].handshakeOk);
}

TEST_F(TlsSocketTest, HandshakeIsBoundedByTheReadTimeout) {
  ClearingHouseServer server;  // clear TCP: it never answers a client hello
  ConnectionScript never;
  never.kind = ConnectionScript::Kind::NeverAnswer;
  never.pauseMs = 5000;
  server.setDefaultScript(never);
  auto s = context()->createSocket();
  s->setSoTimeout(200);
  EXPECT_THROW(s->connect(server.address(), server.port(), 5000), plat::net::SocketTimeoutException);
}

TEST_F(TlsSocketTest, SuitesNeverIncludeAnonymousOrNullEncryption) {
  std::vector<std::string> suites = context()->getSupportedCipherSuites();
  ASSERT_FALSE(suites.empty());
  bool tls13 = false;
  for (const std::string& n : suites) {
    SCOPED_TRACE(n);
    EXPECT_EQ(n.find("NULL"), std::string::npos);
    EXPECT_NE(n.rfind("ADH", 0), 0u);
    EXPECT_NE(n.rfind("AECDH", 0), 0u);
    tls13 = tls13 || n == "TLS_AES_256_GCM_SHA384";
  }
  EXPECT_TRUE(tls13);
}

TEST_F(TlsSocketTest, EnabledSuitesAreHonouredAndUnknownNamesRefused) {
  ClearingHouseServer server(tlsServer());
  auto s = context()->createSocket();
  EXPECT_THROW(s->setEnabledCipherSuites({"NO-SUCH-SUITE"}), plat::lang::IllegalArgumentException);
  EXPECT_THROW(s->setEnabledCipherSuites({"NULL-SHA256"}), plat::lang::IllegalArgumentException);
  s->setEnabledCipherSuites({"ECDHE-ECDSA-AES128-GCM-SHA256"});
  s->setSoTimeout(5000);
  s->connect(server.address(), server.port(), 5000);
  EXPECT_EQ(s->getCipherSuite(), "ECDHE-ECDSA-AES128-GCM-SHA256");
  EXPECT_EQ(s->getProtocol(), "TLSv1.2");
}

TEST_F(TlsSocketTest, WrongKeyPasswordFailsTheContext) {
  CertificateFixtures::JksOptions o;
  o.keyPassword = "other";
  KeyStore ks = KeyStore::load(fx->writeJks(o), kStorePass);
  EXPECT_THROW(TlsContext(ks, kKeyPass), plat::tls::UnrecoverableKeyException);
}

// A free loopback port: bound, then released for the child to take.
int freePort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  socklen_t len = sizeof sa;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
  ::close(fd);
  return ntohs(sa.sin_port);
}

// openssl s_server as a child on 127.0.0.1, at most 30 seconds, killed when the test ends.
class OpensslServer {
 public:
  OpensslServer(const CertificateFixtures& fx, int port) {
    std::vector<std::string> argv{"timeout", "30",
                                  "openssl", "s_server",
                                  "-quiet",  "-rev",
                                  "-accept", "127.0.0.1:" + std::to_string(port),
                                  "-cert",   fx.path("server.pem"),
                                  "-key",    fx.path("server.key"),
                                  "-Verify", "1",
                                  "-CAfile", fx.path("ca.pem")};
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "timeout", &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~OpensslServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

TEST_F(TlsSocketTest, InteroperatesWithOpensslServer) {
  const int port = freePort();
  OpensslServer child(*fx, port);
  ASSERT_TRUE(child.started());
  auto ctx = context();
  // Wait (bounded) until the child listens; a failed probe costs the child nothing but a log line.
  plat::lang::Ref<plat::tls::TlsSocket> s;
  for (int attempt = 0; attempt < 100 && !s; ++attempt) {
    auto probe = ctx->createSocket();
    probe->setSoTimeout(5000);
    try {
      probe->connect("127.0.0.1", port, 5000);
      s = probe;
    } catch (const plat::net::ConnectException&) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ASSERT_TRUE(s) << "openssl s_server did not start";
  std::string line =
      "0010"
      "00000"
      "CLAIM\n";
  s->getOutputStream()->write(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
  std::string back;
  std::uint8_t buf[64];
  while (back.find('\n') == std::string::npos) {
    int n = s->getInputStream()->read(buf, sizeof buf);
    if (n <= 0) break;
    back.append(reinterpret_cast<char*>(buf), n);
  }
  EXPECT_EQ(back, "MIALC000000100\n");
}

}  // namespace
