// Row writes that must never reach more than their row, and stored values that must read whole, on a SQLite file
// and on the throwaway PostgreSQL server alike.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/ResultSet.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "testkit/beans/JdbcTableRecord.h"
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::JdbcTableRecord;

class RowWrites : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    auto& registry = plat::runvale::ClassRegistry::instance();
    registerJdbcClasses(registry);
    plat::beans::Beans::setDesignTime(false);
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name_) c = c == '/' ? '_' : c;
    if (GetParam() == "sqlite") {
      plat::sql::sqlite::registerSqliteDriverClass(registry);
      path_ = std::filesystem::temp_directory_path() / ("row-writes-" + std::to_string(::getpid()) + name_ + ".db");
      std::filesystem::remove(path_);
      bean_ = plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                                  "jdbc:sqlite:" + path_.string(), "", "");
    } else {
#ifdef HAVE_POSTGRES
      std::string whyNot;
      auto* server = testkit::PostgresServer::shared(whyNot);
      if (server == nullptr) FAIL() << whyNot;
      plat::sql::pq::registerPqDriverClass(registry);
      bean_ = plat::lang::makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName,
                                                  server->url(server->createDatabase()), testkit::PostgresServer::kUser,
                                                  testkit::PostgresServer::kPassword);
#else
      FAIL() << "built without libpq";
#endif
    }
    bean_->setIdentifier("rows");
    auto manager = plat::lang::makeRef<ConnectionManager>();
    manager->add(bean_);
    JdbcTableRecord::registerManager(registry, "test.writes.Manager" + name_, manager);
  }
  void TearDown() override {
    if (bean_) bean_->setConnectionClosed(true);
    if (!path_.empty()) std::filesystem::remove(path_);
  }
  void exec(const std::string& sql) {
    auto statement = bean_->createStatement();
    bean_->executeStatement(statement, sql, sql);
    bean_->closeStatement(statement);
  }
  int count(const std::string& sql) {
    auto statement = bean_->createStatement();
    auto rs = bean_->executeQuery(statement, sql, sql);
    rs->next();
    const int n = rs->getInt(1);
    bean_->closeStatement(statement);
    return n;
  }
  // The rows of table in the order given, through a row class registered afresh (the table may have changed).
  std::vector<Ref<JdbcTableRecord>> read(const std::string& table, const std::string& order) {
    const std::string className = "test.writes." + name_ + "." + table + std::to_string(++classes_);
    JdbcTableRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, table,
                                   "test.writes.Manager" + name_, "rows");
    std::vector<Ref<JdbcTableRecord>> rows;
    auto all = plat::lang::makeRef<JdbcTableRecord>(className)->querySimilarObjects("", {order});
    while (all->hasMoreElements()) rows.push_back(std::dynamic_pointer_cast<JdbcTableRecord>(all->nextElement()));
    return rows;
  }

  std::string name_;
  std::filesystem::path path_;
  Ref<JdbcConnection> bean_;
  int classes_ = 0;
};

struct DuplicateCase {
  bool remove;       // DELETE, else UPDATE of NAME
  bool transaction;  // inside a bean transaction, else in auto-commit
};

TEST_P(RowWrites, AWriteThatReachesTwoEqualRowsChangesNeither) {
  // The long NOTE is never compared, so the two rows look alike to the row class.
  const std::vector<DuplicateCase> cases = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    const std::string label = std::string(c.remove ? "delete" : "update") + (c.transaction ? " in a transaction" : "");
    exec("drop table if exists T");
    exec("create table T (NAME varchar(20), NOTE text)");
    exec("insert into T values ('a', 'first note')");
    exec("insert into T values ('a', 'second note')");
    exec("insert into T values ('z', 'third note')");
    auto rows = read("T", "NOTE");
    ASSERT_EQ(rows.size(), 3u) << label;
    if (c.remove) {
      rows[0]->setMarkedAsDeleted(true);
    } else {
      rows[0]->setValueAsObject(0, Value("b"));
    }
    if (c.transaction) bean_->beginTransaction();
    try {
      rows[0]->save();
      ADD_FAILURE() << label << ": saved";
    } catch (const RecordDefinitionException& e) {
      EXPECT_EQ(e.getMessage(), "More than one record matched in DB") << label;
    }
    if (c.transaction) EXPECT_THROW(bean_->endTransaction(true), plat::sql::SQLException) << label;
    EXPECT_EQ(count("select count(*) from T where NAME = 'a'"), 2) << label;
    EXPECT_TRUE(rows[0]->isDirty()) << label;
    EXPECT_TRUE(bean_->isAutoCommit()) << label;
    // The connection is back in auto-commit: a row that matches alone is written and stays written.
    rows[2]->setValueAsObject(0, Value("c"));
    EXPECT_EQ(rows[2]->save(), 1) << label;
    EXPECT_FALSE(rows[2]->isDirty()) << label;
    bean_->setConnectionClosed(true);
    EXPECT_EQ(count("select count(*) from T where NAME = 'c'"), 1) << label;
  }
}

