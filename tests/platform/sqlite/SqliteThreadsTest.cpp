// Statements of one SQLite connection on two threads: each failure carries its own error text, and the connection's
// count of open objects stays exact. A connection opened one-at-a-time gives up SQLite's lock.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <thread>

#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "platform/sqlite/SqliteDriver.h"
#include "platform/util/Properties.h"

namespace plat::sql::sqlite {
namespace {

TEST(SqliteThreads, EachFailureCarriesItsOwnTextAndOpenObjectsStayCounted) {
  registerSqliteDriver();
  auto connection = DriverManager::getConnection("jdbc:sqlite::memory:");
  auto ddl = connection->createStatement();
  ddl->executeUpdate("create table alpha (n int unique)");
  ddl->executeUpdate("create table beta (n int unique)");
  ddl->close();
  std::atomic<int> wrongTexts{0};
  std::atomic<int> failures{0};
  auto work = [&](const std::string& table) {
    for (int i = 0; i < 300; ++i) {
      auto insert = connection->prepareStatement("insert into " + table + " values (?)");
      insert->setInt(1, i % 10);
      try {
        insert->executeUpdate();
      } catch (const SQLException& e) {
        ++failures;
        if (std::string(e.what()).find(table) == std::string::npos) ++wrongTexts;
      }
      insert->close();
    }
  };
  std::thread one(work, "alpha");
  std::thread two(work, "beta");
  one.join();
  two.join();
  EXPECT_EQ(failures.load(), 2 * 290);
  EXPECT_EQ(wrongTexts.load(), 0);
  EXPECT_EQ(std::dynamic_pointer_cast<SqliteConnection>(connection)->openObjectCount(), 0u);
}

// A database opened one-at-a-time leaves SQLite's per-connection lock out; the default keeps it.
TEST(SqliteThreads, OneAtATimeLeavesSqlitesConnectionLockOut) {
  EXPECT_NE(sqlite3_db_mutex(SqliteDatabase(":memory:").handle()), nullptr);
  EXPECT_NE(sqlite3_db_mutex(SqliteDatabase(":memory:", SqliteDatabase::Threading::Serialized).handle()), nullptr);
  EXPECT_EQ(sqlite3_db_mutex(SqliteDatabase(":memory:", SqliteDatabase::Threading::OneAtATime).handle()), nullptr);
}

// Whatever the threading property says, connections to one shared database read what the others wrote.
TEST(SqliteThreads, ConnectionsOfEveryThreadingShareOneDatabase) {
  registerSqliteDriver();
  const std::string url = "jdbc:sqlite:file:threading_modes?mode=memory&cache=shared";
  auto keeper = DriverManager::getConnection(url);
  keeper->createStatement()->executeUpdate("create table t (n int)");
  int rows = 0;
  for (const char* value : {static_cast<const char*>(nullptr), SqliteDriver::kOneAtATime, "serialized"}) {
    SCOPED_TRACE(value ? value : "(none)");
    plat::util::Properties info;
    if (value) info.setProperty(SqliteDriver::kThreadingProperty, value);
    auto connection = DriverManager::getConnection(url, info);
    connection->createStatement()->executeUpdate("insert into t values (1)");
    auto rs = connection->createStatement()->executeQuery("select count(*) from t");
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->getInt(1), ++rows);
    connection->close();
  }
  keeper->close();
}

}  // namespace
}  // namespace plat::sql::sqlite
