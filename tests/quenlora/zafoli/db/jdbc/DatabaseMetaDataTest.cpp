// The database-metadata proxy: the method table, every plain call's number and reply kind, the catalog and schema
// term rule, local answers, and the result sets it tracks.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string_view>

#include "JdbcTestSupport.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaData.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaDataMethods.h"

namespace {

using jdbctest::Arg;
using jdbctest::Encoded;
using jdbctest::MwEncode;
using jdbctest::ScriptedObject;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using quenlora::zafoli::db::jdbc::kMetaMethods;
using quenlora::zafoli::db::jdbc::MetaReply;
using M = plat::sql::DatabaseMetaData;

class MetaDataTest : public ::testing::Test {
 protected:
  MetaDataTest() : conn_(s_.connect()) {
    auto meta = s_.addObject();
    metaId_ = meta.first;
    meta_ = meta.second;
    s_.connection().on(9, {MwEncode::dataInt(metaId_)});
    md_ = conn_->getMetaData();
    s_.clear();
  }

  // Catalog and schema terms of the server.
  void terms(const std::string& catalog, const std::string& schema) {
    meta_->on(59, {SqlEncode::text(catalog)});
    meta_->on(57, {SqlEncode::text(schema)});
  }
  // Every catalog query answers with a fresh scripted result set.
  void answerQueries() {
    for (int m = 115; m <= 131; ++m) {
      meta_->on(m, [this](const std::vector<Arg>&) {
        auto rs = s_.addObject();
        resultSets_.push_back(rs.first);
        return jdbctest::queryReply(rs.first, jdbctest::columnsOfSizes({10}));
      });
    }
  }

