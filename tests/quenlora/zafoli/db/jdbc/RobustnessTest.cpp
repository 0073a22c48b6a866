// The driver as an application uses it, against faults: values and SQL too long for the wire refused without harm,
// a read time-out against a frozen server, errors inside multi-packet row replies, long warning chains, a
// temporary statement's result set, and a client that vanishes while holding a cursor.
#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "JdbcTestSupport.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/SQLWarning.h"
#include "platform/sql/Statement.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/jdbc/Connection.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

using jdbctest::Encoded;
using jdbctest::MwEncode;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using plat::lang::Ref;
using quenlora::zafoli::db::net::SQLServerConnException;
using testkit::middleware::sql::SqlMiddlewareServer;

bool isLost(const plat::sql::SQLException& e) {
  return dynamic_cast<const SQLServerConnException*>(&e) != nullptr;
}

class Robustness : public ::testing::Test {
 protected:
  Robustness() {
    quenlora::zafoli::db::jdbc::registerDriver();
    conn_ = plat::sql::DriverManager::getConnection(server_.driverUrl(), "u", "p");
  }

  int count(const std::string& table) {
    auto rs = conn_->createStatement()->executeQuery("select count(*) from " + table);
    EXPECT_TRUE(rs->next());
    return rs->getInt(1);
  }

  SqlMiddlewareServer server_;
  Ref<plat::sql::Connection> conn_;
};

TEST_F(Robustness, OverLongValuesAndSqlLeaveConnectionStatementAndTransactionUsable) {
  conn_->createStatement()->executeUpdate("create table t (id integer, s text, b blob)");
  conn_->setAutoCommit(false);
  auto ps = conn_->prepareStatement("insert into t values (?, ?, ?)");
  ps->setInt(1, 0);
  ps->setString(2, "first");
  ps->setBytes(3, {1});
  ASSERT_EQ(ps->executeUpdate(), 1);  // uncommitted work that must survive

  using Step = std::function<void(std::size_t)>;
  const std::vector<std::pair<const char*, Step>> steps = {
      {"setString", [&](std::size_t n) { ps->setString(2, std::string(n, 's')); }},
      {"setBytes", [&](std::size_t n) { ps->setBytes(3, std::vector<std::uint8_t>(n, 7)); }},
      {"SQL text",
       [&](std::size_t n) {
         std::string sql = "select 1 from t where s <> '";
         conn_->createStatement()->executeQuery(sql + std::string(n, 'q') + "'");
       }},
  };
  int id = 1;
  for (const auto& [name, step] : steps) {
    for (std::size_t n : {std::size_t{32'767}, std::size_t{32'768}, std::size_t{100'000}}) {
      SCOPED_TRACE(std::string(name) + " of " + std::to_string(n));
      try {
        step(n);
        ADD_FAILURE() << "accepted";
      } catch (const plat::sql::SQLException& e) {
        EXPECT_FALSE(isLost(e)) << e.getMessage();
        const bool namesLimit =
            e.getMessage().find("32767") != std::string::npos || e.getMessage().find("32768") != std::string::npos;
        EXPECT_TRUE(namesLimit) << e.getMessage();
      }
      ASSERT_FALSE(conn_->isClosed());
      // The same statement goes on with a short value.
      ps->setInt(1, id++);
      ps->setString(2, "short");
      ps->setBytes(3, {2});
      ASSERT_EQ(ps->executeUpdate(), 1);
    }
  }
  conn_->commit();
  EXPECT_EQ(count("t"), id);
}

TEST_F(Robustness, FrozenServerEndsAtTheSocketTimeout) {
  plat::util::Properties info;
  info.setProperty("user", "u");
  info.setProperty("password", "p");
  info.setProperty("socketTimeout", "1");
  auto conn = plat::sql::DriverManager::getConnection(server_.driverUrl(), info);
  auto st = conn->createStatement();
  st->executeQuery("select 1");
  server_.server().freeze(true);
  try {
    st->executeQuery("select 2");
    ADD_FAILURE() << "answered while frozen";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_TRUE(isLost(e));
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server: no reply within the read time-out of 1000 ms.");
  }
  server_.server().freeze(false);
  EXPECT_TRUE(conn->isClosed());
}

TEST_F(Robustness, BadSocketTimeoutIsRefused) {
  plat::util::Properties info;
  info.setProperty("socketTimeout", "-3");
  EXPECT_THROW(plat::sql::DriverManager::getConnection(server_.driverUrl(), info), plat::sql::SQLException);
}

TEST_F(Robustness, TemporaryStatementKeepsItsResultSetReadable) {
  auto rs = conn_->createStatement()->executeQuery("select 1");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 1);
  EXPECT_FALSE(rs->next());
  rs->close();
  EXPECT_EQ(count("sqlite_master"), 0);
}

TEST(RobustnessFile, AVanishedClientReleasesItsCursorAndLocks) {
  char path[] = "/tmp/drivella-locks-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  {
    SqlMiddlewareServer::Options options;
    options.databaseFile = path;
    SqlMiddlewareServer server(options);
    quenlora::zafoli::db::jdbc::registerDriver();
    auto a = plat::sql::DriverManager::getConnection(server.driverUrl(), "u", "p");
    a->createStatement()->executeUpdate("create table t (id integer)");
    a->setAutoCommit(false);
    auto ins = a->prepareStatement("insert into t values (?)");
    for (int i = 0; i < 300; ++i) {
      ins->setInt(1, i);
      ins->executeUpdate();
    }
    a->commit();
    a->setAutoCommit(true);
    const std::size_t before = server.server().objectCount();
    auto st = a->createStatement();
    auto rs = st->executeQuery("select id from t");
    ASSERT_TRUE(rs->next());  // a cursor stays open on the server
    // The connection ends under the client, as when its process is killed.
    testkit::middleware::Fault cut;
    cut.kind = testkit::middleware::Fault::Kind::CloseMidReply;
    cut.offsets = {0};
    server.server().pushFault("proxy,invoke", cut);
    EXPECT_THROW(a->nativeSQL("select 1"), plat::sql::SQLException);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server.server().objectCount() >= before && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    auto b = plat::sql::DriverManager::getConnection(server.driverUrl(), "u", "p");
    b->setAutoCommit(false);
    b->createStatement()->executeUpdate("insert into t values (1000)");
    b->commit();
    auto n = b->createStatement()->executeQuery("select count(*) from t");
    ASSERT_TRUE(n->next());
    EXPECT_EQ(n->getInt(1), 301);
  }
  std::remove(path);
}

