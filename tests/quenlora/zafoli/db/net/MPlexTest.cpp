// The stream table of a session against the middleware test server: the lowest free id, the table limit, the
// unshared mode (a socket per request that joins the session by its connection id) and the serialisation of
// requests on a shared socket.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "testkit/middleware/MiddlewareServer.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Arg;
using testkit::middleware::ConnectAnswer;
using testkit::middleware::Encoded;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;

constexpr int kWaitMs = 5000;

// Method 0 answers its argument plus one. Method 1 holds its answer until released (or kWaitMs have passed).
class Gate : public testkit::middleware::ServerObject {
 public:
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override {
    const std::int32_t v = args.empty() ? 0 : args[0].asInt();
    if (method == 1) {
      std::unique_lock<std::mutex> hold(mu_);
      open_.wait_for(hold, std::chrono::milliseconds(kWaitMs), [this] { return released_; });
    }
    return {MwEncode::dataInt(v + 1)};
  }
  void release() {
    std::lock_guard<std::mutex> hold(mu_);
    released_ = true;
    open_.notify_all();
  }

 private:
  std::mutex mu_;
  std::condition_variable open_;
  bool released_ = false;
};

class MPlexTest : public ::testing::Test {
 protected:
  MPlexTest() {
    gate_ = std::make_shared<Gate>();
    gateId_ = server_.addObject(gate_);
    otherId_ = server_.addObject(std::make_shared<Gate>());
  }
  ~MPlexTest() override { gate_->release(); }

  static std::int32_t call(ClientSession& s, std::int32_t id, int method, std::int32_t v) {
    RemoteObject o("Gate", id, s);
    return plat::lang::refCast<NetData>(o.invokeMethod(method, v).at(0))->getInt();
  }

  MiddlewareServer server_;
  std::shared_ptr<Gate> gate_;
  std::int32_t gateId_ = 0;
  std::int32_t otherId_ = 0;
};

TEST_F(MPlexTest, LowestFreeIdIsTakenUntilTheTableIsFull) {
  ClientSession s("127.0.0.1", server_.port(), "", true);
  auto mplex = s.getMPlex();
  std::vector<plat::lang::Ref<IO>> held;
  for (int id = 1; id < Define::MAX_STREAM_ID; ++id) {
    held.push_back(mplex->getIO());
    ASSERT_EQ(held.back()->getId(), id);
  }
  try {
    mplex->getIO();
    FAIL() << "more than " << Define::MAX_STREAM_ID << " streams";
  } catch (const NetException& e) {
    EXPECT_EQ(e.getMessage(), "IO object limit reached");
  }
  mplex->releaseIO(held[499]);
  mplex->releaseIO(held[99]);
  EXPECT_EQ(mplex->getIO()->getId(), 100);
  EXPECT_EQ(mplex->getIO()->getId(), 500);
  // A request on a full table fails as a request, not as a lost connection.
  try {
    call(s, otherId_, 0, 1);
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "IO object limit reached");
  }
  mplex->releaseIO(held[0]);
  EXPECT_EQ(call(s, otherId_, 0, 1), 2);
  EXPECT_EQ(server_.requests().back().streamId, 1);
}

TEST_F(MPlexTest, UnsharedRequestsRunOnTheirOwnSocketAfterAReconnect) {
  ClientSession s("127.0.0.1", server_.port(), "", false);
  const std::int32_t connection = s.getConnectionID();
  EXPECT_EQ(call(s, otherId_, 0, 1), 2);
  EXPECT_EQ(call(s, otherId_, 0, 2), 3);
  const auto reqs = server_.requests();
  ASSERT_EQ(reqs.size(), 5u);
  const std::string reconnect = "session,reconnect," + std::to_string(connection);
  EXPECT_EQ(reqs[1].request.command, reconnect);
  EXPECT_EQ(reqs[3].request.command, reconnect);
  // Each request takes stream 1 on a socket of its own, which it closes when done.
  for (std::size_t i : {1u, 2u}) {
    EXPECT_EQ(reqs[i].connection, 1) << i;
    EXPECT_EQ(reqs[i].streamId, 1) << i;
  }
  for (std::size_t i : {3u, 4u}) {
    EXPECT_EQ(reqs[i].connection, 2) << i;
    EXPECT_EQ(reqs[i].streamId, 1) << i;
  }
  EXPECT_EQ(s.getMPlex()->streamCount(), 1u);
  s.close();
  ASSERT_TRUE(server_.waitForRequests(7, kWaitMs));
  EXPECT_EQ(server_.commands().back(), "session,disconnect");
}