  ScriptedServer s_;
  plat::lang::Ref<plat::sql::Connection> conn_;
  std::int32_t metaId_ = 0;
  std::shared_ptr<ScriptedObject> meta_;
  plat::lang::Ref<plat::sql::DatabaseMetaData> md_;
  std::vector<std::int32_t> resultSets_;
};

TEST(MetaDataTable, NumberedInOrderWithKnownShapes) {
  ASSERT_EQ(kMetaMethods.size(), 135u);
  std::set<std::string_view> constants;
  for (std::size_t i = 0; i < kMetaMethods.size(); ++i) {
    EXPECT_EQ(kMetaMethods[i].number, static_cast<int>(i));
    EXPECT_TRUE(constants.insert(kMetaMethods[i].constant).second) << kMetaMethods[i].constant;
    for (char a : kMetaMethods[i].args) EXPECT_NE(std::string_view("CSTIBL").find(a), std::string_view::npos);
  }
  using D = quenlora::zafoli::db::jdbc::DatabaseMetaData;
  EXPECT_EQ(D::METHOD_getURL, 2);
  EXPECT_EQ(D::METHOD_supportsConvert, 37);
  EXPECT_EQ(D::METHOD_supportsConvert2, 38);
  EXPECT_EQ(D::METHOD_getSchemaTerm, 57);
  EXPECT_EQ(D::METHOD_getCatalogTerm, 59);
  EXPECT_EQ(D::METHOD_supportsSchemasInDML, 62);
  EXPECT_EQ(D::METHOD_supportsCatalogsInDML, 67);
  EXPECT_EQ(D::METHOD_supportsTransactionIsolationLevel, 110);
  EXPECT_EQ(D::METHOD_supportsDDLAndDMLTransactions, 111);
  EXPECT_EQ(D::METHOD_getTables, 117);
  EXPECT_EQ(D::METHOD_getCrossReference, 129);
  EXPECT_EQ(D::METHOD_getIndexInfo, 131);
  EXPECT_EQ(D::METHOD_supportsANSI92FullLevelSQL, 134);
  EXPECT_EQ(kMetaMethods[117].args, "CSTL");
  EXPECT_EQ(kMetaMethods[124].args, "CSTIB");
  EXPECT_EQ(kMetaMethods[129].args, "TTTTTT");
  EXPECT_EQ(kMetaMethods[13].reply, MetaReply::Local);
}

TEST_F(MetaDataTest, EveryPlainCallSendsItsNumberAndReadsItsKind) {
  const std::map<std::string_view, std::function<plat::lang::Value(M&)>> calls = {
      {"allProceduresAreCallable", [](M& m) { return plat::lang::Value(m.allProceduresAreCallable()); }},
      {"allTablesAreSelectable", [](M& m) { return plat::lang::Value(m.allTablesAreSelectable()); }},
      {"getUserName", [](M& m) { return plat::lang::Value(m.getUserName()); }},
      {"isReadOnly", [](M& m) { return plat::lang::Value(m.isReadOnly()); }},
      {"nullsAreSortedHigh", [](M& m) { return plat::lang::Value(m.nullsAreSortedHigh()); }},
      {"nullsAreSortedLow", [](M& m) { return plat::lang::Value(m.nullsAreSortedLow()); }},
      {"nullsAreSortedAtStart", [](M& m) { return plat::lang::Value(m.nullsAreSortedAtStart()); }},
      {"nullsAreSortedAtEnd", [](M& m) { return plat::lang::Value(m.nullsAreSortedAtEnd()); }},
      {"getDatabaseProductName", [](M& m) { return plat::lang::Value(m.getDatabaseProductName()); }},
      {"getDatabaseProductVersion", [](M& m) { return plat::lang::Value(m.getDatabaseProductVersion()); }},
      {"getDriverName", [](M& m) { return plat::lang::Value(m.getDriverName()); }},
      {"getDriverVersion", [](M& m) { return plat::lang::Value(m.getDriverVersion()); }},
      {"usesLocalFiles", [](M& m) { return plat::lang::Value(m.usesLocalFiles()); }},
      {"usesLocalFilePerTable", [](M& m) { return plat::lang::Value(m.usesLocalFilePerTable()); }},
      {"supportsMixedCaseIdentifiers", [](M& m) { return plat::lang::Value(m.supportsMixedCaseIdentifiers()); }},
      {"storesUpperCaseIdentifiers", [](M& m) { return plat::lang::Value(m.storesUpperCaseIdentifiers()); }},
      {"storesLowerCaseIdentifiers", [](M& m) { return plat::lang::Value(m.storesLowerCaseIdentifiers()); }},
      {"storesMixedCaseIdentifiers", [](M& m) { return plat::lang::Value(m.storesMixedCaseIdentifiers()); }},
      {"supportsMixedCaseQuotedIdentifiers",
       [](M& m) { return plat::lang::Value(m.supportsMixedCaseQuotedIdentifiers()); }},
      {"storesUpperCaseQuotedIdentifiers",
       [](M& m) { return plat::lang::Value(m.storesUpperCaseQuotedIdentifiers()); }},
      {"storesLowerCaseQuotedIdentifiers",
       [](M& m) { return plat::lang::Value(m.storesLowerCaseQuotedIdentifiers()); }},
      {"storesMixedCaseQuotedIdentifiers",
       [](M& m) { return plat::lang::Value(m.storesMixedCaseQuotedIdentifiers()); }},
      {"getIdentifierQuoteString", [](M& m) { return plat::lang::Value(m.getIdentifierQuoteString()); }},
      {"getSQLKeywords", [](M& m) { return plat::lang::Value(m.getSQLKeywords()); }},
      {"getNumericFunctions", [](M& m) { return plat::lang::Value(m.getNumericFunctions()); }},
      {"getStringFunctions", [](M& m) { return plat::lang::Value(m.getStringFunctions()); }},
      {"getSystemFunctions", [](M& m) { return plat::lang::Value(m.getSystemFunctions()); }},
      {"getTimeDateFunctions", [](M& m) { return plat::lang::Value(m.getTimeDateFunctions()); }},
      {"getSearchStringEscape", [](M& m) { return plat::lang::Value(m.getSearchStringEscape()); }},
      {"getExtraNameCharacters", [](M& m) { return plat::lang::Value(m.getExtraNameCharacters()); }},
      {"supportsAlterTableWithAddColumn", [](M& m) { return plat::lang::Value(m.supportsAlterTableWithAddColumn()); }},
      {"supportsAlterTableWithDropColumn",
       [](M& m) { return plat::lang::Value(m.supportsAlterTableWithDropColumn()); }},
      {"supportsColumnAliasing", [](M& m) { return plat::lang::Value(m.supportsColumnAliasing()); }},
      {"nullPlusNonNullIsNull", [](M& m) { return plat::lang::Value(m.nullPlusNonNullIsNull()); }},
      {"supportsConvert", [](M& m) { return plat::lang::Value(m.supportsConvert()); }},
      {"supportsTableCorrelationNames", [](M& m) { return plat::lang::Value(m.supportsTableCorrelationNames()); }},
      {"supportsDifferentTableCorrelationNames",
       [](M& m) { return plat::lang::Value(m.supportsDifferentTableCorrelationNames()); }},
      {"supportsExpressionsInOrderBy", [](M& m) { return plat::lang::Value(m.supportsExpressionsInOrderBy()); }},
      {"supportsOrderByUnrelated", [](M& m) { return plat::lang::Value(m.supportsOrderByUnrelated()); }},
      {"supportsGroupBy", [](M& m) { return plat::lang::Value(m.supportsGroupBy()); }},
      {"supportsGroupByUnrelated", [](M& m) { return plat::lang::Value(m.supportsGroupByUnrelated()); }},
      {"supportsGroupByBeyondSelect", [](M& m) { return plat::lang::Value(m.supportsGroupByBeyondSelect()); }},
      {"supportsLikeEscapeClause", [](M& m) { return plat::lang::Value(m.supportsLikeEscapeClause()); }},
      {"supportsMultipleResultSets", [](M& m) { return plat::lang::Value(m.supportsMultipleResultSets()); }},
      {"supportsMultipleTransactions", [](M& m) { return plat::lang::Value(m.supportsMultipleTransactions()); }},
      {"supportsNonNullableColumns", [](M& m) { return plat::lang::Value(m.supportsNonNullableColumns()); }},
      {"supportsMinimumSQLGrammar", [](M& m) { return plat::lang::Value(m.supportsMinimumSQLGrammar()); }},
      {"supportsCoreSQLGrammar", [](M& m) { return plat::lang::Value(m.supportsCoreSQLGrammar()); }},
      {"supportsExtendedSQLGrammar", [](M& m) { return plat::lang::Value(m.supportsExtendedSQLGrammar()); }},
      {"supportsIntegrityEnhancementFacility",
       [](M& m) { return plat::lang::Value(m.supportsIntegrityEnhancementFacility()); }},
      {"supportsOuterJoins", [](M& m) { return plat::lang::Value(m.supportsOuterJoins()); }},
      {"supportsFullOuterJoins", [](M& m) { return plat::lang::Value(m.supportsFullOuterJoins()); }},
      {"supportsLimitedOuterJoins", [](M& m) { return plat::lang::Value(m.supportsLimitedOuterJoins()); }},
      {"getSchemaTerm", [](M& m) { return plat::lang::Value(m.getSchemaTerm()); }},
      {"getProcedureTerm", [](M& m) { return plat::lang::Value(m.getProcedureTerm()); }},
      {"getCatalogTerm", [](M& m) { return plat::lang::Value(m.getCatalogTerm()); }},
      {"isCatalogAtStart", [](M& m) { return plat::lang::Value(m.isCatalogAtStart()); }},
      {"getCatalogSeparator", [](M& m) { return plat::lang::Value(m.getCatalogSeparator()); }},
      {"supportsSchemasInDataManipulation",
       [](M& m) { return plat::lang::Value(m.supportsSchemasInDataManipulation()); }},
      {"supportsSchemasInProcedureCalls", [](M& m) { return plat::lang::Value(m.supportsSchemasInProcedureCalls()); }},
      {"supportsSchemasInTableDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsSchemasInTableDefinitions()); }},
      {"supportsSchemasInIndexDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsSchemasInIndexDefinitions()); }},
      {"supportsSchemasInPrivilegeDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsSchemasInPrivilegeDefinitions()); }},
      {"supportsCatalogsInDataManipulation",
       [](M& m) { return plat::lang::Value(m.supportsCatalogsInDataManipulation()); }},
      {"supportsCatalogsInProcedureCalls",
       [](M& m) { return plat::lang::Value(m.supportsCatalogsInProcedureCalls()); }},
      {"supportsCatalogsInTableDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsCatalogsInTableDefinitions()); }},
      {"supportsCatalogsInIndexDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsCatalogsInIndexDefinitions()); }},
      {"supportsCatalogsInPrivilegeDefinitions",
       [](M& m) { return plat::lang::Value(m.supportsCatalogsInPrivilegeDefinitions()); }},
      {"supportsPositionedDelete", [](M& m) { return plat::lang::Value(m.supportsPositionedDelete()); }},
      {"supportsPositionedUpdate", [](M& m) { return plat::lang::Value(m.supportsPositionedUpdate()); }},
      {"supportsSelectForUpdate", [](M& m) { return plat::lang::Value(m.supportsSelectForUpdate()); }},
      {"supportsStoredProcedures", [](M& m) { return plat::lang::Value(m.supportsStoredProcedures()); }},
      {"supportsSubqueriesInComparisons", [](M& m) { return plat::lang::Value(m.supportsSubqueriesInComparisons()); }},
      {"supportsSubqueriesInExists", [](M& m) { return plat::lang::Value(m.supportsSubqueriesInExists()); }},
      {"supportsSubqueriesInIns", [](M& m) { return plat::lang::Value(m.supportsSubqueriesInIns()); }},
      {"supportsSubqueriesInQuantifieds", [](M& m) { return plat::lang::Value(m.supportsSubqueriesInQuantifieds()); }},
      {"supportsCorrelatedSubqueries", [](M& m) { return plat::lang::Value(m.supportsCorrelatedSubqueries()); }},
      {"supportsUnion", [](M& m) { return plat::lang::Value(m.supportsUnion()); }},
      {"supportsUnionAll", [](M& m) { return plat::lang::Value(m.supportsUnionAll()); }},
      {"supportsOpenCursorsAcrossCommit", [](M& m) { return plat::lang::Value(m.supportsOpenCursorsAcrossCommit()); }},
      {"supportsOpenCursorsAcrossRollback",
       [](M& m) { return plat::lang::Value(m.supportsOpenCursorsAcrossRollback()); }},
      {"supportsOpenStatementsAcrossCommit",
       [](M& m) { return plat::lang::Value(m.supportsOpenStatementsAcrossCommit()); }},
      {"supportsOpenStatementsAcrossRollback",
       [](M& m) { return plat::lang::Value(m.supportsOpenStatementsAcrossRollback()); }},
      {"getMaxBinaryLiteralLength", [](M& m) { return plat::lang::Value(m.getMaxBinaryLiteralLength()); }},
      {"getMaxCharLiteralLength", [](M& m) { return plat::lang::Value(m.getMaxCharLiteralLength()); }},
      {"getMaxColumnNameLength", [](M& m) { return plat::lang::Value(m.getMaxColumnNameLength()); }},
      {"getMaxColumnsInGroupBy", [](M& m) { return plat::lang::Value(m.getMaxColumnsInGroupBy()); }},
      {"getMaxColumnsInIndex", [](M& m) { return plat::lang::Value(m.getMaxColumnsInIndex()); }},
      {"getMaxColumnsInOrderBy", [](M& m) { return plat::lang::Value(m.getMaxColumnsInOrderBy()); }},
      {"getMaxColumnsInSelect", [](M& m) { return plat::lang::Value(m.getMaxColumnsInSelect()); }},
      {"getMaxColumnsInTable", [](M& m) { return plat::lang::Value(m.getMaxColumnsInTable()); }},
      {"getMaxConnections", [](M& m) { return plat::lang::Value(m.getMaxConnections()); }},
      {"getMaxCursorNameLength", [](M& m) { return plat::lang::Value(m.getMaxCursorNameLength()); }},
      {"getMaxIndexLength", [](M& m) { return plat::lang::Value(m.getMaxIndexLength()); }},
      {"getMaxSchemaNameLength", [](M& m) { return plat::lang::Value(m.getMaxSchemaNameLength()); }},
      {"getMaxProcedureNameLength", [](M& m) { return plat::lang::Value(m.getMaxProcedureNameLength()); }},
      {"getMaxCatalogNameLength", [](M& m) { return plat::lang::Value(m.getMaxCatalogNameLength()); }},
      {"getMaxRowSize", [](M& m) { return plat::lang::Value(m.getMaxRowSize()); }},
      {"doesMaxRowSizeIncludeBlobs", [](M& m) { return plat::lang::Value(m.doesMaxRowSizeIncludeBlobs()); }},
      {"getMaxStatementLength", [](M& m) { return plat::lang::Value(m.getMaxStatementLength()); }},
      {"getMaxStatements", [](M& m) { return plat::lang::Value(m.getMaxStatements()); }},
      {"getMaxTableNameLength", [](M& m) { return plat::lang::Value(m.getMaxTableNameLength()); }},
      {"getMaxTablesInSelect", [](M& m) { return plat::lang::Value(m.getMaxTablesInSelect()); }},
      {"getMaxUserNameLength", [](M& m) { return plat::lang::Value(m.getMaxUserNameLength()); }},
      {"getDefaultTransactionIsolation", [](M& m) { return plat::lang::Value(m.getDefaultTransactionIsolation()); }},
      {"supportsTransactions", [](M& m) { return plat::lang::Value(m.supportsTransactions()); }},
      {"supportsDataDefinitionAndDataManipulationTransactions",
       [](M& m) { return plat::lang::Value(m.supportsDataDefinitionAndDataManipulationTransactions()); }},
      {"supportsDataManipulationTransactionsOnly",
       [](M& m) { return plat::lang::Value(m.supportsDataManipulationTransactionsOnly()); }},
      {"dataDefinitionCausesTransactionCommit",
       [](M& m) { return plat::lang::Value(m.dataDefinitionCausesTransactionCommit()); }},
      {"dataDefinitionIgnoredInTransactions",
       [](M& m) { return plat::lang::Value(m.dataDefinitionIgnoredInTransactions()); }},
      {"supportsANSI92EntryLevelSQL", [](M& m) { return plat::lang::Value(m.supportsANSI92EntryLevelSQL()); }},
      {"supportsANSI92IntermediateSQL", [](M& m) { return plat::lang::Value(m.supportsANSI92IntermediateSQL()); }},
      {"supportsANSI92FullSQL", [](M& m) { return plat::lang::Value(m.supportsANSI92FullSQL()); }},
  };
  for (const auto& method : kMetaMethods) {
    switch (method.reply) {
      case MetaReply::Boolean:
        meta_->on(method.number, {SqlEncode::boolean(method.number % 2 == 1)});
        break;
      case MetaReply::Integer:
        meta_->on(method.number, {MwEncode::dataInt(1000 + method.number)});
        break;
      case MetaReply::Text:
        meta_->on(method.number, {SqlEncode::text("t" + std::to_string(method.number))});
        break;
      default:
        break;
    }
  }
  std::size_t checked = 0;
  for (const auto& method : kMetaMethods) {
    if (!method.args.empty() || method.reply == MetaReply::ResultSet || method.reply == MetaReply::Local) continue;
    SCOPED_TRACE(std::string(method.operation));
    auto it = calls.find(method.operation);
    ASSERT_NE(it, calls.end());
    s_.clear();
    const plat::lang::Value answer = it->second(*md_);
    ASSERT_EQ(s_.methods(metaId_), std::vector<int>{method.number});
    EXPECT_TRUE(s_.calls(metaId_)[0].args.empty());
    switch (method.reply) {
      case MetaReply::Boolean:
        EXPECT_TRUE(answer.equals(plat::lang::Value(method.number % 2 == 1)));
        break;
      case MetaReply::Integer:
        EXPECT_TRUE(answer.equals(plat::lang::Value::ofInt(1000 + method.number)));
        break;
      default:
        EXPECT_TRUE(answer.equals(plat::lang::Value("t" + std::to_string(method.number))));
    }
    ++checked;
  }
  EXPECT_EQ(checked, calls.size());
}

TEST_F(MetaDataTest, LocalAnswersSendNothing) {
  EXPECT_EQ(md_->getURL(), s_.url());
  EXPECT_EQ(md_->getDriverMajorVersion(), 1);
  EXPECT_EQ(md_->getDriverMinorVersion(), 21);
  EXPECT_TRUE(s_.server().commands().empty());
}

TEST_F(MetaDataTest, CallsWithValueArguments) {
  meta_->on(37, {SqlEncode::boolean(true)});
  meta_->on(38, {SqlEncode::boolean(false)});
  meta_->on(110, {SqlEncode::boolean(true)});
  EXPECT_TRUE(md_->supportsConvert());
  EXPECT_FALSE(md_->supportsConvert(4, 12));
  EXPECT_TRUE(md_->supportsTransactionIsolationLevel(8));
  const auto calls = s_.calls(metaId_);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].method, 37);
  EXPECT_TRUE(calls[0].args.empty());
  EXPECT_EQ(calls[1].method, 38);
  ASSERT_EQ(calls[1].args.size(), 2u);
  EXPECT_EQ(calls[1].args[0].asInt(), 4);
  EXPECT_EQ(calls[1].args[1].asInt(), 12);
  EXPECT_EQ(calls[2].method, 110);
  ASSERT_EQ(calls[2].args.size(), 1u);
  EXPECT_EQ(calls[2].args[0].asInt(), 8);
}

TEST_F(MetaDataTest, CatalogAndSchemaFollowTheServersTerms) {
  answerQueries();
  struct Case {
    std::string catalogTerm, schemaTerm;
    std::string catalogSent, schemaSent;
  };
  const std::vector<Case> cases = {
      {"", "schema", "", "sp"},
      {"catalog", "", "cat", ""},
      {"catalog", "schema", "cat", "sp"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.catalogTerm + "/" + c.schemaTerm);
    terms(c.catalogTerm, c.schemaTerm);
    s_.clear();
    auto rs = md_->getTables(std::string("cat"), std::string("sp"), "tp", std::vector<std::string>{"TABLE", "VIEW"});
    ASSERT_NE(rs, nullptr);
    const auto calls = s_.calls(metaId_);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].method, 59);
    EXPECT_EQ(calls[1].method, 57);
    EXPECT_EQ(calls[2].method, 117);
    std::vector<std::string> texts;
    for (const auto& a : calls[2].args) {
      EXPECT_EQ(a.kind, 58);
      texts.push_back(a.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{c.catalogSent, c.schemaSent, "tp", "TABLE", "VIEW"}));
  }
  // Without a type list three texts go; a missing catalog is an empty text.
  terms("catalog", "schema");
  s_.clear();
  md_->getTables(std::nullopt, std::nullopt, "%", std::nullopt);
  const auto args = s_.calls(metaId_).back().args;
  ASSERT_EQ(args.size(), 3u);
  EXPECT_EQ(args[0].text, "");
  EXPECT_EQ(args[2].text, "%");
}

TEST_F(MetaDataTest, CatalogQueriesSendTheirArguments) {
  answerQueries();
  terms("catalog", "schema");
  s_.clear();
  md_->getBestRowIdentifier(std::string("c"), std::string("s"), "t", 2, true);
  auto args = s_.calls(metaId_).back().args;
  ASSERT_EQ(args.size(), 5u);
  EXPECT_EQ(args[2].text, "t");
  EXPECT_EQ(args[3].type, 101);
  EXPECT_EQ(args[3].asInt(), 2);
  EXPECT_EQ(args[4].type, 104);
  EXPECT_TRUE(jdbctest::argBool(args[4]));

  md_->getIndexInfo(std::string("c"), std::string("s"), "t", false, true);
  args = s_.calls(metaId_).back().args;
  ASSERT_EQ(args.size(), 5u);
  EXPECT_FALSE(jdbctest::argBool(args[3]));
  EXPECT_TRUE(jdbctest::argBool(args[4]));

  // The cross reference sends its six texts as given, without asking for the terms.
  s_.clear();
  md_->getCrossReference(std::string("pc"), std::nullopt, "pt", std::string("fc"), std::string("fs"), "ft");
  const auto calls = s_.calls(metaId_);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, 129);
  std::vector<std::string> texts;
  for (const auto& a : calls[0].args) texts.push_back(a.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"pc", "", "pt", "fc", "fs", "ft"}));

  // Queries without arguments: no term calls either.
  s_.clear();
  md_->getSchemas();
  md_->getCatalogs();
  md_->getTableTypes();
  md_->getTypeInfo();
  EXPECT_EQ(s_.methods(metaId_), (std::vector<int>{118, 119, 120, 130}));

  const std::vector<std::pair<int, std::function<void()>>> queries = {
      {115, [&] { md_->getProcedures(std::nullopt, std::nullopt, "p%"); }},
      {116, [&] { md_->getProcedureColumns(std::nullopt, std::nullopt, "p%", "c%"); }},
      {121, [&] { md_->getColumns(std::nullopt, std::nullopt, "t", "c%"); }},
      {122, [&] { md_->getColumnPrivileges(std::nullopt, std::nullopt, "t", "c%"); }},
      {123, [&] { md_->getTablePrivileges(std::nullopt, std::nullopt, "t%"); }},
      {125, [&] { md_->getVersionColumns(std::nullopt, std::nullopt, "t"); }},
      {126, [&] { md_->getPrimaryKeys(std::nullopt, std::nullopt, "t"); }},
      {127, [&] { md_->getImportedKeys(std::nullopt, std::nullopt, "t"); }},
      {128, [&] { md_->getExportedKeys(std::nullopt, std::nullopt, "t"); }},
  };
  for (const auto& [number, query] : queries) {
    SCOPED_TRACE(number);
    s_.clear();
    query();
    const auto c = s_.calls(metaId_);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[2].method, number);
    EXPECT_EQ(c[2].args.size(), kMetaMethods[static_cast<std::size_t>(number)].args.size());
  }
}

