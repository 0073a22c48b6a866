#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/SessionMetaData.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::makeRef;
using quenlora::zafoli::db::pro::SessionMetaData;

TEST_F(RowlaceTest, TheSnapshotCarriesTheDatabasesMetadataAndAnswersSomeLocally) {
  auto session = open();
  auto md = session->getMetaData(session->getDefaultConnection());
  auto direct = server().database()->getMetaData();
  EXPECT_EQ(md->getDatabaseProductName(), direct->getDatabaseProductName());
  EXPECT_EQ(md->getIdentifierQuoteString(), direct->getIdentifierQuoteString());
  EXPECT_EQ(md->supportsTransactions(), direct->supportsTransactions());
  EXPECT_EQ(md->supportsANSI92FullSQL(), direct->supportsANSI92FullSQL());
  EXPECT_EQ(md->getMaxColumnsInTable(), direct->getMaxColumnsInTable());
  EXPECT_EQ(md->getDefaultTransactionIsolation(), direct->getDefaultTransactionIsolation());
  EXPECT_EQ(md->getDriverVersion(), direct->getDriverVersion());
  EXPECT_EQ(md->getURL(), server().recordSetUrl() + "/main");
  EXPECT_EQ(md->getDriverMajorVersion(), 1);
  EXPECT_EQ(md->getSQLKeywords(), direct->getSQLKeywords());
  EXPECT_EQ(md->supportsConvert(4, 12), direct->supportsConvert(4, 12));
  EXPECT_EQ(SessionMetaData::tableIndexOther, 3);

  auto design = makeRef<Session>(server().recordSetUrl());
  try {
    design->getMetaData(design->getDefaultConnection());
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "DatabaseMetaData is not available during DesignTime");
  }
}

TEST_F(RowlaceTest, CatalogAndSchemaArgumentsFollowTheTerms) {
  const struct {
    std::optional<std::string> catalogTerm;
    std::optional<std::string> schemaTerm;
    std::string catalogSent;
    std::string schemaSent;
  } cases[] = {
      {"", "", "", ""}, {"catalog", "", "cat", ""}, {"", "schema", "", "sch"}, {"catalog", "schema", "cat", "sch"}};
  auto session = open();
  for (const auto& c : cases) {
    server().setRecordSetTerms(c.catalogTerm, c.schemaTerm);
    server().server().clearRecords();
    auto md = session->getMetaData(session->getDefaultConnection());
    md->getTables("cat", "sch", "cust", std::nullopt);
    try {
      md->getCrossReference("a", "b", "cust", "d", "e", "orders");
    } catch (const plat::sql::SQLException&) {
      // The database may not answer cross references; what was sent is the point here.
    }
    const auto tables = calls(SessionMetaData::METHOD_getTables);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].args.size(), 3u);
    EXPECT_EQ(tables[0].args[0].text, c.catalogSent);
    EXPECT_EQ(tables[0].args[1].text, c.schemaSent);
    const auto cross = calls(SessionMetaData::METHOD_getCrossReference);
    ASSERT_EQ(cross.size(), 1u);
    EXPECT_EQ(cross[0].args[0].text, "a");
    EXPECT_EQ(cross[0].args[4].text, "e");
  }
}

TEST_F(RowlaceTest, CatalogViewsAreUnregisteredMultiViewsAndTheDataSourceListIsRegistered) {
  auto session = open();
  auto md = session->getMetaData(session->getDefaultConnection());
  auto tables = md->getTables("", "", "%", std::vector<std::string>{"TABLE"});
  EXPECT_EQ(calls(SessionMetaData::METHOD_getTables).back().args.size(), 4u);
  const int name = tables->findProjByName("TABLE_NAME");
  std::vector<std::string> names;
  for (bool on = tables->first(); on; on = tables->next()) {
    names.push_back(tables->getRecord()->row().getString(name).value_or(""));
  }
  EXPECT_EQ(names.size(), 3u);
  EXPECT_NE(std::find(names.begin(), names.end(), "orders"), names.end());
  EXPECT_EQ(session->openMultiViews(), 0u);

  auto sources = session->inquireDSN();
  EXPECT_EQ(session->openMultiViews(), 1u);
  ASSERT_TRUE(sources->first());
  EXPECT_EQ(sources->getRecord()->row().getString(1).value_or(""), "main");
  EXPECT_FALSE(sources->next());
}

}  // namespace
}  // namespace rowlacetest
