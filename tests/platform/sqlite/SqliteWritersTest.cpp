// Writers on several connections of one SQLite file, and threads sharing one connection: every write waits its
// turn instead of failing "database is locked", and each statement's update count is its own. A statement's query
// time-out ends a long statement.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"

namespace plat::sql::sqlite {
namespace {

constexpr int kRounds = 200;

// In memory-backed storage where the system has it: the waits are the subject, not the disk's flushes.
std::string freshFile(const std::string& name) {
  const std::string path =
      (std::filesystem::is_directory("/dev/shm") ? std::string("/dev/shm/") : ::testing::TempDir()) + name;
  std::remove(path.c_str());
  std::remove((path + "-journal").c_str());
  return "jdbc:sqlite:" + path;
}

int countRows(const plat::lang::Ref<Connection>& connection) {
  auto rs = connection->createStatement()->executeQuery("select count(*) from t");
  EXPECT_TRUE(rs->next());
  return rs->getInt(1);
}

// One writer round: a read of the table, an insert that must count 1 and an update of a row nobody has that must
// count 0. With keepReading the read stays open across the insert (SQLite itself refuses that on one connection of
// several that write, since waiting could deadlock).
void round(const plat::lang::Ref<Connection>& connection, int writer, int i, bool keepReading,
           std::atomic<int>& failures, std::atomic<int>& wrongCounts) {
  try {
    auto reader = connection->createStatement();
    auto rows = reader->executeQuery("select n from t");
    rows->next();
    if (!keepReading) rows->close();
    auto insert = connection->prepareStatement("insert into t (w, n) values (?, ?)");
    insert->setInt(1, writer);
    insert->setInt(2, i);
    if (insert->executeUpdate() != 1) ++wrongCounts;
    rows->close();
    auto none = connection->prepareStatement("update t set n = n where w = -1");
    if (none->executeUpdate() != 0) ++wrongCounts;
    insert->close();
    none->close();
    reader->close();
  } catch (const SQLException& e) {
    ADD_FAILURE() << "writer " << writer << " round " << i << ": " << e.what();
    ++failures;
  }
}

// Table: connections on the file, threads per connection.
TEST(SqliteWriters, EveryWriteOfEveryThreadIsStoredAndCountedOnce) {
  registerSqliteDriver();
  struct Shape {
    int connections;
    int threadsEach;
  };
  for (Shape shape : {Shape{4, 1}, Shape{16, 1}, Shape{1, 4}, Shape{3, 3}}) {
    SCOPED_TRACE(std::to_string(shape.connections) + " connections x " + std::to_string(shape.threadsEach));
    const std::string url = freshFile("sqlite_writers.db");
    auto setup = DriverManager::getConnection(url);
    setup->createStatement()->executeUpdate("create table t (w int, n int)");
    std::vector<plat::lang::Ref<Connection>> connections;
    for (int c = 0; c < shape.connections; ++c) connections.push_back(DriverManager::getConnection(url));
    std::atomic<int> failures{0};
    std::atomic<int> wrongCounts{0};
    std::vector<std::thread> threads;
    const int writers = shape.connections * shape.threadsEach;
    const int rounds = kRounds * 4 / writers;
    for (int w = 0; w < writers; ++w) {
      threads.emplace_back([&, w] {
        for (int i = 0; i < rounds; ++i)
          round(connections[w % shape.connections], w, i, shape.connections == 1, failures, wrongCounts);
      });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(wrongCounts.load(), 0);
    EXPECT_EQ(countRows(setup), writers * rounds);
    for (auto& connection : connections) connection->close();
    setup->close();
  }
}

// A lock held by another connection is waited for at most the busy time-out: 0 fails at once, the default waits
// until the holder commits.
TEST(SqliteWriters, BusyTimeOutDecidesBetweenWaitingAndFailing) {
  registerSqliteDriver();
  const std::string url = freshFile("sqlite_busy.db");
  auto holder = DriverManager::getConnection(url);
  holder->createStatement()->executeUpdate("create table t (w int, n int)");
  holder->setAutoCommit(false);
  holder->createStatement()->executeUpdate("insert into t values (0, 0)");

  plat::util::Properties impatient;
  impatient.setProperty(SqliteDriver::kBusyTimeoutProperty, "0");
  auto refused = DriverManager::getConnection(url, impatient);
  EXPECT_THROW(refused->createStatement()->executeUpdate("insert into t values (1, 1)"), SQLException);

  auto waiting = DriverManager::getConnection(url);
  auto written = std::async(std::launch::async,
                            [&] { return waiting->createStatement()->executeUpdate("insert into t values (2, 2)"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  holder->commit();
  EXPECT_EQ(written.get(), 1);
  holder->setAutoCommit(true);
  EXPECT_EQ(countRows(holder), 2);

  plat::util::Properties wrong;
  wrong.setProperty(SqliteDriver::kBusyTimeoutProperty, "soon");
  EXPECT_THROW(DriverManager::getConnection(url, wrong), SQLException);
}

// A statement running past its query time-out ends with state 57014; the connection stays usable.
TEST(SqliteWriters, QueryTimeOutEndsALongStatement) {
  registerSqliteDriver();
  auto connection = DriverManager::getConnection("jdbc:sqlite::memory:");
  auto statement = connection->createStatement();
  statement->setQueryTimeout(1);
  // Bounds the test should the time-out not work: a cancel gives another message.
  std::promise<void> finished;
  std::thread watchdog([&statement, done = finished.get_future()] {
    if (done.wait_for(std::chrono::seconds(30)) == std::future_status::timeout) statement->cancel();
  });
  std::string state;
  std::string message;
  try {
    statement->executeQuery(
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < 4000000000) select count(*) from c");
  } catch (const SQLException& e) {
    state = e.getSQLState();
    message = e.what();
  }
  finished.set_value();
  watchdog.join();
  EXPECT_EQ(state, "57014");
  EXPECT_NE(message.find("timed out"), std::string::npos) << message;
  statement->setQueryTimeout(0);
  auto rs = statement->executeQuery("select 7");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 7);
  connection->close();
}

}  // namespace
}  // namespace plat::sql::sqlite
