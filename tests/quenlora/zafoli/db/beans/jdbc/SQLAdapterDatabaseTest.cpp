// The SQL adapter on real databases: plain SQL with in-parameters on SQLite, and functions and procedures with
// in, in/out and out parameters on a throwaway PostgreSQL server.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif
#include "tests/quenlora/zafoli/db/beans/jdbc/AdapterTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using M = plat::sql::DatabaseMetaData;

void run(JdbcConnection& bean, const std::string& sql) {
  auto statement = bean.createStatement();
  bean.executeStatement(statement, sql, sql);
  bean.closeStatement(statement);
}

class SqliteAdapter : public AdapterTest {
 protected:
  void SetUp() override {
    AdapterTest::SetUp();
    plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
    path_ = std::filesystem::temp_directory_path() /
            ("sql-adapter-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
    std::filesystem::remove(path_);
    bean_ =
        makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName, "jdbc:sqlite:" + path_.string(), "", "");
    offer(bean_);
    bean_->connect();
    run(*bean_, "create table t (id integer, name varchar(20))");
    run(*bean_, "insert into t values (1, 'a'), (2, 'b'), (3, 'c')");
  }
  void TearDown() override {
    bean_->setConnectionClosed(true);
    std::filesystem::remove(path_);
    AdapterTest::TearDown();
  }
  Ref<JdbcConnection> bean_;
  std::filesystem::path path_;
};

TEST_F(SqliteAdapter, InParametersSelectRowsAndUpdatesCount) {
  auto query =
      adapter("select name from t where id >= ? order by id", {param("MIN", 1, M::procedureColumnIn, Types::INTEGER)});
  query->setColumns({"NAME"});
  auto events = std::make_shared<AdapterEvents>();
  query->addSQLAdapterEventListener(events);
  query->setValues(0, Value(2));
  query->execute();
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before", "after:rs"}));
  auto rows = query->getResultSet();
  ASSERT_NE(rows, nullptr);
  std::vector<std::string> names;
  while (rows->next()) names.push_back(rows->getString(1));
  EXPECT_EQ(names, (std::vector<std::string>{"b", "c"}));

  // A new execution closes the result of the previous one.
  query->setValues(0, Value(3));
  query->execute();
  EXPECT_TRUE(rows->isClosed());
  EXPECT_FALSE(query->getMoreResults());
  EXPECT_EQ(query->getResultSet(), nullptr);

  auto update = adapter("update t set name = ? where id < ?", {param("NAME", 1, M::procedureColumnIn, Types::VARCHAR),
                                                               param("ID", 2, M::procedureColumnIn, Types::INTEGER)});
  update->setValues({Value("z"), Value(3)});
  update->execute();
  EXPECT_EQ(update->getUpdateCount(), 2);
}

TEST_F(SqliteAdapter, AFailingExecutionFailsTheBeansTransaction) {
  auto update = adapter("update t set name = ? where id = 1", {param("NAME", 1, M::procedureColumnIn, Types::VARCHAR)});
  auto broken = adapter("update no_such_table set name = 'x'", {});
  update->setValues(0, Value("changed"));
  bean_->beginTransaction();
  update->execute();
  EXPECT_THROW(broken->execute(), plat::sql::SQLException);
  EXPECT_THROW(bean_->endTransaction(true), plat::sql::SQLException);
  auto statement = bean_->createStatement();
  auto rows = bean_->executeQuery(statement, "select name from t where id = 1", "");
  ASSERT_TRUE(rows->next());
  EXPECT_EQ(rows->getString(1), "a") << "the level was rolled back, not committed";
  bean_->closeStatement(statement);
}

TEST_F(SqliteAdapter, OutParametersAreRefusedBySqlite) {
  auto call = adapter("select ?", {param("N", 1, M::procedureColumnOut, Types::INTEGER)});
  EXPECT_THROW(call->execute(), plat::sql::SQLException);
  auto procedure = makeRef<StoredProcedureAdapter>(managerClass_, "db", "{call p()}");
  EXPECT_THROW(procedure->execute(), plat::sql::SQLException);
}

#ifdef HAVE_POSTGRES
using testkit::PostgresServer;

