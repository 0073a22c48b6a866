// Row classes over a real SQLite file: the optimistic writes, transactions, long values and concurrent queries.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/beans/Beans.h"
#include "platform/io/InputStream.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/ResultSet.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "testkit/beans/JdbcTableRecord.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::JdbcTableRecord;

class SqliteRows : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& registry = plat::runvale::ClassRegistry::instance();
    registerJdbcClasses(registry);
    plat::sql::sqlite::registerSqliteDriverClass(registry);
    plat::beans::Beans::setDesignTime(false);
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = std::filesystem::temp_directory_path() / ("jdbc-rows-" + std::to_string(::getpid()) + "-" + name_ + ".db");
    std::filesystem::remove(path_);
    bean_ = newBean();
    bean_->setIdentifier("rows");
    manager_ = plat::lang::makeRef<ConnectionManager>();
    manager_->add(bean_);
    JdbcTableRecord::registerManager(registry, managerName(), manager_);
  }
  void TearDown() override {
    bean_->setConnectionClosed(true);
    std::filesystem::remove(path_);
  }
  std::string managerName() const { return "test.rows.Manager" + name_; }
  Ref<JdbcConnection> newBean() {
    return plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                               "jdbc:sqlite:" + path_.string(), "", "");
  }
  void exec(JdbcConnection& bean, const std::string& sql) {
    auto statement = bean.createStatement();
    bean.executeStatement(statement, sql, sql);
    bean.closeStatement(statement);
  }
  void exec(const std::string& sql) { exec(*bean_, sql); }
  int count(const std::string& sql) {
    auto statement = bean_->createStatement();
    auto rs = bean_->executeQuery(statement, sql, sql);
    rs->next();
    const int n = rs->getInt(1);
    bean_->closeStatement(statement);
    return n;
  }
  // A new row of the table's row class (registered on first use).
  Ref<JdbcTableRecord> rowOf(const std::string& table,
                             const std::optional<std::vector<std::string>>& columns = std::nullopt) {
    const std::string className = "test.rows." + name_ + "." + table;
    if (!plat::runvale::ClassRegistry::instance().isRegistered(className) || columns) {
      JdbcTableRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, table, managerName(), "rows",
                                     columns);
    }
    auto row = plat::lang::makeRef<JdbcTableRecord>(className);
    row->initDataStorage();
    return row;
  }
  std::vector<Ref<JdbcTableRecord>> read(const Ref<JdbcTableRecord>& rowClass, const std::string& where = "") {
    std::vector<Ref<JdbcTableRecord>> rows;
    auto all = rowClass->querySimilarObjects(where, {"1"});
    while (all->hasMoreElements()) rows.push_back(std::dynamic_pointer_cast<JdbcTableRecord>(all->nextElement()));
    return rows;
  }
  Ref<JdbcTableRecord> newRow(const std::string& table, const std::vector<Value>& values) {
    auto row = rowOf(table);
    row->setMarkedAsNew(true);
    for (std::size_t i = 0; i < values.size(); ++i) row->setValueAsObject(static_cast<int>(i), values[i]);
    return row;
  }

  std::string name_;
  std::filesystem::path path_;
  Ref<JdbcConnection> bean_;
  Ref<ConnectionManager> manager_;
};

TEST_F(SqliteRows, AKeyedTableIsWrittenWithTheValuesInTheLog) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  auto fresh = newRow("T", {Value(1), Value("a")});
  EXPECT_EQ(fresh->save(), 1);
  EXPECT_EQ(fresh->getStatement(), "INSERT INTO T( ID,NAME ) VALUES( 1,a )\n");
  EXPECT_FALSE(fresh->isDirty());  // auto-commit: the state is reset at once
  EXPECT_EQ(fresh->save(), 0);     // nothing left to write: no statement, no text
  EXPECT_EQ(fresh->getStatement(), "");

  auto rows = read(rowOf("T"));
  ASSERT_EQ(rows.size(), 1u);
  rows[0]->setValueAsObject(1, Value("b?"));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(rows[0]->getStatement(), "UPDATE T SET NAME = b? WHERE ID = 1 AND NAME = a\n");
  rows[0]->setMarkedAsDeleted(true);
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(rows[0]->getStatement(), "DELETE FROM T WHERE ID = 1\n");
  EXPECT_EQ(count("select count(*) from T"), 0);
}

TEST_F(SqliteRows, AKeylessTableComparesEveryColumnAndNullsWithoutMarkers) {
  exec("create table K (A INTEGER, B VARCHAR(10))");
  exec("insert into K values (1, NULL)");
  exec("insert into K values (2, 'x')");
  auto rows = read(rowOf("K"), "A = 1");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE(rows[0]->getValueAsObject(1, 0).isNull());
  rows[0]->setValueAsObject(1, Value("y"));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(rows[0]->getStatement(), "UPDATE K SET B = y WHERE A = 1 AND B IS NULL \n");
  EXPECT_EQ(count("select count(*) from K where B = 'y'"), 1);
}

