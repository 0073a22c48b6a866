// The method table of the server's "DatabaseMetaData" object: number, constant name, operation, reply kind and
// argument kinds of every call. Both ends of the wire dispatch by it, so it is plain constexpr data with no
// dependency. Constants only; usable from any thread.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quenlora::zafoli::db::jdbc {

enum class MetaReply {
  Boolean,    // element 0 of the reply
  Integer,    // element 0 of the reply
  Text,       // element 0 of the reply
  ResultSet,  // the whole reply makes a result set
  Local,      // answered by the client; never sent
};

// Argument kinds, one character each, in the order they are sent. Every argument has id 0.
struct MetaArg {
  static constexpr char Catalog = 'C';   // text; sent only when the server's catalog term is not empty, else ""
  static constexpr char Schema = 'S';    // text; sent only when the server's schema term is not empty, else ""
  static constexpr char Text = 'T';      // text, sent as given (none as "")
  static constexpr char Int = 'I';       // 32-bit value
  static constexpr char Bool = 'B';      // boolean value
  static constexpr char TextList = 'L';  // zero or more texts, one argument each
};

struct MetaMethod {
  int number;
  std::string_view constant;   // the METHOD_ constant's suffix
  std::string_view operation;  // the metadata operation it serves
  MetaReply reply;
  std::string_view args;  // MetaArg characters; empty for none
};

inline constexpr std::size_t kMetaMethodCount = 135;

