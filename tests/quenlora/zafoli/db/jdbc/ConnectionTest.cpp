// The connection proxy against scripted server objects: method numbers and argument forms, the warnings chain,
// the close order and its best effort, lost connections and the bounded lists of open statements.
#include <gtest/gtest.h>

#include "JdbcTestSupport.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/Connection.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"

namespace {

using jdbctest::Arg;
using jdbctest::Encoded;
using jdbctest::MwEncode;
using jdbctest::ScriptedObject;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using quenlora::zafoli::db::jdbc::Connection;

class ConnectionTest : public ::testing::Test {
 protected:
  ConnectionTest() : conn_(s_.connect()) {}

  // A statement object the connection's createStatement (0) or prepareStatement (1) hands out.
  std::pair<std::int32_t, std::shared_ptr<ScriptedObject>> scriptStatement(int method) {
    auto st = s_.addObject();
    s_.connection().on(method, {MwEncode::dataInt(st.first)});
    return st;
  }
  Connection& proxy() { return dynamic_cast<Connection&>(*conn_); }

  ScriptedServer s_;
  plat::lang::Ref<plat::sql::Connection> conn_;
};

TEST_F(ConnectionTest, OperationsSendTheirNumbersAndArgumentForms) {
  s_.connection().on(3, {SqlEncode::text("native sql")});
  s_.connection().on(11, {SqlEncode::boolean(true)});
  s_.connection().on(13, {SqlEncode::text("cat")});
  s_.connection().on(15, {MwEncode::dataInt(8)});
  s_.connection().on(18, {SqlEncode::boolean(false)});
  s_.clear();

  EXPECT_EQ(conn_->nativeSQL("select 1"), "native sql");
  conn_->setAutoCommit(false);
  conn_->commit();
  conn_->rollback();
  conn_->setReadOnly(true);
  EXPECT_TRUE(conn_->isReadOnly());
  conn_->setCatalog("main");
  EXPECT_EQ(conn_->getCatalog(), "cat");
  conn_->setTransactionIsolation(8);
  EXPECT_EQ(conn_->getTransactionIsolation(), 8);
  conn_->clearWarnings();
  EXPECT_FALSE(conn_->getAutoCommit());

  const auto calls = s_.calls(s_.connectionId());
  std::vector<int> methods;
  for (const auto& c : calls) methods.push_back(c.method);
  EXPECT_EQ(methods, (std::vector<int>{3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 17, 18}));
  // One-value forms: text as a text argument, booleans and integers as value arguments with id 0.
  ASSERT_EQ(calls[0].args.size(), 1u);
  EXPECT_EQ(calls[0].args[0].kind, 58);
  EXPECT_EQ(calls[0].args[0].text, "select 1");
  ASSERT_EQ(calls[1].args.size(), 1u);
  EXPECT_EQ(calls[1].args[0].type, 104);
  EXPECT_FALSE(jdbctest::argBool(calls[1].args[0]));
  EXPECT_EQ(calls[2].args.size(), 0u);
  ASSERT_EQ(calls[8].args.size(), 1u);
  EXPECT_EQ(calls[8].args[0].kind, 57);
  EXPECT_EQ(calls[8].args[0].id, 0);
  EXPECT_EQ(calls[8].args[0].type, 101);
  EXPECT_EQ(calls[8].args[0].asInt(), 8);
}

TEST_F(ConnectionTest, WarningsChainInReplyOrder) {
  EXPECT_EQ(conn_->getWarnings(), nullptr);
  s_.connection().on(16, {SqlEncode::warning("first", "01000", 1), SqlEncode::warning("second", "01001", 2),
                          SqlEncode::warning("third", "01002", 3)});
  auto w = conn_->getWarnings();
  std::vector<std::string> texts;
  for (; w; w = w->getNextWarning()) texts.push_back(w->getMessage() + "/" + w->getSQLState());
  EXPECT_EQ(texts, (std::vector<std::string>{"first/01000", "second/01001", "third/01002"}));
}

TEST_F(ConnectionTest, ShortOrOddRepliesAreSQLExceptions) {
  // Nothing scripted: every reply list is empty.
  EXPECT_THROW(conn_->getAutoCommit(), plat::sql::SQLException);
  EXPECT_THROW(conn_->createStatement(), plat::sql::SQLException);
  // A text where a boolean belongs.
  s_.connection().on(11, {SqlEncode::text("yes")});
  EXPECT_THROW(conn_->isReadOnly(), plat::sql::SQLException);
  // A one-byte data element where an integer belongs.
  s_.connection().on(15, {SqlEncode::boolean(true)});
  try {
    conn_->getTransactionIsolation();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "End of data");
  }
  // A warning list holding something else.
  s_.connection().on(16, {SqlEncode::warning("w", "01000", 1), MwEncode::dataInt(3)});
  EXPECT_THROW(conn_->getWarnings(), plat::sql::SQLException);
  // A server error element is raised as its own exception.
  s_.connection().on(13, {MwEncode::error(55, 15, "catalog gone", "42000")});
  try {
    conn_->getCatalog();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "catalog gone");
    EXPECT_EQ(e.getSQLState(), "42000");
    EXPECT_EQ(e.getErrorCode(), 55);
  }
  // The session survives all of it.
  s_.connection().on(18, {SqlEncode::boolean(true)});
  EXPECT_TRUE(conn_->getAutoCommit());
}