// A REAL column holds a double: a value of 15 significant digits reads back whole, so the comparison of a keyless
// row's save finds the row.
TEST_F(SqliteRows, ARealOfFifteenDigitsIsComparedWhole) {
  exec("create table R (A INTEGER, X REAL, NAME VARCHAR(10))");
  exec("insert into R values (1, 0.123456789012345, 'a')");
  exec("insert into R values (2, -98765.4321098765, 'b')");
  auto rows = read(rowOf("R"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->getValueAsObject(1, 0), Value(0.123456789012345));
  EXPECT_EQ(rows[1]->getValueAsObject(1, 0), Value(-98765.4321098765));
  for (auto& row : rows) {
    row->setValueAsObject(2, Value("c"));
    EXPECT_EQ(row->save(), 1);
  }
  EXPECT_EQ(count("select count(*) from R where NAME = 'c'"), 2);
}

TEST_F(SqliteRows, OnlyAWholeKeyOrUniqueIndexIdentifiesARow) {
  exec("create table C (K1 INTEGER, K2 INTEGER, V VARCHAR(10), PRIMARY KEY (K1, K2))");
  exec("insert into C values (1, 1, 'a')");
  exec("insert into C values (1, 2, 'a')");
  // The row class reads K1 and V only: the key is not whole, so every usable column is compared.
  auto partial = read(rowOf("C", std::vector<std::string>{"K1", "V"}), "K2 = 2");
  ASSERT_EQ(partial.size(), 1u);
  partial[0]->setMarkedAsDeleted(true);
  EXPECT_EQ(partial[0]->getDeleteSQL(), "DELETE FROM C WHERE K1 = ? AND V = ?");

  exec("create table U (ID INTEGER, CODE VARCHAR(10), V VARCHAR(10))");
  exec("create unique index U_CODE on U (CODE)");
  exec("insert into U values (1, 'c', 'v')");
  auto byIndex = read(rowOf("U"));
  ASSERT_EQ(byIndex.size(), 1u);
  byIndex[0]->setValueAsObject(2, Value("w"));
  EXPECT_EQ(byIndex[0]->getUpdateSQL(), "UPDATE U SET V = ? WHERE CODE = ? AND V = ?");
  EXPECT_EQ(byIndex[0]->save(), 1);

  // A unique index holds any number of NULLs: a row whose key is NULL is told by all its usable columns.
  exec("insert into U values (2, NULL, 'v')");
  exec("insert into U values (3, NULL, 'v')");
  auto nullKeys = read(rowOf("U"), "ID = 2");
  ASSERT_EQ(nullKeys.size(), 1u);
  nullKeys[0]->setValueAsObject(2, Value("x"));
  EXPECT_EQ(nullKeys[0]->getUpdateSQL(), "UPDATE U SET V = ? WHERE ID = ? AND CODE IS NULL  AND V = ?");
  EXPECT_EQ(nullKeys[0]->save(), 1);
  EXPECT_EQ(count("select count(*) from U where V = 'x'"), 1);
}

TEST_F(SqliteRows, AWriteReachingTwoRowsInATransactionFails) {
  exec("create table D (A INTEGER, B VARCHAR(10))");
  exec("insert into D values (1, 'a')");
  exec("insert into D values (1, 'a')");
  auto rows = read(rowOf("D"));
  ASSERT_EQ(rows.size(), 2u);
  rows[0]->setValueAsObject(1, Value("b"));
  bean_->beginTransaction();
  try {
    rows[0]->save();
    FAIL() << "two rows matched";
  } catch (const RecordDefinitionException& e) {
    EXPECT_EQ(e.getMessage(), "More than one record matched in DB");
  }
  bean_->endTransaction(false);
  EXPECT_EQ(count("select count(*) from D where B = 'a'"), 2);
}

TEST_F(SqliteRows, ARowChangedByAnotherConnectionIsNotFound) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  exec("insert into T values (1, 'a')");
  auto rows = read(rowOf("T"));
  auto other = newBean();
  exec(*other, "update T set NAME = 'z' where ID = 1");
  other->setConnectionClosed(true);
  rows[0]->setValueAsObject(1, Value("b"));
  try {
    rows[0]->save();
    FAIL() << "the row changed under us";
  } catch (const RecordDefinitionException& e) {
    EXPECT_EQ(e.getMessage(), "Record could not be found in DB");
  }
  EXPECT_TRUE(rows[0]->getMarkedAsModified());
  EXPECT_EQ(rows[0]->getValueAsString(1, 0), "a");
}