TEST_P(RowWrites, AStoredValueWiderThanItsColumnIsReadWholeAndTheRowSaves) {
  exec("create table W (ID integer, CODE varchar(5), NAME varchar(20))");
  // SQLite keeps any length; PostgreSQL counts characters, and three emoji are three (six UTF-16 units).
  const std::string wide = GetParam() == "sqlite" ? "abcdefghij" : "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80";
  exec("insert into W values (1, '" + wide + "', 'x')");
  auto rows = read("W", "ID");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]->getValueAsString(1, 0), wide);
  EXPECT_EQ(rows[0]->getValueAsString(2, 0), "x") << "the columns after it are read too";
  rows[0]->setValueAsObject(2, Value("y"));
  EXPECT_EQ(rows[0]->save(), 1);
  rows[0]->undoColumnChanges(1);
  EXPECT_EQ(count("select count(*) from W where NAME = 'y'"), 1);

  // What is put in is still held to the width, counted in characters.
  EXPECT_THROW(rows[0]->setValueAsObject(1, Value("abcdef")), plat::lang::NumberFormatException);
  const std::string fiveEmoji = wide.size() == 12 ? wide + "\xF0\x9F\x98\x80\xF0\x9F\x98\x80" : "abcde";
  rows[0]->setValueAsObject(1, Value(fiveEmoji));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(read("W", "ID")[0]->getValueAsString(1, 0), fiveEmoji);
}

INSTANTIATE_TEST_SUITE_P(Databases, RowWrites, ::testing::Values("sqlite", "postgres"));

struct PoolCase {
  int connections;
  int maxStatements;  // 0: no limit
};

// Eight threads insert and query through one bean on one SQLite file, its pool spread over several connections.
TEST(SqlitePool, ThreadsWritingThroughSeveralConnectionsAllSucceed) {
  registerJdbcClasses(plat::runvale::ClassRegistry::instance());
  plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
  plat::beans::Beans::setDesignTime(false);
  constexpr int kThreads = 8;
  constexpr int kRounds = 100;
  for (const PoolCase& c : {PoolCase{1, 0}, PoolCase{8, 1}, PoolCase{16, 1}}) {
    const std::string label = std::to_string(c.connections) + " connections";
    // In memory-backed storage where the system has it: the waits for the file's lock are the subject, not the
    // disk's flushes.
    const std::filesystem::path folder =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const auto path = folder / ("row-pool-" + std::to_string(::getpid()) + "-" + std::to_string(c.connections) + ".db");
    std::filesystem::remove(path);
    auto bean = plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                                    "jdbc:sqlite:" + path.string(), "", "");
    bean->setMaxConnections(c.connections);
    bean->setMinConnections(c.connections);
    bean->setMaxStatements(c.maxStatements);
    bean->connect();
    {
      auto statement = bean->createStatement();
      bean->executeStatement(statement, "create table P (THREAD integer, ROUND integer)", "");
      bean->closeStatement(statement);
    }
    std::atomic<int> failures{0};
    std::string firstFailure;
    std::mutex failureMutex;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (int round = 0; round < kRounds; ++round) {
          try {
            auto insert = bean->prepareStatement("insert into P values (?, ?)");
            insert->setInt(1, t);
            insert->setInt(2, round);
            bean->executeStatement(insert, "", "");
            bean->closeStatement(insert);
            auto query = bean->prepareStatement("select count(*) from P where THREAD = ?");
            query->setInt(1, t);
            auto rs = bean->executeQuery(query, "", "");
            const bool seen = rs->next() && rs->getInt(1) == round + 1;
            rs->close();
            bean->closeStatement(query);
            if (!seen) throw plat::sql::SQLException("the thread's own rows were not all there");
          } catch (const plat::lang::Exception& e) {
            std::lock_guard lock(failureMutex);
            if (failures++ == 0) firstFailure = e.getMessage();
          }
        }
      });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0) << label << ": " << firstFailure;
    EXPECT_EQ(bean->poolCounts().size(), static_cast<std::size_t>(c.connections)) << label;
    bean->setConnectionClosed(true);
    std::filesystem::remove(path);
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc

#ifdef HAVE_POSTGRES
namespace quenlora::zafoli::db::beans::jdbc {
namespace {

// A bean on the PostgreSQL server whose backend is ended from a second connection, whose server restarts, or whose
// statement runs out of time.
class PostgresLostConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    registerJdbcClasses(plat::runvale::ClassRegistry::instance());
    plat::sql::pq::registerPqDriverClass(plat::runvale::ClassRegistry::instance());
    plat::beans::Beans::setDesignTime(false);
    std::string whyNot;
    server_ = testkit::PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    database_ = server_->createDatabase();
    bean_ = plat::lang::makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server_->url(database_),
                                                testkit::PostgresServer::kUser, testkit::PostgresServer::kPassword);
    bean_->connect();
    exec("create table T (ID integer)");
  }
  void TearDown() override {
    if (bean_) bean_->setConnectionClosed(true);
  }
  void exec(const std::string& sql) {
    auto statement = bean_->createStatement();
    try {
      bean_->executeStatement(statement, sql, sql);
    } catch (...) {
      bean_->closeStatement(statement);
      throw;
    }
    bean_->closeStatement(statement);
  }
  int number(const std::string& sql) {
    auto statement = bean_->createStatement();
    auto rs = bean_->executeQuery(statement, sql, sql);
    rs->next();
    const int n = rs->getInt(1);
    bean_->closeStatement(statement);
    return n;
  }
  void killBackend() {
    const int pid = number("select pg_backend_pid()");
    server_->exec(database_, "select pg_terminate_backend(" + std::to_string(pid) + ")");
  }

  testkit::PostgresServer* server_ = nullptr;
  std::string database_;
  Ref<JdbcConnection> bean_;
};

