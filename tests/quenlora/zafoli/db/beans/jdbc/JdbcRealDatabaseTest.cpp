// The connection bean on real databases: a pool on one SQLite file, and PostgreSQL through a throwaway server
// (login retry, a rolled-back level, statements on two threads, two beans writing at once).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/sql/ResultSet.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif
#include "tests/quenlora/zafoli/db/beans/jdbc/JdbcTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::sql::SQLException;

int count(JdbcConnection& bean, const std::string& sql) {
  auto statement = bean.createStatement();
  auto rs = bean.executeQuery(statement, sql, sql);
  rs->next();
  int n = rs->getInt(1);
  bean.closeStatement(statement);
  return n;
}

class SqliteBean : public ScriptedBeanTest {
 protected:
  void SetUp() override {
    ScriptedBeanTest::SetUp();
    plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
    path_ = std::filesystem::temp_directory_path() /
            ("jdbc-bean-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
    std::filesystem::remove(path_);
  }
  void TearDown() override {
    std::filesystem::remove(path_);
    ScriptedBeanTest::TearDown();
  }
  Ref<JdbcConnection> sqliteBean() {
    return plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                               "jdbc:sqlite:" + path_.string(), "", "");
  }
  std::filesystem::path path_;
};

TEST_F(SqliteBean, APoolOnOneFileRollsBackAFailedLevelEverywhere) {
  auto b = sqliteBean();
  b->setMinConnections(2);
  b->setMaxStatements(1);
  b->connect();
  auto ddl = b->createStatement();
  b->executeStatement(ddl, "create table t (n int primary key)", "ddl");
  b->executeStatement(ddl, "insert into t values (1)", "seed");
  b->closeStatement(ddl);

  b->beginTransaction();
  auto first = b->createStatement();
  b->executeStatement(first, "insert into t values (2)", "insert");
  auto second = b->createStatement();
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{1, 1}));
  // The second connection waits on the first one's write lock and fails; the level is failed.
  EXPECT_THROW(b->executeStatement(second, "insert into t values (1)", "duplicate"), SQLException);
  b->closeStatement(first);
  b->closeStatement(second);
  EXPECT_THROW(b->endTransaction(true), SQLException);
  EXPECT_TRUE(b->isAutoCommit());
  EXPECT_EQ(count(*b, "select count(*) from t"), 1);
  b->setConnectionClosed(true);
}

#ifdef HAVE_POSTGRES
using testkit::PostgresServer;

class PostgresBean : public ScriptedBeanTest {
 protected:
  void SetUp() override {
    ScriptedBeanTest::SetUp();
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    plat::sql::pq::registerPqDriverClass(plat::runvale::ClassRegistry::instance());
    database_ = server_->createDatabase();
  }
  Ref<JdbcConnection> pgBean(const std::string& user = PostgresServer::kOtherUser,
                             const std::string& password = PostgresServer::kOtherPassword) {
    return plat::lang::makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server_->url(database_), user,
                                               password);
  }
  PostgresServer* server_ = nullptr;
  std::string database_;
};

TEST_F(PostgresBean, AWrongPasswordAsksAgainAndOnlyLoginFailuresDo) {
  auto b = pgBean(PostgresServer::kOtherUser, "wrong");
  dialogs_->scriptLogin({plat::gui::LoginChoice::Ok, PostgresServer::kOtherUser, PostgresServer::kOtherPassword});
  EXPECT_THROW(b->connect(), SQLException);
  EXPECT_FALSE(b->isConnectionClosed());
  EXPECT_EQ(dialogs_->shownLogins().size(), 1u);
  EXPECT_EQ(count(*b, "select 1"), 1);

  // A missing database or a closed port is no login failure: no dialog.
  for (const std::string& url : {server_->url("nosuchdb"), std::string("jdbc:postgresql://127.0.0.1:1/x")}) {
    auto other = pgBean();
    other->setURL(url);
    EXPECT_THROW(other->connect(), SQLException) << url;
  }
  EXPECT_EQ(dialogs_->shownLogins().size(), 1u);
}

TEST_F(PostgresBean, ARolledBackLevelLeavesTheTableUnchanged) {
  auto b = pgBean();
  b->connect();
  auto s = b->createStatement();
  b->executeStatement(s, "create table acct (id int primary key, v int)", "ddl");
  b->executeStatement(s, "insert into acct values (1, 10)", "seed");
  b->beginTransaction();
  b->executeStatement(s, "update acct set v = 20", "update");
  EXPECT_THROW(b->executeStatement(s, "insert into acct values (1, 0)", "duplicate"), SQLException);
  try {
    b->endTransaction(true);
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getSQLState(), "23505");
  }
  EXPECT_EQ(count(*b, "select v from acct"), 10);
}

TEST_F(PostgresBean, TwoThreadsOnOneBeanAndTwoBeansWriting) {
  auto setup = pgBean();
  setup->connect();
  auto s = setup->createStatement();
  setup->executeStatement(s, "create table log (who int, n int)", "ddl");
  setup->closeStatement(s);
  auto shared = pgBean();
  shared->setMaxStatements(2);
  shared->connect();
  auto other = pgBean();
  other->connect();
  std::atomic<int> failures{0};
  auto work = [&](JdbcConnection* bean, int who) {
    try {
      for (int i = 0; i < 50; ++i) {
        auto insert = bean->prepareStatement("insert into log values (?, ?)");
        insert->setInt(1, who);
        insert->setInt(2, i);
        bean->executeStatement(insert, "", "insert");
        bean->closeStatement(insert);
      }
    } catch (...) {
      ++failures;
    }
  };
  std::thread one(work, shared.get(), 1);
  std::thread two(work, shared.get(), 2);
  std::thread three(work, other.get(), 3);
  one.join();
  two.join();
  three.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(count(*setup, "select count(*) from log"), 150);
}

#endif  // HAVE_POSTGRES

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
