// Sessions against the middleware test server on loopback: the connect handshake byte for byte, redirects,
// version mismatch, the request size limit, serialised requests of several threads, and the faults that lose a
// connection.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/net/NetExceptions.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "testkit/middleware/MiddlewareServer.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Arg;
using testkit::middleware::Bytes;
using testkit::middleware::ConnectAnswer;
using testkit::middleware::Encoded;
using testkit::middleware::Fault;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;

constexpr const char* kLost = "Lost connection to Kestrovane server.";

// Method 0 echoes its int argument plus one; method 1 waits the int in milliseconds, then echoes it.
class Echo : public testkit::middleware::ServerObject {
 public:
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override {
    const std::int32_t v = args.empty() ? 0 : args[0].asInt();
    if (method == 1) std::this_thread::sleep_for(std::chrono::milliseconds(v));
    if (method == 9) throw testkit::middleware::ServerFailure(77, 0, "echo refused");
    return {MwEncode::dataInt(method == 0 ? v + 1 : v)};
  }
};

class ClientSessionTest : public ::testing::Test {
 protected:
  ClientSessionTest() : server_(MiddlewareServer::Options{"127.0.0.1", 2, 60000}) {
    echoId_ = server_.addObject(std::make_shared<Echo>());
  }
  std::unique_ptr<ClientSession> open(int listener = 0) {
    return std::make_unique<ClientSession>("127.0.0.1", server_.port(listener), "", true);
  }
  std::int32_t echo(ClientSession& s, std::int32_t v, int method = 0) {
    RemoteObject o("Echo", echoId_, s);
    auto r = o.invokeMethod(method, v);
    return plat::lang::refCast<NetData>(r.at(0))->getInt();
  }

  MiddlewareServer server_;
  std::int32_t echoId_ = 0;
};

Bytes connectPayload() {
  return wiretest::Wire{56, 0, 0}.str("session,connect,3,0").eot();
}

TEST_F(ClientSessionTest, ConnectSendsProtocolThreeZeroOnStreamZero) {
  auto s = open();
  EXPECT_EQ(s->getConnectionID(), 100);
  auto packets = server_.packets();
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].streamId, 0);
  EXPECT_EQ(packets[0].payload, connectPayload());
}

TEST_F(ClientSessionTest, RequestsTakeStreamOneAndGiveItBack) {
  auto s = open();
  EXPECT_EQ(echo(*s, 5), 6);
  EXPECT_EQ(echo(*s, 6), 7);
  auto packets = server_.packets();
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[1].streamId, 1);
  EXPECT_EQ(packets[2].streamId, 1);
  EXPECT_EQ(s->getMPlex()->streamCount(), 1u);
}

TEST_F(ClientSessionTest, CloseTwiceSendsDisconnectOnce) {
  auto s = open();
  s->close();
  s->close();
  ASSERT_TRUE(server_.waitForRequests(2, 5000));
  EXPECT_EQ(server_.commands(), (std::vector<std::string>{"session,connect,3,0", "session,disconnect"}));
  EXPECT_THROW(echo(*s, 1), SQLServerConnException);
}

TEST_F(ClientSessionTest, RedirectsAreFollowedToTheOtherListener) {
  server_.pushConnectAnswer({ConnectAnswer::Kind::Redirect, "", server_.port(1)});
  server_.pushConnectAnswer({ConnectAnswer::Kind::Redirect, "127.0.0.1", server_.port(1)});
  auto s = open();
  auto reqs = server_.requests();
  ASSERT_EQ(reqs.size(), 3u);
  EXPECT_EQ(reqs[0].listener, 0);
  EXPECT_EQ(reqs[1].listener, 1);
  EXPECT_EQ(reqs[2].listener, 1);
  for (const auto& r : reqs) EXPECT_EQ(r.request.command, "session,connect,3,0");
  EXPECT_EQ(echo(*s, 1), 2);
}

TEST_F(ClientSessionTest, RedirectsEndAfterSixteen) {
  for (int i = 0; i < 20; ++i) server_.pushConnectAnswer({ConnectAnswer::Kind::Redirect, "", server_.port(0)});
  try {
    open();
    FAIL() << "connected";
  } catch (const NetException& e) {
    EXPECT_EQ(e.getMessage(), "Unable to connect to server.");
  }
  EXPECT_EQ(server_.requests().size(), 17u);
}

TEST_F(ClientSessionTest, RedirectToABadPortIsRefused) {
  for (int port : {79, 0, 70000}) {
    server_.pushConnectAnswer({ConnectAnswer::Kind::Redirect, "", port});
    try {
      open();
      FAIL() << port;
    } catch (const NetException& e) {
      EXPECT_EQ(e.getMessage(), "Unable to connect to server.") << port;
    }
  }
}

