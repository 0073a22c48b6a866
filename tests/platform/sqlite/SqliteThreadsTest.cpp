// Statements of one SQLite connection on two threads: each failure carries its own error text, and the connection's
// count of open objects stays exact.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/sqlite/SqliteDriver.h"

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

}  // namespace
}  // namespace plat::sql::sqlite