TEST_F(PostgresLostConnection, AKilledBackendIsDroppedAndTheNextStatementOpensAFreshOne) {
  killBackend();
  EXPECT_THROW(exec("insert into T values (1)"), plat::sql::SQLException);
  EXPECT_TRUE(bean_->isConnectionClosed());
  exec("insert into T values (2)");
  EXPECT_FALSE(bean_->isConnectionClosed());
  EXPECT_EQ(number("select sum(ID) from T"), 2);
}

TEST_F(PostgresLostConnection, AfterEveryBackendEndedAsARestartDoesOneStatementFails) {
  bean_->setConnectionClosed(true);
  bean_->setMinConnections(3);
  bean_->connect();
  ASSERT_EQ(bean_->poolCounts().size(), 3u);
  server_->exec(database_,
                "select pg_terminate_backend(pid) from pg_stat_activity where datname = current_database() and pid <> "
                "pg_backend_pid()");
  EXPECT_THROW(exec("insert into T values (1)"), plat::sql::SQLException);
  EXPECT_TRUE(bean_->isConnectionClosed());
  exec("insert into T values (2)");
  EXPECT_EQ(number("select sum(ID) from T"), 2);
}

TEST_F(PostgresLostConnection, ATransactionThatLostItsConnectionOnlyRollsBack) {
  bean_->beginTransaction();
  exec("insert into T values (1)");
  killBackend();
  EXPECT_THROW(exec("insert into T values (2)"), plat::sql::SQLException);
  // Not carried on over a fresh connection, where it would commit half of the work.
  try {
    exec("insert into T values (3)");
    ADD_FAILURE() << "the transaction went on";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getSQLState().substr(0, 2), "08") << e.getMessage();
  }
  EXPECT_THROW(bean_->endTransaction(true), plat::sql::SQLException);
  EXPECT_TRUE(bean_->isAutoCommit());
  exec("insert into T values (4)");
  EXPECT_EQ(number("select sum(ID) from T"), 4);
}

TEST_F(PostgresLostConnection, AfterARestartedServerOneStatementAtMostFailsAndATransactionOnlyRollsBack) {
  bean_->setConnectionClosed(true);
  bean_->setMinConnections(3);
  bean_->connect();
  ASSERT_EQ(bean_->poolCounts().size(), 3u);
  exec("insert into T values (1)");
  const int before = number("select pg_backend_pid()");
  server_->restart();
  // The bean cannot know before it tries; the first statement may fail, and then only with a connection failure.
  try {
    exec("insert into T values (2)");
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getSQLState().substr(0, 2), "08") << e.getMessage();
    EXPECT_TRUE(bean_->isConnectionClosed());
    exec("insert into T values (2)");
  }
  EXPECT_FALSE(bean_->isConnectionClosed());
  EXPECT_NE(number("select pg_backend_pid()"), before);
  EXPECT_EQ(number("select sum(ID) from T"), 3);

  bean_->beginTransaction();
  exec("insert into T values (10)");
  server_->restart();
  EXPECT_THROW(exec("insert into T values (20)"), plat::sql::SQLException);
  try {
    exec("insert into T values (30)");
    ADD_FAILURE() << "the transaction went on over another connection";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getSQLState().substr(0, 2), "08") << e.getMessage();
  }
  EXPECT_THROW(bean_->endTransaction(true), plat::sql::SQLException);
  EXPECT_TRUE(bean_->isAutoCommit());
  exec("insert into T values (40)");
  EXPECT_EQ(number("select sum(ID) from T"), 43);
}

TEST_F(PostgresLostConnection, AStatementPastItsQueryTimeOutFailsAndTheConnectionStays) {
  auto statement = bean_->createStatement();
  statement->setQueryTimeout(1);
  try {
    bean_->executeQuery(statement, "select pg_sleep(3)", "select pg_sleep(3)");
    ADD_FAILURE() << "the statement was not stopped";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getSQLState(), "57014") << e.getMessage();
  }
  bean_->closeStatement(statement);
  EXPECT_FALSE(bean_->isConnectionClosed());
  EXPECT_EQ(bean_->poolCounts().size(), 1u);
  EXPECT_EQ(number("select 7"), 7);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
#endif