TEST_F(SqliteRows, InsertedThenDeletedSavesNothingAndModifiedThenDeletedDeletes) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  exec("insert into T values (1, 'a')");
  auto fresh = newRow("T", {Value(2), Value("n")});
  fresh->setMarkedAsDeleted(true);
  EXPECT_EQ(fresh->save(), 0);
  auto rows = read(rowOf("T"));
  rows[0]->setValueAsObject(1, Value("b"));
  rows[0]->setMarkedAsDeleted(true);
  EXPECT_EQ(rows[0]->getOperation(), binding::PersistentObject::DELETED_OPERATION);
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(rows[0]->getStatement(), "DELETE FROM T WHERE ID = 1 AND NAME = a\n");
  EXPECT_EQ(count("select count(*) from T"), 0);
}

TEST_F(SqliteRows, InABeanTransactionTheStateWaitsForResetState) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  exec("insert into T values (1, 'a')");
  auto rows = read(rowOf("T"));
  bean_->beginTransaction();
  rows[0]->setValueAsObject(1, Value("b"));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_TRUE(rows[0]->getMarkedAsModified());
  bean_->endTransaction(true);
  rows[0]->resetState();
  EXPECT_FALSE(rows[0]->isDirty());
  rows[0]->setValueAsObject(1, Value("c"));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(rows[0]->getStatement(), "UPDATE T SET NAME = c WHERE ID = 1 AND NAME = b\n");
}

TEST_F(SqliteRows, LongBinaryAndLongTextTravelWhole) {
  exec("create table L (ID INTEGER PRIMARY KEY, DATA BLOB, TXT TEXT)");
  std::vector<std::uint8_t> bytes(10000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  const std::string text(9000, 'q');
  auto fresh = newRow("L", {Value(1), Value::ofBytes(bytes), Value(text)});
  EXPECT_EQ(fresh->save(), 1);
  auto rows = read(rowOf("L"));
  ASSERT_EQ(rows.size(), 1u);
  Value stream = rows[0]->getValueAsObject(1, 0);
  ASSERT_EQ(stream.kind(), Value::Kind::Stream);
  std::vector<std::uint8_t> back(12000);
  std::size_t got = 0;
  for (int n; (n = stream.getStream()->read(back.data() + got, back.size() - got)) > 0;) got += n;
  back.resize(got);
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(rows[0]->getValueAsString(2, 0), text);
  // Neither long column stands in the predicate.
  rows[0]->setValueAsObject(2, Value("short"));
  EXPECT_EQ(rows[0]->save(), 1);
  EXPECT_EQ(count("select count(*) from L where TXT = 'short' and length(DATA) = 10000"), 1);
}

TEST_F(SqliteRows, TwoQueriesOfOneRowClassKeepTheirOwnStatements) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  for (int i = 1; i <= 5; ++i) exec("insert into T values (" + std::to_string(i) + ", 'n')");
  auto rowClass = rowOf("T");
  auto first = rowClass->querySimilarObjects("", {"ID"});
  ASSERT_TRUE(first->hasMoreElements());
  first->nextElement();
  EXPECT_EQ(read(rowClass, "ID > 2").size(), 3u);
  int rest = 0;
  while (first->hasMoreElements()) {
    first->nextElement();
    ++rest;
  }
  EXPECT_EQ(rest, 4);
  EXPECT_THROW(first->nextElement(), plat::util::NoSuchElementException);
  // Every statement went back to the bean: nothing stays open on its connection.
  EXPECT_EQ(bean_->poolCounts(), std::vector<int>{0});
}

TEST_F(SqliteRows, TheRegistryCountsOneUserPerRowClass) {
  exec("create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  auto a = rowOf("T");
  auto b = rowOf("T");
  EXPECT_EQ(a->getJdbcConnection(), b->getJdbcConnection());
  EXPECT_EQ(manager_->getCount("rows"), 1);
  a->releaseConnection();
  EXPECT_EQ(manager_->getCount("rows"), 0);
}

TEST_F(SqliteRows, ARegistryWithoutTheBeanIsAskedAgainLater) {
  const std::string className = "test.rows." + name_ + ".Later";
  JdbcTableRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, "T", managerName(), "later");
  auto row = plat::lang::makeRef<JdbcTableRecord>(className);
  EXPECT_EQ(row->getJdbcConnection(), nullptr);
  try {
    row->save();
    FAIL() << "no bean";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "The connection is closedsave");
  }
  auto later = newBean();
  later->setIdentifier("later");
  manager_->add(later);
  EXPECT_EQ(row->getJdbcConnection(), later);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
