// Administration commands against the middleware test server: the command text of every call, the lists and the
// configuration flags that come back, and the failures when the reply holds no list or too short a one.
#include <gtest/gtest.h>

#include <functional>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/ServerAdmin.h"
#include "testkit/middleware/MiddlewareServer.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Bytes;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;

class ServerAdminTest : public ::testing::Test {
 protected:
  ServerAdminTest() : session_("127.0.0.1", server_.port(), "", true), admin_(session_) {}

  std::string lastCommand() { return server_.commands().back(); }
  // Answers every "admin" and "debug" command with the given reply payload.
  void answerAdminWith(Bytes reply) {
    server_.setHandler([reply](const ParsedRequest& r) -> std::optional<Bytes> {
      if (r.words[0] == "admin" || r.words[0] == "debug") return reply;
      return std::nullopt;
    });
  }

  MiddlewareServer server_;
  ClientSession session_;
  ServerAdmin admin_;
};

TEST_F(ServerAdminTest, ListCallsSendTheirCommandAndReturnTheTexts) {
  struct Case {
    std::function<ServerAdmin::Texts()> call;
    const char* command;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {[&] { return admin_.getConnectList(); }, "admin,getConnectList", {"100", "101"}},
      {[&] { return admin_.getConnectDetails(101); }, "admin,getConnectDetails,101", {"getConnectDetails 101"}},
      {[&] { return admin_.getServerStats(); }, "admin,getSrvStats", {"requests 1"}},
      {[&] { return admin_.trace(-7); }, "admin,trace,-7", {"trace -7"}},
      {[&] { return admin_.ping("hello", 3); }, "admin,ping,hello,3", {"hello", "hello", "hello"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.call(), c.texts) << c.command;
    EXPECT_EQ(lastCommand(), c.command);
  }
}

TEST_F(ServerAdminTest, DataCallsSendTheirCommand) {
  struct Case {
    std::function<void()> call;
    const char* command;
  };
  ServerConfig config;
  config._traceRequests = true;
  config._traceBytesRead = true;
  config._bAllowDebug = true;  // not sent: the permissions are the server's
  const std::vector<Case> cases = {
      {[&] { admin_.kill(104); }, "admin,kill,104"},
      {[&] { admin_.accept(true); }, "admin,accept,yes"},
      {[&] { admin_.accept(false); }, "admin,accept,no"},
      {[&] { admin_.setConfig(config); }, "admin,setConfig,true,false,true,false"},
      {[&] { admin_.debug("dump"); }, "debug,dump"},
  };
  for (const auto& c : cases) {
    c.call();
    EXPECT_EQ(lastCommand(), c.command);
  }
}

TEST_F(ServerAdminTest, ConfigFlagsComeInListOrder) {
  // remote admin, debug, trace requests, trace objects, trace bytes read, trace bytes written
  answerAdminWith(MwEncode::stringList({"true", "false", "false", "true", "false", "true", "extra"}).bytes);
  ServerConfig c = admin_.getConfig();
  EXPECT_EQ(lastCommand(), "admin,getConfig");
  EXPECT_TRUE(c._bAllowRemoteAdmin);
  EXPECT_FALSE(c._bAllowDebug);
  EXPECT_FALSE(c._traceRequests);
  EXPECT_TRUE(c._traceObjects);
  EXPECT_FALSE(c._traceBytesRead);
  EXPECT_TRUE(c._traceBytesWritten);
}

TEST_F(ServerAdminTest, OnlyExactlyTrueSetsAFlag) {
  answerAdminWith(MwEncode::stringList({"TRUE", "true ", "1", "yes", "", "true"}).bytes);
  ServerConfig c = admin_.getConfig();
  EXPECT_FALSE(c._bAllowRemoteAdmin || c._bAllowDebug || c._traceRequests || c._traceObjects || c._traceBytesRead);
  EXPECT_TRUE(c._traceBytesWritten);
}

TEST_F(ServerAdminTest, SetConfigThenGetConfigKeepsTheTraceFlags) {
  ServerConfig wanted;
  wanted._traceObjects = true;
  wanted._traceBytesWritten = true;
  admin_.setConfig(wanted);
  ServerConfig c = admin_.getConfig();
  EXPECT_TRUE(c._bAllowRemoteAdmin);
  EXPECT_TRUE(c._bAllowDebug);
  EXPECT_FALSE(c._traceRequests);
  EXPECT_TRUE(c._traceObjects);
  EXPECT_FALSE(c._traceBytesRead);
  EXPECT_TRUE(c._traceBytesWritten);
}

TEST_F(ServerAdminTest, ShortConfigListFails) {
  answerAdminWith(MwEncode::stringList({"true", "true", "true", "true", "true"}).bytes);
  try {
    admin_.getConfig();
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error getting config.");
  }
  // The reply was read whole, so the session goes on.
  answerAdminWith(MwEncode::stringList({"1"}).bytes);
  EXPECT_EQ(admin_.getConnectList(), std::vector<std::string>{"1"});
}

TEST_F(ServerAdminTest, ServerErrorInPlaceOfTheListIsRaisedAndTheSessionStays) {
  answerAdminWith(MwEncode::error(5, 1, "not allowed", "42000").bytes);
  try {
    admin_.getServerStats();
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_NE(std::string(e.getMessage()).find("not allowed"), std::string::npos) << e.getMessage();
  }
  server_.setHandler(nullptr);
  EXPECT_EQ(admin_.getServerStats(), std::vector<std::string>{"requests 1"});
}

TEST_F(ServerAdminTest, ReplyOfTheWrongKindLosesTheConnection) {
  // A list where data is expected and data where a list is expected leave the reply out of step.
  answerAdminWith(MwEncode::dataInt(1).bytes);
  EXPECT_THROW(admin_.getConnectList(), plat::sql::SQLException);
  EXPECT_EQ(session_.getMPlex(), nullptr);
  EXPECT_THROW(admin_.kill(1), SQLServerConnException);
}

TEST_F(ServerAdminTest, CommasInTextsAreRefusedBeforeSending) {
  const std::size_t before = server_.requests().size();
  EXPECT_THROW(admin_.ping("a,b", 1), plat::sql::SQLException);
  EXPECT_THROW(admin_.debug("x,y"), plat::sql::SQLException);
  EXPECT_EQ(server_.requests().size(), before);
  EXPECT_EQ(admin_.ping("ab", 1), std::vector<std::string>{"ab"});
}

TEST_F(ServerAdminTest, ClosedSessionIsALostConnection) {
  session_.close();
  try {
    admin_.getConnectList();
    FAIL();
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server.");
  }
  ServerAdmin late(session_);
  EXPECT_THROW(late.getServerStats(), SQLServerConnException);
}

}  // namespace