TEST_F(ClientSessionTest, VersionMismatchDisconnectsAndFails) {
  server_.pushConnectAnswer({ConnectAnswer::Kind::Mismatch});
  try {
    open();
    FAIL() << "connected";
  } catch (const NetException& e) {
    EXPECT_EQ(e.getMessage(),
              "Client/Server Protocol Version Mismatch:  Client class files version conflicts with expected "
              "Kestrovane version; verify CLASSPATH environment setting.");
  }
  ASSERT_TRUE(server_.waitForRequests(2, 5000));
  EXPECT_EQ(server_.commands().back(), "session,disconnect");
}

TEST_F(ClientSessionTest, ShortConnectReplyIsALostConnection) {
  server_.pushConnectAnswer({ConnectAnswer::Kind::Accept, "", 0, 0, MwEncode::data({0, 1}).bytes});
  try {
    open();
    FAIL() << "connected";
  } catch (const NetException& e) {
    EXPECT_EQ(e.getMessage(), kLost);
  }
}

TEST(ClientSessionOpen, PortsAndHostsFailBeforeConnecting) {
  struct Case {
    const char* host;
    int port;
    const char* message;
  };
  for (const Case& c : {Case{"127.0.0.1", 79, "Port# must be 80 or higher"},
                        Case{"127.0.0.1", 8890, "The secure port is not supported by this client: 127.0.0.1:8890"}}) {
    try {
      ClientSession s(c.host, c.port, "", true);
      FAIL() << c.port;
    } catch (const NetException& e) {
      EXPECT_EQ(e.getMessage(), c.message);
    }
  }
  EXPECT_THROW(ClientSession("no-such-host.invalid", 9000, "", true), plat::net::UnknownHostException);
}

TEST(ClientSessionOpen, NobodyListeningIsServerNotResponding) {
  int port;
  {
    MiddlewareServer gone;
    port = gone.port();
  }
  try {
    ClientSession s("127.0.0.1", port, "", true);
    FAIL();
  } catch (const NetException& e) {
    EXPECT_EQ(e.getMessage(), "Server not responding (127.0.0.1:" + std::to_string(port) + ")");
  }
}

TEST_F(ClientSessionTest, RequestOfExactlyTheLimitIsSentOneMoreIsRefused) {
  auto s = open();
  std::size_t sizeSeen = 0;
  server_.setHandler([&sizeSeen](const testkit::middleware::ParsedRequest& r) -> std::optional<Bytes> {
    if (r.words.size() > 1 && r.words[1] == "big") {
      sizeSeen = r.command.size();
      return MwEncode::dataInt(0).bytes;
    }
    return std::nullopt;
  });
  // 56 00 00, 52 + u16, the command, 50 00 00: nine bytes around the command.
  auto request = [&](std::size_t total) {
    std::string cmd = "debug,big,";
    cmd += std::string(total - 9 - cmd.size(), 'x');
    RemoteObject dummy("x", 0, *s);  // keeps the session alive in scope
    (void)dummy;
    class Raw : public Requester {
     public:
      Raw(ClientSession& s, std::string c) : Requester(s), c_(std::move(c)) {}
      void writeRequest(plat::io::DataOutputStream& out) override { writeCommand(out, {c_}); }
      void readResults(plat::io::DataInputStream& in) override { NetClass::getNextObject(in); }
      std::string c_;
    } raw(*s, cmd);
    raw.execute();
  };
  EXPECT_NO_THROW(request(32768));
  EXPECT_EQ(sizeSeen, 32768u - 9);
  try {
    request(32769);
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Request exceeds max length of 32768");
  }
  EXPECT_EQ(echo(*s, 3), 4);
  EXPECT_EQ(server_.packets().back().streamId, 1);
}

TEST_F(ClientSessionTest, RepliesOfTwoThreadsNeverMix) {
  auto s = open();
  std::atomic<int> wrong{0};
  auto work = [&](int base) {
    for (int i = 0; i < 200; ++i) {
      if (echo(*s, base + i) != base + i + 1) ++wrong;
    }
  };
  std::thread a(work, 1000), b(work, 50000);
  a.join();
  b.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(server_.requests().size(), 401u);
}

TEST_F(ClientSessionTest, CloseWaitsForTheRunningRequest) {
  auto s = open();
  std::atomic<int> result{0};
  std::thread running([&] { result = echo(*s, 300, 1); });
  ASSERT_TRUE(server_.waitForRequests(2, 5000));
  s->close();
  running.join();
  EXPECT_EQ(result.load(), 300);
  ASSERT_TRUE(server_.waitForRequests(3, 5000));
  EXPECT_EQ(server_.commands().back(), "session,disconnect");
}

