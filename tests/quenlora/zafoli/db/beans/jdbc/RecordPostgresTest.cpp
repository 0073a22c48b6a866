// Row classes on a throwaway PostgreSQL server: two beans changing one row, and exact numbers, bytes and floats.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/beans/Beans.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "testkit/beans/JdbcTableRecord.h"
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif

#ifdef HAVE_POSTGRES
namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using testkit::PostgresServer;
using testkit::beans::JdbcTableRecord;

class PostgresRows : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& registry = plat::runvale::ClassRegistry::instance();
    registerJdbcClasses(registry);
    plat::sql::pq::registerPqDriverClass(registry);
    plat::beans::Beans::setDesignTime(false);
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    database_ = server_->createDatabase();
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  void TearDown() override {
    for (auto& bean : beans_) bean->setConnectionClosed(true);
  }
  // A row class of table over a bean of its own.
  std::string rowClass(const std::string& table, const std::string& suffix) {
    auto bean = plat::lang::makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server_->url(database_),
                                                    PostgresServer::kOtherUser, PostgresServer::kOtherPassword);
    bean->setIdentifier("pg");
    beans_.push_back(bean);
    auto manager = plat::lang::makeRef<ConnectionManager>();
    manager->add(bean);
    auto& registry = plat::runvale::ClassRegistry::instance();
    const std::string managerName = "test.pg.Manager." + name_ + suffix;
    JdbcTableRecord::registerManager(registry, managerName, manager);
    const std::string className = "test.pg." + name_ + "." + table + suffix;
    JdbcTableRecord::registerClass(registry, className, table, managerName, "pg");
    return className;
  }
  void exec(const std::string& sql) {
    auto& bean = *beans_.front();
    auto statement = bean.createStatement();
    bean.executeStatement(statement, sql, sql);
    bean.closeStatement(statement);
  }
  Ref<JdbcTableRecord> first(const std::string& className) {
    auto rows = plat::lang::makeRef<JdbcTableRecord>(className)->querySimilarObjects("", {"1"});
    EXPECT_TRUE(rows->hasMoreElements());
    return std::dynamic_pointer_cast<JdbcTableRecord>(rows->nextElement());
  }

  PostgresServer* server_ = nullptr;
  std::string database_;
  std::string name_;
  std::vector<Ref<JdbcConnection>> beans_;
};

TEST_F(PostgresRows, TheSecondOfTwoWritersFindsTheRowChanged) {
  const std::string a = rowClass("T", "A");
  const std::string b = rowClass("T", "B");
  exec("create table T (ID integer primary key, NAME varchar(20))");
  exec("insert into T values (1, 'a')");
  auto mine = first(a);
  auto theirs = first(b);
  mine->setValueAsObject(1, Value("mine"));
  theirs->setValueAsObject(1, Value("theirs"));
  auto beanA = mine->getJdbcConnection();
  beanA->beginTransaction();
  EXPECT_EQ(mine->save(), 1);
  beanA->endTransaction(true);
  mine->resetState();
  try {
    theirs->save();
    FAIL() << "the row changed since it was read";
  } catch (const RecordDefinitionException& e) {
    EXPECT_EQ(e.getMessage(), "Record could not be found in DB");
  }
  EXPECT_EQ(first(a)->getValueAsString(1, 0), "mine");
}

// The row class finds the table's key (or, without one, a unique index) in the catalogue: a one-column edit
// compares the key and that column only.
TEST_F(PostgresRows, AnEditComparesTheKeyAndTheEditedColumn) {
  const std::string keyed = rowClass("W", "");
  const std::string indexed = rowClass("U", "");
  exec("create table W (ID integer primary key, A varchar(10), B integer, C varchar(10))");
  exec("create table U (CODE varchar(10), N integer, A varchar(10), B integer, constraint u_code unique (CODE, N))");
  exec("insert into W values (1, 'a', 2, 'c')");
  exec("insert into U values ('x', 1, 'a', 2)");
  for (const auto& [className, column, expected] :
       {std::tuple{keyed, 1, std::string("WHERE id = 1 AND a = a\n")},
        std::tuple{indexed, 2, std::string("WHERE code = x AND n = 1 AND a = a\n")}}) {
    auto row = first(className);
    row->setValueAsObject(column, Value("z"));
    EXPECT_EQ(row->save(), 1);
    const std::string statement = row->getStatement();
    EXPECT_EQ(statement.substr(statement.find("WHERE")), expected) << statement;
  }
}

TEST_F(PostgresRows, NumbersBytesAndFloatsRoundTripExactly) {
  const std::string p = rowClass("P", "");
  exec("create table P (ID integer, N numeric(12,4), U numeric, B bytea, F4 float4, F8 float8)");
  auto row = plat::lang::makeRef<JdbcTableRecord>(p);
  row->initDataStorage();
  row->setMarkedAsNew(true);
  const std::vector<std::uint8_t> bytes = {0, 1, 254, 255, 39, 92};
  row->setValueAsObject(0, Value(1));
  row->setValueAsObject(1, Value(plat::math::Decimal("12345678.12")));
  row->setValueAsObject(2, Value(plat::math::Decimal("123456789012345678901234567890.123456789")));
  row->setValueAsObject(3, Value::ofBytes(bytes));
  row->setValueAsObject(4, Value::ofFloat(0.1f));
  row->setValueAsObject(5, Value(0.1));
  EXPECT_EQ(row->save(), 1);

  auto back = first(p);
  // The declared scale widens the digits as stored; nothing is rounded.
  EXPECT_EQ(back->getValueAsString(1, 0), "12345678.1200");
  EXPECT_EQ(back->getValueAsString(2, 0), "123456789012345678901234567890.123456789");
  Value stream = back->getValueAsObject(3, 0);
  ASSERT_EQ(stream.kind(), Value::Kind::Stream);
  std::vector<std::uint8_t> read(16);
  read.resize(static_cast<std::size_t>(stream.getStream()->read(read.data(), read.size())));
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(back->getValueAsObject(4, 0), Value::ofFloat(0.1f));
  EXPECT_EQ(back->getValueAsObject(5, 0), Value(0.1));
  // Without a key every comparable column stands in the optimistic WHERE, so each must bind back exactly.
  back->setValueAsObject(2, Value(plat::math::Decimal("1.5")));
  EXPECT_EQ(back->save(), 1);
  EXPECT_EQ(first(p)->getValueAsString(2, 0), "1.5");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
#endif