// Against scripted objects: every byte of a reply is chosen by the test.
class ScriptedRobustness : public ::testing::Test {
 protected:
  ScriptedRobustness() : conn_(s_.connect()) {}
  ScriptedServer s_;
  Ref<plat::sql::Connection> conn_;
};

TEST_F(ScriptedRobustness, ErrorInsideARowOfAMultiPacketReplyThenEachCallGetsItsOwnAnswer) {
  auto st = s_.addObject();
  auto rs = s_.addObject();
  s_.connection().on(quenlora::zafoli::db::jdbc::Connection::METHOD_createStatement, {MwEncode::dataInt(st.first)});
  const auto columns = jdbctest::columnsOfSizes({10, 10});
  st.second->on(0, jdbctest::queryReply(rs.first, columns));
  rs.second->on(1, [](const std::vector<jdbctest::Arg>&) {
    std::vector<Encoded> rows;
    for (int r = 1; r <= 30; ++r) {
      if (r == 12) {
        rows.push_back(SqlEncode::row(r, {SqlEncode::field(plat::lang::Value(std::string("x")), 12, 0),
                                          MwEncode::error(5, 15, "row failed", "22000")}));
      } else {
        rows.push_back(jdbctest::textRow(r, {"a", "b"}));
      }
    }
    return rows;
  });
  for (int m : {3, 13}) s_.connection().on(m, {SqlEncode::text("answer " + std::to_string(m))});
  s_.server().setPacketSize(64);

  auto result = conn_->createStatement()->executeQuery("select");
  try {
    result->next();
    ADD_FAILURE() << "the row was taken";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_FALSE(isLost(e));
    EXPECT_EQ(e.getMessage(), "row failed");
  }
  EXPECT_EQ(conn_->nativeSQL("a"), "answer 3");
  EXPECT_EQ(conn_->getCatalog(), "answer 13");
  EXPECT_EQ(conn_->nativeSQL("b"), "answer 3");
}

TEST_F(ScriptedRobustness, ThirtyThousandWarningsChainInOrder) {
  constexpr int kWarnings = 30'000;
  std::vector<Encoded> warnings;
  for (int i = 0; i < kWarnings; ++i) warnings.push_back(MwEncode::warning("w" + std::to_string(i), "01000", i));
  s_.connection().on(quenlora::zafoli::db::jdbc::Connection::METHOD_getWarnings, warnings);
  auto head = conn_->getWarnings();
  int n = 0;
  for (auto w = head; w; w = w->getNextWarning(), ++n) {
    if (w->getMessage() != "w" + std::to_string(n)) {
      ADD_FAILURE() << "warning " << n << " is " << w->getMessage();
      break;
    }
  }
  EXPECT_EQ(n, kWarnings);
}

}  // namespace