TEST_F(ClientSessionTest, ServerErrorLeavesTheSessionUsable) {
  auto s = open();
  RemoteObject o("Echo", echoId_, *s);
  try {
    o.invokeMethod(9, 1);
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_NE(std::string(e.getMessage()).find("echo refused"), std::string::npos) << e.getMessage();
  }
  EXPECT_EQ(echo(*s, 1), 2);
  EXPECT_EQ(server_.packets().back().streamId, 1);
}

TEST_F(ClientSessionTest, SplitRepliesAreJoined) {
  auto s = open();
  server_.pushFault("proxy,invoke", Fault{Fault::Kind::Split, {1, 2, 5, 9}});
  EXPECT_EQ(echo(*s, 41), 42);
}

TEST_F(ClientSessionTest, CompressedResultIsInflated) {
  auto s = open();
  Bytes big(5000, 0x33);
  server_.setHandler([&big](const testkit::middleware::ParsedRequest& r) -> std::optional<Bytes> {
    if (r.command.rfind("proxy,invoke", 0) == 0) return MwEncode::list({MwEncode::compressed(big)}).bytes;
    return std::nullopt;
  });
  RemoteObject o("Echo", echoId_, *s);
  auto results = o.invokeMethod(0);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(plat::lang::refCast<NetData>(results[0])->getBytes(), big);
}

TEST_F(ClientSessionTest, FaultsLoseTheConnection) {
  struct Case {
    const char* name;
    Fault fault;
  };
  const std::vector<Case> cases = {
      {"bad marker", Fault{Fault::Kind::BadMarker}},
      {"short header", Fault{Fault::Kind::ShortHeader}},
      {"length below two", Fault{Fault::Kind::LengthBelowTwo}},
      {"empty packet", Fault{Fault::Kind::EmptyPacket}},
      {"disconnect stream", Fault{Fault::Kind::DisconnectStream}},
      {"close mid reply", Fault{Fault::Kind::CloseMidReply, {8}}},
      {"misparse", Fault{Fault::Kind::Raw, {}, 0, MwEncode::string("not a list").bytes}},
  };
  for (const auto& c : cases) {
    auto s = open();
    server_.pushFault("proxy,invoke", c.fault);
    try {
      echo(*s, 1);
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const plat::sql::SQLException& e) {
      if (std::string(c.name) != "misparse") {
        EXPECT_TRUE(dynamic_cast<const SQLServerConnException*>(&e) != nullptr) << c.name;
        EXPECT_EQ(e.getMessage(), kLost) << c.name;
      } else {
        EXPECT_EQ(e.getMessage(), "TRIVO object stream error.");
      }
    }
    EXPECT_EQ(s->getMPlex(), nullptr) << c.name;
    try {
      echo(*s, 1);
      ADD_FAILURE() << c.name << ": usable after loss";
    } catch (const SQLServerConnException& e) {
      EXPECT_EQ(e.getMessage(), kLost);
    }
  }
}

TEST_F(ClientSessionTest, RequestObjectMadeBeforeTheLossFailsAfterIt) {
  auto s = open();
  RemoteObject o("Echo", echoId_, *s);
  server_.pushFault("proxy,invoke", Fault{Fault::Kind::BadMarker});
  EXPECT_THROW(o.invokeMethod(0, 1), SQLServerConnException);
  try {
    o.invokeMethod(0, 1);
    FAIL();
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), kLost);
  }
}

TEST_F(ClientSessionTest, ReadTimeOutMarksTheConnectionLost) {
  ClientSession s("127.0.0.1", server_.port(), "", true, SocketTimeouts{2000, 100});
  server_.pushFault("proxy,invoke", Fault{Fault::Kind::NoReply, {}, 3000});
  EXPECT_THROW(echo(s, 1), SQLServerConnException);
  EXPECT_EQ(s.getMPlex(), nullptr);
}

TEST_F(ClientSessionTest, LoginAndRepositoryList) {
  auto s = open();
  s->loginPublic("ann", "pw");
  s->loginPrivate("k", "ann", "pw");
  EXPECT_EQ(s->getRepositoryList(), (std::vector<std::string>{"alpha", "beta"}));
  auto cmds = server_.commands();
  EXPECT_EQ(cmds[1], "session,loginpublic,ann,pw");
  EXPECT_EQ(cmds[2], "session,loginprivate,k,ann,pw");
  EXPECT_EQ(cmds[3], "session,getRepList");
}

TEST_F(ClientSessionTest, TextsWithACommaAreRefusedBeforeSending) {
  auto s = open();
  EXPECT_THROW(s->loginPublic("a,b", "pw"), plat::sql::SQLException);
  EXPECT_THROW(s->loginPrivate("k", "ann", "p,w"), plat::sql::SQLException);
  EXPECT_EQ(server_.requests().size(), 1u);
  EXPECT_EQ(echo(*s, 1), 2);
}

}  // namespace