TEST_F(ConnectionTest, CloseSendsStatementClosesThenMethodSevenThenDisconnects) {
  auto [id1, st1] = scriptStatement(0);
  auto a = conn_->createStatement();
  auto [id2, st2] = scriptStatement(1);
  auto b = conn_->prepareStatement("select 1");
  s_.clear();

  conn_->close();
  ASSERT_TRUE(s_.server().waitForRequests(4, 5000));
  const auto commands = s_.server().commands();
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0], "proxy,invoke," + std::to_string(id1) + ",2");
  EXPECT_EQ(commands[1], "proxy,invoke," + std::to_string(id2) + ",2");
  EXPECT_EQ(commands[2], "proxy,invoke," + std::to_string(s_.connectionId()) + ",7");
  EXPECT_EQ(commands[3].rfind("session,disconnect", 0), 0u) << commands[3];
  EXPECT_TRUE(conn_->isClosed());

  // Closed once: nothing more is sent, and the statements refuse work without a call.
  conn_->close();
  EXPECT_TRUE(conn_->isClosed());
  EXPECT_THROW(a->executeUpdate("x"), plat::sql::SQLException);
  EXPECT_THROW(conn_->commit(), plat::sql::SQLException);
  EXPECT_EQ(s_.server().commands().size(), 4u);
}

TEST_F(ConnectionTest, CloseIsBestEffortAndRethrowsTheFirstFailure) {
  auto [id, st] = scriptStatement(0);
  st->on(2, [](const std::vector<Arg>&) -> std::vector<Encoded> {
    throw testkit::middleware::ServerFailure(9, 16, "statement close failed");
  });
  s_.connection().on(7, [](const std::vector<Arg>&) -> std::vector<Encoded> {
    throw testkit::middleware::ServerFailure(10, 15, "connection close failed");
  });
  auto a = conn_->createStatement();
  s_.clear();
  try {
    conn_->close();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "statement close failed");
  }
  // Every step still ran: connection close and the disconnect were sent.
  ASSERT_TRUE(s_.server().waitForRequests(3, 5000));
  const auto commands = s_.server().commands();
  EXPECT_EQ(commands[1], "proxy,invoke," + std::to_string(s_.connectionId()) + ",7");
  EXPECT_EQ(commands.back().rfind("session,disconnect", 0), 0u);
  EXPECT_TRUE(conn_->isClosed());
  EXPECT_THROW(a->getMaxRows(), plat::sql::SQLException);
  conn_->close();  // nothing left to do, nothing thrown
}

TEST_F(ConnectionTest, IsClosedAsksTheServerUntilClosed) {
  s_.connection().on(8, {SqlEncode::boolean(false)});
  EXPECT_FALSE(conn_->isClosed());
  EXPECT_EQ(s_.methods(s_.connectionId()), std::vector<int>{8});
  conn_->close();
  s_.clear();
  EXPECT_TRUE(conn_->isClosed());
  EXPECT_TRUE(s_.server().commands().empty());
}

TEST_F(ConnectionTest, LostConnectionAnswersClosedAndCloseStillReleases) {
  auto [id, st] = scriptStatement(0);
  auto a = conn_->createStatement();
  testkit::middleware::Fault cut;
  cut.kind = testkit::middleware::Fault::Kind::CloseMidReply;
  cut.offsets = {3};
  s_.server().pushFault("proxy,invoke," + std::to_string(s_.connectionId()) + ",8", cut);
  EXPECT_TRUE(conn_->isClosed());
  EXPECT_TRUE(conn_->isClosed());
  // Close releases the statement and the session even though every remote step fails.
  EXPECT_THROW(conn_->close(), plat::sql::SQLException);
  EXPECT_EQ(proxy().openStatementCount(), 0u);
  EXPECT_THROW(a->executeQuery("select 1"), plat::sql::SQLException);
  conn_->close();
}

TEST_F(ConnectionTest, ClosedStatementsLeaveTheList) {
  auto [id, st] = scriptStatement(0);
  for (int i = 0; i < 50; ++i) conn_->createStatement()->close();
  EXPECT_EQ(proxy().openStatementCount(), 0u);
  // Dropped without close: the statement closes itself and leaves as well.
  s_.clear();
  { auto dropped = conn_->createStatement(); }
  EXPECT_EQ(proxy().openStatementCount(), 0u);
  EXPECT_EQ(s_.methods(id), std::vector<int>{2});
  auto kept = conn_->createStatement();
  EXPECT_EQ(proxy().openStatementCount(), 1u);
}

TEST_F(ConnectionTest, EachGetMetaDataMakesANewProxy) {
  auto [id, meta] = s_.addObject();
  s_.connection().on(9, {MwEncode::dataInt(id)});
  auto m1 = conn_->getMetaData();
  auto m2 = conn_->getMetaData();
  EXPECT_NE(m1, m2);
  EXPECT_EQ(m1->getURL(), s_.url());
  EXPECT_EQ(proxy().openMetaDataCount(), 2u);
  conn_->close();
  EXPECT_THROW(m1->getUserName(), plat::sql::SQLException);
  EXPECT_EQ(m1->getURL(), s_.url());
}

TEST_F(ConnectionTest, DiscardingAnOpenConnectionClosesIt) {
  const std::int32_t connId = s_.connectionId();
  conn_.reset();
  ASSERT_TRUE(s_.server().waitForRequests(5, 5000));
  const auto commands = s_.server().commands();
  EXPECT_NE(std::find(commands.begin(), commands.end(), "proxy,invoke," + std::to_string(connId) + ",7"),
            commands.end());
}

}  // namespace
