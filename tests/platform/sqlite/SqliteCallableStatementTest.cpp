// Calls on SQLite: plain SQL with in-parameters under the callable interface; what SQLite lacks (stored
// procedures, out-parameters) is refused with SQLException instead of being pretended.
#include <gtest/gtest.h>

#include "platform/sql/CallableStatement.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteDriver.h"

namespace plat::sql::sqlite {
namespace {

using plat::lang::Ref;

Ref<Connection> openMemory() {
  registerSqliteDriver();
  auto connection = DriverManager::getConnection("jdbc:sqlite::memory:");
  connection->createStatement()->executeUpdate("create table t (id integer, name varchar(20))");
  connection->createStatement()->executeUpdate("insert into t values (1, 'a'), (2, 'b'), (3, 'c')");
  return connection;
}

TEST(SqliteCallableStatement, PlainSqlWithInParametersGivesResultsAndUpdateCounts) {
  auto connection = openMemory();
  auto call = connection->prepareCall("select name from t where id >= ? order by id");
  call->setInt(1, 2);
  ASSERT_TRUE(call->execute());
  auto rows = call->getResultSet();
  ASSERT_NE(rows, nullptr);
  std::vector<std::string> names;
  while (rows->next()) names.push_back(rows->getString(1));
  EXPECT_EQ(names, (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(call->getUpdateCount(), -1);

  auto update = connection->prepareCall("update t set name = ? where id < ?");
  update->setObject(1, plat::lang::Value("z"), Types::VARCHAR);
  update->setObject(2, plat::lang::Value(3), Types::INTEGER);
  EXPECT_FALSE(update->execute());
  EXPECT_EQ(update->getUpdateCount(), 2);
  EXPECT_FALSE(update->getMoreResults());
  EXPECT_EQ(update->getUpdateCount(), -1);
}

TEST(SqliteCallableStatement, CallEscapesAndOutParametersAreRefused) {
  auto connection = openMemory();
  for (const char* sql : {"{call p(?)}", "  {? = call f()}"}) {
    try {
      connection->prepareCall(sql);
      ADD_FAILURE() << sql;
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getSQLState(), "0A000") << sql;
    }
  }
  auto call = connection->prepareCall("select ?");
  EXPECT_THROW(call->registerOutParameter(1, Types::INTEGER), SQLException);
  EXPECT_THROW(call->registerOutParameter(1, Types::DECIMAL, 2), SQLException);
  EXPECT_FALSE(call->isClosed());
  connection->close();
  EXPECT_TRUE(call->isClosed()) << "closing the connection closes its calls";
  EXPECT_THROW(call->execute(), SQLException);
}

}  // namespace
}  // namespace plat::sql::sqlite
