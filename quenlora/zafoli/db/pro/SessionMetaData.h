// A snapshot of a data source's database metadata, taken once from the server (74 flags, 21 limits and 12 texts),
// and the server's metadata object for catalog queries. Catalog queries answer with the root view of a new
// multi-view that the session does not register; the catalog and schema arguments are sent only when the data
// source has a term for them. Holds its session; the session holds the snapshot weakly. One thread at a time.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Reply.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

class MultiView;
class RelationView;
class Session;

class SessionMetaData : public plat::lang::Object {
 public:
  static constexpr int METHOD_getSQLKeywords = 3;
  static constexpr int METHOD_getNumericFunctions = 4;
  static constexpr int METHOD_getStringFunctions = 5;
  static constexpr int METHOD_getSystemFunctions = 6;
  static constexpr int METHOD_supportsConvert = 7;
  static constexpr int METHOD_supportsConvertFromTo = 8;
  static constexpr int METHOD_supportsTransactionIsolationLevel = 9;
  static constexpr int METHOD_getProcedures = 10;
  static constexpr int METHOD_getProcedureColumns = 11;
  static constexpr int METHOD_getTables = 12;
  static constexpr int METHOD_getSchemas = 13;
  static constexpr int METHOD_getCatalogs = 14;
  static constexpr int METHOD_getTableTypes = 15;
  static constexpr int METHOD_getColumns = 16;
  static constexpr int METHOD_getColumnPrivileges = 17;
  static constexpr int METHOD_getTablePrivileges = 18;
  static constexpr int METHOD_getBestRowIdentifier = 19;
  static constexpr int METHOD_getVersionColumns = 20;
  static constexpr int METHOD_getPrimaryKeys = 21;
  static constexpr int METHOD_getImportedKeys = 22;
  static constexpr int METHOD_getExportedKeys = 23;
  static constexpr int METHOD_getCrossReference = 24;
  static constexpr int METHOD_getTypeInfo = 25;
  static constexpr int METHOD_getIndexInfo = 26;
  static constexpr int METHOD_getTimeDateFunctions = 27;
  static constexpr const char* kClassName = "PMVTDatabaseMetaData";
  static constexpr int kBooleans = 74;
  static constexpr int kIntegers = 21;
  static constexpr int kTexts = 12;

  static constexpr int procedureResultUnknown = 0;
  static constexpr int procedureNoResult = 1;
  static constexpr int procedureReturnsResult = 2;
  static constexpr int procedureColumnUnknown = 0;
  static constexpr int procedureColumnIn = 1;
  static constexpr int procedureColumnInOut = 2;
  static constexpr int procedureColumnOut = 4;
  static constexpr int procedureColumnReturn = 5;
  static constexpr int procedureColumnResult = 3;
  static constexpr int procedureNoNulls = 0;
  static constexpr int procedureNullable = 1;
  static constexpr int procedureNullableUnknown = 2;
  static constexpr int columnNoNulls = 0;
  static constexpr int columnNullable = 1;
  static constexpr int columnNullableUnknown = 2;
  static constexpr int bestRowTemporary = 0;
  static constexpr int bestRowTransaction = 1;
  static constexpr int bestRowSession = 2;
  static constexpr int bestRowUnknown = 0;
  static constexpr int bestRowNotPseudo = 1;
  static constexpr int bestRowPseudo = 2;
  static constexpr int versionColumnUnknown = 0;
  static constexpr int versionColumnNotPseudo = 1;
  static constexpr int versionColumnPseudo = 2;
  static constexpr int importedKeyCascade = 0;
  static constexpr int importedKeyRestrict = 1;
  static constexpr int importedKeySetNull = 2;
  static constexpr int importedKeyNoAction = 3;
  static constexpr int importedKeySetDefault = 4;
  static constexpr int importedKeyInitiallyDeferred = 5;
  static constexpr int importedKeyInitiallyImmediate = 6;
  static constexpr int importedKeyNotDeferrable = 7;
  static constexpr int typeNoNulls = 0;
  static constexpr int typeNullable = 1;
  static constexpr int typeNullableUnknown = 2;
  static constexpr int typePredNone = 0;
  static constexpr int typePredChar = 1;
  static constexpr int typePredBasic = 2;
  static constexpr int typeSearchable = 3;
  static constexpr std::int16_t tableIndexStatistic = 0;
  static constexpr std::int16_t tableIndexClustered = 1;
  static constexpr std::int16_t tableIndexHashed = 2;
  static constexpr std::int16_t tableIndexOther = 3;