inline constexpr std::array<MetaMethod, kMetaMethodCount> kMetaMethods{{
    {0, "allProceduresAreCallable", "allProceduresAreCallable", MetaReply::Boolean, ""},
    {1, "allTablesAreSelectable", "allTablesAreSelectable", MetaReply::Boolean, ""},
    {2, "getURL", "getURL", MetaReply::Local, ""},
    {3, "getUserName", "getUserName", MetaReply::Text, ""},
    {4, "isReadOnly", "isReadOnly", MetaReply::Boolean, ""},
    {5, "nullsAreSortedHigh", "nullsAreSortedHigh", MetaReply::Boolean, ""},
    {6, "nullsAreSortedLow", "nullsAreSortedLow", MetaReply::Boolean, ""},
    {7, "nullsAreSortedAtStart", "nullsAreSortedAtStart", MetaReply::Boolean, ""},
    {8, "nullsAreSortedAtEnd", "nullsAreSortedAtEnd", MetaReply::Boolean, ""},
    {9, "getDatabaseProductName", "getDatabaseProductName", MetaReply::Text, ""},
    {10, "getDatabaseProductVersion", "getDatabaseProductVersion", MetaReply::Text, ""},
    {11, "getDriverName", "getDriverName", MetaReply::Text, ""},
    {12, "getDriverVersion", "getDriverVersion", MetaReply::Text, ""},
    {13, "getDriverMajorVersion", "getDriverMajorVersion", MetaReply::Local, ""},
    {14, "getDriverMinorVersion", "getDriverMinorVersion", MetaReply::Local, ""},
    {15, "usesLocalFiles", "usesLocalFiles", MetaReply::Boolean, ""},
    {16, "usesLocalFilePerTable", "usesLocalFilePerTable", MetaReply::Boolean, ""},
    {17, "supportsMixedCaseIdentifiers", "supportsMixedCaseIdentifiers", MetaReply::Boolean, ""},
    {18, "storesUpperCaseIdentifiers", "storesUpperCaseIdentifiers", MetaReply::Boolean, ""},
    {19, "storesLowerCaseIdentifiers", "storesLowerCaseIdentifiers", MetaReply::Boolean, ""},
    {20, "storesMixedCaseIdentifiers", "storesMixedCaseIdentifiers", MetaReply::Boolean, ""},
    {21, "supportsMixedCaseQuotedIdentifiers", "supportsMixedCaseQuotedIdentifiers", MetaReply::Boolean, ""},
    {22, "storesUpperCaseQuotedIdentifiers", "storesUpperCaseQuotedIdentifiers", MetaReply::Boolean, ""},
    {23, "storesLowerCaseQuotedIdentifiers", "storesLowerCaseQuotedIdentifiers", MetaReply::Boolean, ""},
    {24, "storesMixedCaseQuotedIdentifiers", "storesMixedCaseQuotedIdentifiers", MetaReply::Boolean, ""},
    {25, "getIdentifierQuoteString", "getIdentifierQuoteString", MetaReply::Text, ""},
    {26, "getSQLKeywords", "getSQLKeywords", MetaReply::Text, ""},
    {27, "getNumericFunctions", "getNumericFunctions", MetaReply::Text, ""},
    {28, "getStringFunctions", "getStringFunctions", MetaReply::Text, ""},
    {29, "getSystemFunctions", "getSystemFunctions", MetaReply::Text, ""},
    {30, "getTimeDateFunctions", "getTimeDateFunctions", MetaReply::Text, ""},
    {31, "getSearchStringEscape", "getSearchStringEscape", MetaReply::Text, ""},
    {32, "getExtraNameCharacters", "getExtraNameCharacters", MetaReply::Text, ""},
    {33, "supportsAlterTableWithAddColumn", "supportsAlterTableWithAddColumn", MetaReply::Boolean, ""},
    {34, "supportsAlterTableWithDropColumn", "supportsAlterTableWithDropColumn", MetaReply::Boolean, ""},
    {35, "supportsColumnAliasing", "supportsColumnAliasing", MetaReply::Boolean, ""},
    {36, "nullPlusNonNullIsNull", "nullPlusNonNullIsNull", MetaReply::Boolean, ""},
    {37, "supportsConvert", "supportsConvert", MetaReply::Boolean, ""},
    {38, "supportsConvert2", "supportsConvert", MetaReply::Boolean, "II"},
    {39, "supportsTableCorrelationNames", "supportsTableCorrelationNames", MetaReply::Boolean, ""},
    {40, "supportsDifferentTableCorrelationNames", "supportsDifferentTableCorrelationNames", MetaReply::Boolean, ""},
    {41, "supportsExpressionsInOrderBy", "supportsExpressionsInOrderBy", MetaReply::Boolean, ""},
    {42, "supportsOrderByUnrelated", "supportsOrderByUnrelated", MetaReply::Boolean, ""},
    {43, "supportsGroupBy", "supportsGroupBy", MetaReply::Boolean, ""},
    {44, "supportsGroupByUnrelated", "supportsGroupByUnrelated", MetaReply::Boolean, ""},
    {45, "supportsGroupByBeyondSelect", "supportsGroupByBeyondSelect", MetaReply::Boolean, ""},
    {46, "supportsLikeEscapeClause", "supportsLikeEscapeClause", MetaReply::Boolean, ""},
    {47, "supportsMultipleResultSets", "supportsMultipleResultSets", MetaReply::Boolean, ""},
    {48, "supportsMultipleTransactions", "supportsMultipleTransactions", MetaReply::Boolean, ""},
    {49, "supportsNonNullableColumns", "supportsNonNullableColumns", MetaReply::Boolean, ""},
    {50, "supportsMinimumSQLGrammar", "supportsMinimumSQLGrammar", MetaReply::Boolean, ""},
    {51, "supportsCoreSQLGrammar", "supportsCoreSQLGrammar", MetaReply::Boolean, ""},
    {52, "supportsExtendedSQLGrammar", "supportsExtendedSQLGrammar", MetaReply::Boolean, ""},
    {53, "supportsIntegrityEnhancementFacility", "supportsIntegrityEnhancementFacility", MetaReply::Boolean, ""},
    {54, "supportsOuterJoins", "supportsOuterJoins", MetaReply::Boolean, ""},
    {55, "supportsFullOuterJoins", "supportsFullOuterJoins", MetaReply::Boolean, ""},
    {56, "supportsLimitedOuterJoins", "supportsLimitedOuterJoins", MetaReply::Boolean, ""},
    {57, "getSchemaTerm", "getSchemaTerm", MetaReply::Text, ""},
    {58, "getProcedureTerm", "getProcedureTerm", MetaReply::Text, ""},
    {59, "getCatalogTerm", "getCatalogTerm", MetaReply::Text, ""},
    {60, "isCatalogAtStart", "isCatalogAtStart", MetaReply::Boolean, ""},
    {61, "getCatalogSeparator", "getCatalogSeparator", MetaReply::Text, ""},
    {62, "supportsSchemasInDML", "supportsSchemasInDataManipulation", MetaReply::Boolean, ""},
    {63, "supportsSchemasInProcedureCalls", "supportsSchemasInProcedureCalls", MetaReply::Boolean, ""},
    {64, "supportsSchemasInTableDefinitions", "supportsSchemasInTableDefinitions", MetaReply::Boolean, ""},
    {65, "supportsSchemasInIndexDefinitions", "supportsSchemasInIndexDefinitions", MetaReply::Boolean, ""},
    {66, "supportsSchemasInPrivilegeDefinitions", "supportsSchemasInPrivilegeDefinitions", MetaReply::Boolean, ""},
    {67, "supportsCatalogsInDML", "supportsCatalogsInDataManipulation", MetaReply::Boolean, ""},
    {68, "supportsCatalogsInProcedureCalls", "supportsCatalogsInProcedureCalls", MetaReply::Boolean, ""},
    {69, "supportsCatalogsInTableDefinitions", "supportsCatalogsInTableDefinitions", MetaReply::Boolean, ""},
    {70, "supportsCatalogsInIndexDefinitions", "supportsCatalogsInIndexDefinitions", MetaReply::Boolean, ""},
    {71, "supportsCatalogsInPrivilegeDefinitions", "supportsCatalogsInPrivilegeDefinitions", MetaReply::Boolean, ""},
    {72, "supportsPositionedDelete", "supportsPositionedDelete", MetaReply::Boolean, ""},
    {73, "supportsPositionedUpdate", "supportsPositionedUpdate", MetaReply::Boolean, ""},
    {74, "supportsSelectForUpdate", "supportsSelectForUpdate", MetaReply::Boolean, ""},
    {75, "supportsStoredProcedures", "supportsStoredProcedures", MetaReply::Boolean, ""},
    {76, "supportsSubqueriesInComparisons", "supportsSubqueriesInComparisons", MetaReply::Boolean, ""},
    {77, "supportsSubqueriesInExists", "supportsSubqueriesInExists", MetaReply::Boolean, ""},
    {78, "supportsSubqueriesInIns", "supportsSubqueriesInIns", MetaReply::Boolean, ""},
    {79, "supportsSubqueriesInQuantifieds", "supportsSubqueriesInQuantifieds", MetaReply::Boolean, ""},
    {80, "supportsCorrelatedSubqueries", "supportsCorrelatedSubqueries", MetaReply::Boolean, ""},
    {81, "supportsUnion", "supportsUnion", MetaReply::Boolean, ""},
    {82, "supportsUnionAll", "supportsUnionAll", MetaReply::Boolean, ""},
    {83, "supportsOpenCursorsAcrossCommit", "supportsOpenCursorsAcrossCommit", MetaReply::Boolean, ""},
    {84, "supportsOpenCursorsAcrossRollback", "supportsOpenCursorsAcrossRollback", MetaReply::Boolean, ""},
    {85, "supportsOpenStatementsAcrossCommit", "supportsOpenStatementsAcrossCommit", MetaReply::Boolean, ""},
    {86, "supportsOpenStatementsAcrossRollback", "supportsOpenStatementsAcrossRollback", MetaReply::Boolean, ""},
    {87, "getMaxBinaryLiteralLength", "getMaxBinaryLiteralLength", MetaReply::Integer, ""},
    {88, "getMaxCharLiteralLength", "getMaxCharLiteralLength", MetaReply::Integer, ""},
    {89, "getMaxColumnNameLength", "getMaxColumnNameLength", MetaReply::Integer, ""},
    {90, "getMaxColumnsInGroupBy", "getMaxColumnsInGroupBy", MetaReply::Integer, ""},
    {91, "getMaxColumnsInIndex", "getMaxColumnsInIndex", MetaReply::Integer, ""},
    {92, "getMaxColumnsInOrderBy", "getMaxColumnsInOrderBy", MetaReply::Integer, ""},
    {93, "getMaxColumnsInSelect", "getMaxColumnsInSelect", MetaReply::Integer, ""},
    {94, "getMaxColumnsInTable", "getMaxColumnsInTable", MetaReply::Integer, ""},
    {95, "getMaxConnections", "getMaxConnections", MetaReply::Integer, ""},
    {96, "getMaxCursorNameLength", "getMaxCursorNameLength", MetaReply::Integer, ""},
    {97, "getMaxIndexLength", "getMaxIndexLength", MetaReply::Integer, ""},
    {98, "getMaxSchemaNameLength", "getMaxSchemaNameLength", MetaReply::Integer, ""},
    {99, "getMaxProcedureNameLength", "getMaxProcedureNameLength", MetaReply::Integer, ""},
    {100, "getMaxCatalogNameLength", "getMaxCatalogNameLength", MetaReply::Integer, ""},
    {101, "getMaxRowSize", "getMaxRowSize", MetaReply::Integer, ""},
    {102, "doesMaxRowSizeIncludeBlobs", "doesMaxRowSizeIncludeBlobs", MetaReply::Boolean, ""},
    {103, "getMaxStatementLength", "getMaxStatementLength", MetaReply::Integer, ""},
    {104, "getMaxStatements", "getMaxStatements", MetaReply::Integer, ""},
    {105, "getMaxTableNameLength", "getMaxTableNameLength", MetaReply::Integer, ""},
    {106, "getMaxTablesInSelect", "getMaxTablesInSelect", MetaReply::Integer, ""},
    {107, "getMaxUserNameLength", "getMaxUserNameLength", MetaReply::Integer, ""},
    {108, "getDefaultTransactionIsolation", "getDefaultTransactionIsolation", MetaReply::Integer, ""},
    {109, "supportsTransactions", "supportsTransactions", MetaReply::Boolean, ""},
    {110, "supportsTransactionIsolationLevel", "supportsTransactionIsolationLevel", MetaReply::Boolean, "I"},
    {111, "supportsDDLAndDMLTransactions", "supportsDataDefinitionAndDataManipulationTransactions", MetaReply::Boolean,
     ""},
    {112, "supportsDMLTransactionsOnly", "supportsDataManipulationTransactionsOnly", MetaReply::Boolean, ""},
    {113, "dataDefinitionCausesTransactionCommit", "dataDefinitionCausesTransactionCommit", MetaReply::Boolean, ""},
    {114, "dataDefinitionIgnoredInTransactions", "dataDefinitionIgnoredInTransactions", MetaReply::Boolean, ""},
    {115, "getProcedures", "getProcedures", MetaReply::ResultSet, "CST"},
    {116, "getProcedureColumns", "getProcedureColumns", MetaReply::ResultSet, "CSTT"},
    {117, "getTables", "getTables", MetaReply::ResultSet, "CSTL"},
    {118, "getSchemas", "getSchemas", MetaReply::ResultSet, ""},
    {119, "getCatalogs", "getCatalogs", MetaReply::ResultSet, ""},
    {120, "getTableTypes", "getTableTypes", MetaReply::ResultSet, ""},
    {121, "getColumns", "getColumns", MetaReply::ResultSet, "CSTT"},
    {122, "getColumnPrivileges", "getColumnPrivileges", MetaReply::ResultSet, "CSTT"},
    {123, "getTablePrivileges", "getTablePrivileges", MetaReply::ResultSet, "CST"},
    {124, "getBestRowIdentifier", "getBestRowIdentifier", MetaReply::ResultSet, "CSTIB"},
    {125, "getVersionColumns", "getVersionColumns", MetaReply::ResultSet, "CST"},
    {126, "getPrimaryKeys", "getPrimaryKeys", MetaReply::ResultSet, "CST"},
    {127, "getImportedKeys", "getImportedKeys", MetaReply::ResultSet, "CST"},
    {128, "getExportedKeys", "getExportedKeys", MetaReply::ResultSet, "CST"},
    {129, "getCrossReference", "getCrossReference", MetaReply::ResultSet, "TTTTTT"},
    {130, "getTypeInfo", "getTypeInfo", MetaReply::ResultSet, ""},
    {131, "getIndexInfo", "getIndexInfo", MetaReply::ResultSet, "CSTBB"},
    {132, "supportsANSI92EntryLevelSQL", "supportsANSI92EntryLevelSQL", MetaReply::Boolean, ""},
    {133, "supportsANSI92IntermediateLevelSQL", "supportsANSI92IntermediateSQL", MetaReply::Boolean, ""},
    {134, "supportsANSI92FullLevelSQL", "supportsANSI92FullSQL", MetaReply::Boolean, ""},
}};

// The number of the method whose constant is named so; a name not in the table does not compile.
consteval int metaMethodNumber(std::string_view constant) {
  for (const MetaMethod& m : kMetaMethods) {
    if (m.constant == constant) return m.number;
  }
  throw "no such metadata method";
}

namespace meta_detail {
consteval bool numberedInOrder() {
  for (std::size_t i = 0; i < kMetaMethods.size(); ++i) {
    if (kMetaMethods[i].number != static_cast<int>(i)) return false;
  }
  return true;
}
}  // namespace meta_detail

static_assert(meta_detail::numberedInOrder(), "the table is indexed by method number");

}  // namespace quenlora::zafoli::db::jdbc