class PostgresAdapter : public AdapterTest {
 protected:
  void SetUp() override {
    AdapterTest::SetUp();
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    plat::sql::pq::registerPqDriverClass(plat::runvale::ClassRegistry::instance());
    auto database = server_->createDatabase();
    bean_ = makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server_->url(database), PostgresServer::kUser,
                                    PostgresServer::kPassword);
    offer(bean_);
    bean_->connect();
  }
  void TearDown() override {
    if (bean_) bean_->setConnectionClosed(true);
    AdapterTest::TearDown();
  }
  PostgresServer* server_ = nullptr;
  Ref<JdbcConnection> bean_;
};

TEST_F(PostgresAdapter, AFunctionsReturnValueLandsInTheRow) {
  run(*bean_, "create function add_one(n int) returns int language sql as 'select n + 1'");
  SQLAdapter::Parameters parameters{param("RESULT", 1, M::procedureColumnReturn, Types::INTEGER),
                                    param("N", 2, M::procedureColumnIn, Types::INTEGER)};
  auto procedure = makeRef<StoredProcedureAdapter>(
      managerClass_, "db", StoredProcedureAdapter::generateSQLText("add_one", parameters), parameters);
  EXPECT_EQ(procedure->getSQLText(), "{?= call add_one( ? )}");
  procedure->setValues(1, Value(41));
  procedure->execute();
  EXPECT_EQ(procedure->getValue(0, 0), Value(42));
}

TEST_F(PostgresAdapter, AFloatOutValueKeepsDoublePrecision) {
  run(*bean_, "create function third() returns float8 language sql as 'select 1.0::float8 / 3'");
  SQLAdapter::Parameters parameters{param("RESULT", 1, M::procedureColumnReturn, Types::FLOAT)};
  auto procedure = makeRef<StoredProcedureAdapter>(managerClass_, "db", "{?= call third()}", parameters);
  procedure->execute();
  EXPECT_EQ(procedure->getValue(0, 0), Value(1.0 / 3));
}

TEST_F(PostgresAdapter, AProceduresInOutAndOutValuesComeBackAndSqlNullGivesNone) {
  run(*bean_,
      "create procedure split(in a int, inout b int, out c int) language plpgsql as $$ begin b := b + a; "
      "c := case when a > 0 then a * 10 end; end $$");
  auto procedure =
      makeRef<StoredProcedureAdapter>(managerClass_, "db", "{call split( ?, ?, ? )}",
                                      SQLAdapter::Parameters{param("A", 1, M::procedureColumnIn, Types::INTEGER),
                                                             param("B", 2, M::procedureColumnInOut, Types::INTEGER),
                                                             param("C", 3, M::procedureColumnOut, Types::INTEGER)});
  procedure->setValues({Value(2), Value(3)});
  procedure->execute();
  EXPECT_EQ(procedure->getValues(), (std::vector<Value>{Value(2), Value(5), Value(20)}));

  procedure->setValues(0, Value(-1));
  procedure->execute();
  EXPECT_EQ(procedure->getValue(0, 1), Value(4)) << "the in/out value was bound again from the row";
  EXPECT_TRUE(procedure->getValue(0, 2).isNull());
}

TEST_F(PostgresAdapter, AFailingCallIsLoggedAndThrownWithoutAfterEvent) {
  run(*bean_,
      "create function refuse(n int) returns int language plpgsql as $$ begin raise exception 'refused %', n; end $$");
  auto procedure =
      makeRef<StoredProcedureAdapter>(managerClass_, "db", "{?= call refuse( ? )}",
                                      SQLAdapter::Parameters{param("R", 1, M::procedureColumnReturn, Types::INTEGER),
                                                             param("N", 2, M::procedureColumnIn, Types::INTEGER)});
  auto events = std::make_shared<AdapterEvents>();
  procedure->addSQLAdapterEventListener(events);
  procedure->setValues(1, Value(9));
  EXPECT_THROW(procedure->execute(), plat::sql::SQLException);
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before"}));
  const auto entries = log_->entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_NE(entries.back().find("refused 9"), std::string::npos) << entries.back();
}
#endif

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