  // Reads elements 0-107 of the server's metadata reply; a short or odd reply is SQLException.
  SessionMetaData(plat::lang::Ref<Session> session, plat::lang::Ref<ConnectionInfo> conn, const net::Reply& reply);
  ~SessionMetaData() override;

  // Answered locally.
  std::string getURL() const;
  int getDriverMajorVersion() const { return 1; }
  int getDriverMinorVersion() const { return 0; }

  bool allProceduresAreCallable() const { return booleans_[0]; }
  bool allTablesAreSelectable() const { return booleans_[1]; }
  bool isReadOnly() const { return booleans_[2]; }
  bool nullsAreSortedHigh() const { return booleans_[3]; }
  bool nullsAreSortedLow() const { return booleans_[4]; }
  bool nullsAreSortedAtStart() const { return booleans_[5]; }
  bool nullsAreSortedAtEnd() const { return booleans_[6]; }
  bool isCatalogAtStart() const { return booleans_[7]; }
  bool usesLocalFiles() const { return booleans_[8]; }
  bool usesLocalFilePerTable() const { return booleans_[9]; }
  bool supportsMixedCaseIdentifiers() const { return booleans_[10]; }
  bool storesUpperCaseIdentifiers() const { return booleans_[11]; }
  bool storesLowerCaseIdentifiers() const { return booleans_[12]; }
  bool storesMixedCaseIdentifiers() const { return booleans_[13]; }
  bool supportsMixedCaseQuotedIdentifiers() const { return booleans_[14]; }
  bool storesUpperCaseQuotedIdentifiers() const { return booleans_[15]; }
  bool storesLowerCaseQuotedIdentifiers() const { return booleans_[16]; }
  bool storesMixedCaseQuotedIdentifiers() const { return booleans_[17]; }
  bool supportsAlterTableWithAddColumn() const { return booleans_[18]; }
  bool supportsAlterTableWithDropColumn() const { return booleans_[19]; }
  bool supportsTableCorrelationNames() const { return booleans_[20]; }
  bool supportsDifferentTableCorrelationNames() const { return booleans_[21]; }
  bool supportsColumnAliasing() const { return booleans_[22]; }
  bool supportsNonNullableColumns() const { return booleans_[23]; }
  bool nullPlusNonNullIsNull() const { return booleans_[24]; }
  bool supportsExpressionsInOrderBy() const { return booleans_[25]; }
  bool supportsOrderByUnrelated() const { return booleans_[26]; }
  bool supportsGroupBy() const { return booleans_[27]; }
  bool supportsGroupByUnrelated() const { return booleans_[28]; }
  bool supportsGroupByBeyondSelect() const { return booleans_[29]; }
  bool supportsOuterJoins() const { return booleans_[30]; }
  bool supportsFullOuterJoins() const { return booleans_[31]; }
  bool supportsLimitedOuterJoins() const { return booleans_[32]; }
  bool supportsLikeEscapeClause() const { return booleans_[33]; }
  bool supportsMultipleResultSets() const { return booleans_[34]; }
  bool supportsMultipleTransactions() const { return booleans_[35]; }
  bool supportsOpenCursorsAcrossCommit() const { return booleans_[36]; }
  bool supportsOpenCursorsAcrossRollback() const { return booleans_[37]; }
  bool supportsOpenStatementsAcrossCommit() const { return booleans_[38]; }
  bool supportsOpenStatementsAcrossRollback() const { return booleans_[39]; }
  bool supportsTransactions() const { return booleans_[40]; }
  bool supportsDataDefinitionAndDataManipulationTransactions() const { return booleans_[41]; }
  bool supportsDataManipulationTransactionsOnly() const { return booleans_[42]; }
  bool supportsMinimumSQLGrammar() const { return booleans_[43]; }
  bool supportsCoreSQLGrammar() const { return booleans_[44]; }
  bool supportsExtendedSQLGrammar() const { return booleans_[45]; }
  bool supportsIntegrityEnhancementFacility() const { return booleans_[46]; }
  bool supportsSchemasInDataManipulation() const { return booleans_[47]; }
  bool supportsSchemasInProcedureCalls() const { return booleans_[48]; }
  bool supportsSchemasInTableDefinitions() const { return booleans_[49]; }
  bool supportsSchemasInIndexDefinitions() const { return booleans_[50]; }
  bool supportsSchemasInPrivilegeDefinitions() const { return booleans_[51]; }
  bool supportsCatalogsInDataManipulation() const { return booleans_[52]; }
  bool supportsCatalogsInProcedureCalls() const { return booleans_[53]; }
  bool supportsCatalogsInTableDefinitions() const { return booleans_[54]; }
  bool supportsCatalogsInIndexDefinitions() const { return booleans_[55]; }
  bool supportsCatalogsInPrivilegeDefinitions() const { return booleans_[56]; }
  bool supportsPositionedDelete() const { return booleans_[57]; }
  bool supportsPositionedUpdate() const { return booleans_[58]; }
  bool supportsSelectForUpdate() const { return booleans_[59]; }
  bool supportsSubqueriesInComparisons() const { return booleans_[60]; }
  bool supportsSubqueriesInExists() const { return booleans_[61]; }
  bool supportsSubqueriesInIns() const { return booleans_[62]; }
  bool supportsSubqueriesInQuantifieds() const { return booleans_[63]; }
  bool supportsCorrelatedSubqueries() const { return booleans_[64]; }
  bool supportsUnion() const { return booleans_[65]; }
  bool supportsUnionAll() const { return booleans_[66]; }
  bool doesMaxRowSizeIncludeBlobs() const { return booleans_[67]; }
  bool supportsStoredProcedures() const { return booleans_[68]; }
  bool dataDefinitionCausesTransactionCommit() const { return booleans_[69]; }
  bool dataDefinitionIgnoredInTransactions() const { return booleans_[70]; }
  bool supportsANSI92EntryLevelSQL() const { return booleans_[71]; }
  bool supportsANSI92IntermediateSQL() const { return booleans_[72]; }
  bool supportsANSI92FullSQL() const { return booleans_[73]; }
  int getMaxBinaryLiteralLength() const { return integers_[0]; }
  int getMaxCharLiteralLength() const { return integers_[1]; }
  int getMaxColumnNameLength() const { return integers_[2]; }
  int getMaxColumnsInGroupBy() const { return integers_[3]; }
  int getMaxColumnsInIndex() const { return integers_[4]; }
  int getMaxColumnsInOrderBy() const { return integers_[5]; }
  int getMaxColumnsInSelect() const { return integers_[6]; }
  int getMaxColumnsInTable() const { return integers_[7]; }
  int getMaxConnections() const { return integers_[8]; }
  int getMaxCursorNameLength() const { return integers_[9]; }
  int getMaxIndexLength() const { return integers_[10]; }
  int getMaxSchemaNameLength() const { return integers_[11]; }
  int getMaxProcedureNameLength() const { return integers_[12]; }
  int getMaxCatalogNameLength() const { return integers_[13]; }
  int getMaxRowSize() const { return integers_[14]; }
  int getMaxStatementLength() const { return integers_[15]; }
  int getMaxStatements() const { return integers_[16]; }
  int getMaxTableNameLength() const { return integers_[17]; }
  int getMaxTablesInSelect() const { return integers_[18]; }
  int getMaxUserNameLength() const { return integers_[19]; }
  int getDefaultTransactionIsolation() const { return integers_[20]; }
  const std::string& getUserName() const { return texts_[0]; }
  const std::string& getDatabaseProductName() const { return texts_[1]; }
  const std::string& getDatabaseProductVersion() const { return texts_[2]; }
  const std::string& getSchemaTerm() const { return texts_[3]; }
  const std::string& getProcedureTerm() const { return texts_[4]; }
  const std::string& getCatalogTerm() const { return texts_[5]; }
  const std::string& getCatalogSeparator() const { return texts_[6]; }
  const std::string& getSearchStringEscape() const { return texts_[7]; }
  const std::string& getExtraNameCharacters() const { return texts_[8]; }
  const std::string& getIdentifierQuoteString() const { return texts_[9]; }
  const std::string& getDriverName() const { return texts_[10]; }
  const std::string& getDriverVersion() const { return texts_[11]; }