TEST_F(MetaDataTest, ResultSetsAreTrackedAndClosedWithTheConnection) {
  answerQueries();
  auto schemas = md_->getSchemas();
  auto types = md_->getTableTypes();
  auto catalogs = md_->getCatalogs();
  auto& proxy = dynamic_cast<quenlora::zafoli::db::jdbc::DatabaseMetaData&>(*md_);
  EXPECT_EQ(proxy.openResultSetCount(), 3u);
  catalogs->close();
  EXPECT_EQ(proxy.openResultSetCount(), 2u);
  ASSERT_EQ(resultSets_.size(), 3u);
  s_.clear();
  conn_->close();
  EXPECT_EQ(s_.methods(resultSets_[0]), std::vector<int>{2});
  EXPECT_EQ(s_.methods(resultSets_[1]), std::vector<int>{2});
  EXPECT_TRUE(s_.methods(resultSets_[2]).empty());
  // The metadata proxy itself sends no close.
  EXPECT_TRUE(s_.methods(metaId_).empty());
  EXPECT_THROW(schemas->next(), plat::sql::SQLException);
  EXPECT_THROW(md_->getUserName(), plat::sql::SQLException);
  EXPECT_EQ(md_->getDriverMinorVersion(), 21);
}

TEST_F(MetaDataTest, DroppedMetaDataLeavesItsResultSetsUsable) {
  auto [rsId, rsObject] = s_.addObject();
  rsObject->on(1, {jdbctest::textRow(1, {"main"}), SqlEncode::endRow()});
  meta_->on(119, jdbctest::queryReply(rsId, jdbctest::columnsOfSizes({10})));
  md_.reset();
  auto catalogs = conn_->getMetaData()->getCatalogs();
  ASSERT_TRUE(catalogs->next());
  EXPECT_EQ(catalogs->getString(1), "main");
  s_.clear();
  conn_->close();
  EXPECT_EQ(s_.methods(rsId), std::vector<int>{2});
  EXPECT_THROW(catalogs->next(), plat::sql::SQLException);
}

}  // namespace
