// The options plain and prepared statements share: each keeps what it was given, refuses negative values, and
// refuses everything once closed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sqlite/SqliteDriver.h"

namespace plat::sql::sqlite {
namespace {

using plat::lang::Ref;

struct StatementKind {
  const char* name;
  std::function<Ref<Statement>(Connection&)> make;
};

const std::vector<StatementKind>& kinds() {
  static const std::vector<StatementKind> all = {
      {"plain", [](Connection& c) { return c.createStatement(); }},
      {"prepared", [](Connection& c) -> Ref<Statement> { return c.prepareStatement("select 1"); }},
  };
  return all;
}

Ref<Connection> openMemory() {
  registerSqliteDriver();
  return DriverManager::getConnection("jdbc:sqlite::memory:");
}

TEST(SqliteStatementOptions, EachKindKeepsItsOptions) {
  auto connection = openMemory();
  for (const auto& kind : kinds()) {
    auto stmt = kind.make(*connection);
    auto other = kind.make(*connection);
    EXPECT_EQ(stmt->getQueryTimeout(), 0) << kind.name;
    EXPECT_EQ(stmt->getMaxFieldSize(), 0) << kind.name;
    stmt->setQueryTimeout(5);
    stmt->setMaxFieldSize(100);
    stmt->setMaxRows(3);
    EXPECT_EQ(stmt->getQueryTimeout(), 5) << kind.name;
    EXPECT_EQ(stmt->getMaxFieldSize(), 100) << kind.name;
    EXPECT_EQ(stmt->getMaxRows(), 3) << kind.name;
    EXPECT_EQ(other->getQueryTimeout(), 0) << kind.name << ": options belong to one statement";
    EXPECT_THROW(stmt->setQueryTimeout(-1), SQLException) << kind.name;
    EXPECT_THROW(stmt->setMaxFieldSize(-1), SQLException) << kind.name;
    EXPECT_THROW(stmt->setMaxRows(-1), SQLException) << kind.name;
    EXPECT_EQ(stmt->getQueryTimeout(), 5) << kind.name << ": a refused value changes nothing";
  }
}

TEST(SqliteStatementOptions, ClosedStatementsRefuseEveryOption) {
  auto connection = openMemory();
  for (const auto& kind : kinds()) {
    auto stmt = kind.make(*connection);
    stmt->close();
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"getQueryTimeout", [&] { stmt->getQueryTimeout(); }}, {"setQueryTimeout", [&] { stmt->setQueryTimeout(1); }},
        {"getMaxFieldSize", [&] { stmt->getMaxFieldSize(); }}, {"setMaxFieldSize", [&] { stmt->setMaxFieldSize(1); }},
        {"getMaxRows", [&] { stmt->getMaxRows(); }},           {"cancel", [&] { stmt->cancel(); }},
        {"getWarnings", [&] { stmt->getWarnings(); }},         {"setCursorName", [&] { stmt->setCursorName("c"); }},
        {"getResultSet", [&] { stmt->getResultSet(); }},
    };
    for (const auto& [name, call] : calls) EXPECT_THROW(call(), SQLException) << kind.name << " " << name;
  }
}

TEST(SqliteStatementOptions, ResultOfTheLastRunIsSharedByBothKinds) {
  auto connection = openMemory();
  auto plain = connection->createStatement();
  EXPECT_TRUE(plain->execute("select 7"));
  auto rs = plain->getResultSet();
  ASSERT_NE(rs, nullptr);
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 7);
  EXPECT_EQ(plain->getUpdateCount(), -1);
  EXPECT_FALSE(plain->getMoreResults());
  EXPECT_EQ(plain->getResultSet(), nullptr);

  auto prepared = connection->prepareStatement("select ?");
  prepared->setInt(1, 9);
  EXPECT_TRUE(prepared->execute());
  auto prs = prepared->getResultSet();
  ASSERT_NE(prs, nullptr);
  ASSERT_TRUE(prs->next());
  EXPECT_EQ(prs->getInt(1), 9);
}

}  // namespace
}  // namespace plat::sql::sqlite