TEST_F(MPlexTest, UnsharedRequestsOfTwoThreadsRunSideBySide) {
  ClientSession s("127.0.0.1", server_.port(), "", false);
  std::atomic<std::int32_t> held{0};
  std::thread slow([&] { held = call(s, gateId_, 1, 10); });
  ASSERT_TRUE(server_.waitForRequests(3, kWaitMs));
  // The held request keeps stream 1 and its socket; this one takes stream 2 and is answered meanwhile.
  EXPECT_EQ(call(s, otherId_, 0, 20), 21);
  EXPECT_EQ(held.load(), 0);
  EXPECT_EQ(server_.requests().back().streamId, 2);
  gate_->release();
  slow.join();
  EXPECT_EQ(held.load(), 11);
}

TEST_F(MPlexTest, FailedReconnectIsReportedAndTheSessionStays) {
  ClientSession s("127.0.0.1", server_.port(), "", false);
  // The server refuses the next reconnect.
  server_.setHandler([](const testkit::middleware::ParsedRequest& r) -> std::optional<testkit::middleware::Bytes> {
    if (r.command.rfind("session,reconnect", 0) == 0) return MwEncode::error(1, 8, "who are you", "08S01").bytes;
    return std::nullopt;
  });
  try {
    call(s, otherId_, 0, 1);
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error reconnecting IO object");
  }
  server_.setHandler(nullptr);
  EXPECT_EQ(call(s, otherId_, 0, 1), 2);
  EXPECT_EQ(s.getMPlex()->streamCount(), 1u);
}

TEST_F(MPlexTest, SharedSocketMakesAThirdRequestWaitForTheSecond) {
  ClientSession s("127.0.0.1", server_.port(), "", true);
  EXPECT_EQ(call(s, otherId_, 0, 1), 2);
  std::atomic<std::int32_t> held{0}, waiting{0};
  std::thread second([&] { held = call(s, gateId_, 1, 10); });
  ASSERT_TRUE(server_.waitForRequests(3, kWaitMs));
  std::thread third([&] { waiting = call(s, otherId_, 0, 30); });
  // While the second request waits for its reply, the third is not sent.
  EXPECT_FALSE(server_.waitForRequests(4, 300));
  gate_->release();
  second.join();
  third.join();
  EXPECT_EQ(held.load(), 11);
  EXPECT_EQ(waiting.load(), 31);
  const auto reqs = server_.requests();
  ASSERT_EQ(reqs.size(), 4u);
  EXPECT_EQ(reqs[1].streamId, 1);
  EXPECT_EQ(reqs[2].streamId, 1);
  for (const auto& r : reqs) EXPECT_EQ(r.connection, 0);
  EXPECT_EQ(s.getMPlex()->streamCount(), 1u);
}

TEST_F(MPlexTest, LostConnectionRefusesNewStreams) {
  ClientSession s("127.0.0.1", server_.port(), "", true);
  auto mplex = s.getMPlex();
  server_.pushFault("proxy,invoke", testkit::middleware::Fault{testkit::middleware::Fault::Kind::CloseMidReply, {6}});
  EXPECT_THROW(call(s, otherId_, 0, 1), SQLServerConnException);
  EXPECT_TRUE(mplex->isConnectionLost());
  try {
    mplex->getIO();
    FAIL();
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server.");
  }
}

}  // namespace
