// The catalog queries the driver adds over SQLite's own tables. The type catalog: one row per type name the driver
// reads back as the same JDBC type, so a program that creates a column from a row of getTypeInfo gets that type from
// the column's metadata.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteDriver.h"

namespace plat::sql::sqlite {
namespace {

TEST(SqliteTypeInfo, EveryRowNamesATypeThatReadsBackAsItsDataType) {
  registerSqliteDriver();
  auto connection = DriverManager::getConnection("jdbc:sqlite::memory:");
  auto rs = connection->getMetaData()->getTypeInfo();
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->getMetaData()->getColumnCount(), 18);
  EXPECT_EQ(rs->findColumn("TYPE_NAME"), 1);
  EXPECT_EQ(rs->findColumn("NUM_PREC_RADIX"), 18);
  std::set<int> types;
  int previous = -1000;
  int rows = 0;
  while (rs->next()) {
    ++rows;
    const std::string name = rs->getString("TYPE_NAME");
    const int type = rs->getInt("DATA_TYPE");
    EXPECT_GE(type, previous) << name << ": rows are ordered by DATA_TYPE";
    previous = type;
    types.insert(type);
    auto stmt = connection->createStatement();
    stmt->executeUpdate("create table probe (c " + name + ")");
    auto probe = stmt->executeQuery("select c from probe");
    EXPECT_EQ(probe->getMetaData()->getColumnType(1), type) << name;
    probe->close();
    stmt->executeUpdate("drop table probe");
  }
  EXPECT_EQ(rows, 19);
  for (int t : {Types::INTEGER, Types::VARCHAR, Types::LONGVARCHAR, Types::LONGVARBINARY, Types::TIMESTAMP}) {
    EXPECT_TRUE(types.count(t)) << t;
  }
}

}  // namespace
}  // namespace plat::sql::sqlite

namespace plat::sql::sqlite {
namespace {

using plat::lang::Ref;

struct KeyRow {
  std::string pkTable, pkColumn, fkTable, fkColumn;
  int seq, updateRule, deleteRule;
};

std::vector<KeyRow> keysOf(const Ref<ResultSet>& rs) {
  std::vector<KeyRow> out;
  while (rs->next()) {
    out.push_back({rs->getString("PKTABLE_NAME"), rs->getString("PKCOLUMN_NAME"), rs->getString("FKTABLE_NAME"),
                   rs->getString("FKCOLUMN_NAME"), rs->getInt("KEY_SEQ"), rs->getInt("UPDATE_RULE"),
                   rs->getInt("DELETE_RULE")});
  }
  return out;
}

TEST(SqliteForeignKeys, ImportedAndExportedKeysWithRulesAndImplicitParentColumns) {
  registerSqliteDriver();
  auto connection = DriverManager::getConnection("jdbc:sqlite::memory:");
  connection->createStatement()->executeUpdate("create table parent (a integer, b integer, primary key (a, b))");
  connection->createStatement()->executeUpdate(
      "create table child (x integer, y integer, p integer references parent on delete cascade, "
      "foreign key (x, y) references parent (a, b) on update set null)");
  auto md = connection->getMetaData();

  const auto imported = keysOf(md->getImportedKeys(std::nullopt, std::nullopt, "child"));
  ASSERT_EQ(imported.size(), 3u);
  // The key that names no parent column refers to the parent's primary key.
  int implicitKey = 0;
  for (const auto& k : imported) {
    EXPECT_EQ(k.pkTable, "parent");
    EXPECT_EQ(k.fkTable, "child");
    if (k.fkColumn == "p") {
      ++implicitKey;
      EXPECT_EQ(k.pkColumn, "a");
      EXPECT_EQ(k.deleteRule, DatabaseMetaData::importedKeyCascade);
    }
    if (k.fkColumn == "y") {
      EXPECT_EQ(k.pkColumn, "b");
      EXPECT_EQ(k.seq, 2);
      EXPECT_EQ(k.updateRule, DatabaseMetaData::importedKeySetNull);
    }
  }
  EXPECT_EQ(implicitKey, 1);

  const auto exported = keysOf(md->getExportedKeys(std::nullopt, std::nullopt, "PARENT"));
  EXPECT_EQ(exported.size(), 3u);
  EXPECT_TRUE(keysOf(md->getExportedKeys(std::nullopt, std::nullopt, "child")).empty());

  auto procedures = md->getProcedures(std::nullopt, std::nullopt, "%");
  EXPECT_FALSE(procedures->next());
  EXPECT_EQ(procedures->findColumn("PROCEDURE_NAME"), 3);
}

}  // namespace
}  // namespace plat::sql::sqlite
