// A table's primary key and indexes from the PostgreSQL catalogue, with the columns and order the interface gives,
// for keys and unique indexes of several shapes; names as written unquoted find the server's lower-case ones.
#if __has_include(<libpq-fe.h>)
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/pq/PqDriver.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "testkit/postgres/PostgresServer.h"

namespace plat::sql::pq {
namespace {

using testkit::PostgresServer;

// Each row's chosen columns, joined by '|', one text per row.
std::vector<std::string> rowsOf(const plat::lang::Ref<ResultSet>& rs, std::vector<int> columns) {
  std::vector<std::string> out;
  while (rs->next()) {
    std::string line;
    for (int c : columns) {
      const std::string value = rs->getString(c);
      line += (line.empty() ? "" : "|") + (rs->wasNull() ? std::string("null") : value);
    }
    out.push_back(line);
  }
  return out;
}

TEST(PqCatalog, KeysAndIndexesComeFromTheCatalogue) {
  std::string whyNot;
  PostgresServer* server = PostgresServer::shared(whyNot);
  if (server == nullptr) FAIL() << whyNot;
  registerPqDriver();
  const std::string database = server->createDatabase();
  auto c = DriverManager::getConnection(server->url(database), PostgresServer::kUser, PostgresServer::kPassword);
  auto ddl = c->createStatement();
  ddl->executeUpdate("create table Pairs (X int, Y text, Z int, primary key (Y, X))");
  ddl->executeUpdate("create table codes (id int, code text, n int, constraint codes_code unique (code, n))");
  ddl->executeUpdate("create unique index codes_lower on codes (lower(code))");
  ddl->executeUpdate("create index codes_n on codes (n desc)");
  ddl->executeUpdate("create unique index codes_open on codes (id) include (n) where n > 0");
  ddl->executeUpdate("create schema hidden");
  ddl->executeUpdate("create table hidden.Pairs (k int primary key)");
  auto meta = c->getMetaData();

  // Columns 4-6: COLUMN_NAME, KEY_SEQ, PK_NAME, ordered by column name.
  EXPECT_EQ(
      rowsOf(meta->getPrimaryKeys(std::nullopt, std::nullopt, "PAIRS"), {1, 2, 3, 4, 5, 6}),
      (std::vector<std::string>{database + "|public|pairs|x|2|pairs_pkey", database + "|public|pairs|y|1|pairs_pkey"}));
  EXPECT_EQ(rowsOf(meta->getPrimaryKeys(std::nullopt, std::string("hidden"), "pairs"), {2, 4}),
            (std::vector<std::string>{"hidden|k"}));
  EXPECT_TRUE(rowsOf(meta->getPrimaryKeys(std::nullopt, std::nullopt, "codes"), {4}).empty());
  EXPECT_TRUE(rowsOf(meta->getPrimaryKeys(std::nullopt, std::nullopt, "nosuch"), {4}).empty());

  // NON_UNIQUE, INDEX_NAME, TYPE, ORDINAL_POSITION, COLUMN_NAME, ASC_OR_DESC, FILTER_CONDITION: the unique ones
  // first, by name; the expression index is left out, the include column too.
  const std::vector<int> shown = {4, 6, 7, 8, 9, 10, 13};
  EXPECT_EQ(rowsOf(meta->getIndexInfo(std::nullopt, std::nullopt, "codes", true, false), shown),
            (std::vector<std::string>{"f|codes_code|3|1|code|A|null", "f|codes_code|3|2|n|A|null",
                                      "f|codes_open|3|1|id|A|(n > 0)"}));
  EXPECT_EQ(rowsOf(meta->getIndexInfo(std::nullopt, std::nullopt, "codes", false, false), shown).back(),
            "t|codes_n|3|1|n|D|null");
  auto typed = meta->getIndexInfo(std::nullopt, std::nullopt, "Pairs", true, false);
  ASSERT_TRUE(typed->next());
  EXPECT_FALSE(typed->getBoolean(4));
  EXPECT_EQ(typed->getShort(7), DatabaseMetaData::tableIndexOther);
  EXPECT_EQ(typed->getString(6), "pairs_pkey");
  c->close();
}

}  // namespace
}  // namespace plat::sql::pq
#endif