  std::string getSQLKeywords();
  std::string getNumericFunctions();
  std::string getStringFunctions();
  std::string getSystemFunctions();
  std::string getTimeDateFunctions();
  bool supportsConvert();
  bool supportsConvert(int fromType, int toType);
  bool supportsTransactionIsolationLevel(int level);

  using Text = std::string;
  using Types = std::optional<std::vector<std::string>>;
  plat::lang::Ref<RelationView> getProcedures(const Text& catalog, const Text& schema, const Text& pattern);
  plat::lang::Ref<RelationView> getProcedureColumns(const Text& catalog, const Text& schema, const Text& pattern,
                                                    const Text& columnPattern);
  plat::lang::Ref<RelationView> getTables(const Text& catalog, const Text& schema, const Text& pattern,
                                          const Types& types);
  plat::lang::Ref<RelationView> getSchemas();
  plat::lang::Ref<RelationView> getCatalogs();
  plat::lang::Ref<RelationView> getTableTypes();
  plat::lang::Ref<RelationView> getColumns(const Text& catalog, const Text& schema, const Text& pattern,
                                           const Text& columnPattern);
  plat::lang::Ref<RelationView> getColumnPrivileges(const Text& catalog, const Text& schema, const Text& table,
                                                    const Text& columnPattern);
  plat::lang::Ref<RelationView> getTablePrivileges(const Text& catalog, const Text& schema, const Text& pattern);
  plat::lang::Ref<RelationView> getBestRowIdentifier(const Text& catalog, const Text& schema, const Text& table,
                                                     int scope, bool nullable);
  plat::lang::Ref<RelationView> getVersionColumns(const Text& catalog, const Text& schema, const Text& table);
  plat::lang::Ref<RelationView> getPrimaryKeys(const Text& catalog, const Text& schema, const Text& table);
  plat::lang::Ref<RelationView> getImportedKeys(const Text& catalog, const Text& schema, const Text& table);
  plat::lang::Ref<RelationView> getExportedKeys(const Text& catalog, const Text& schema, const Text& table);
  plat::lang::Ref<RelationView> getCrossReference(const Text& primaryCatalog, const Text& primarySchema,
                                                  const Text& primaryTable, const Text& foreignCatalog,
                                                  const Text& foreignSchema, const Text& foreignTable);
  plat::lang::Ref<RelationView> getTypeInfo();
  plat::lang::Ref<RelationView> getIndexInfo(const Text& catalog, const Text& schema, const Text& table, bool unique,
                                             bool approximate);

 private:
  using Args = ServerHandle::Args;
  // The catalog and schema arguments as the terms allow them.
  Args scoped(const Text& catalog, const Text& schema) const;
  plat::lang::Ref<RelationView> view(int method, const Args& args);

  plat::lang::Ref<Session> session_;
  plat::lang::Ref<ConnectionInfo> conn_;
  ServerHandle server_;
  std::array<bool, kBooleans> booleans_{};
  std::array<int, kIntegers> integers_{};
  std::array<std::string, kTexts> texts_{};
  std::vector<plat::lang::WeakRef<MultiView>> views_;  // weak: a view handle owns its multi-view
};

}  // namespace quenlora::zafoli::db::pro
