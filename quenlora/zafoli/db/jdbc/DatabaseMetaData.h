// The proxy of the server's database-metadata object ("DatabaseMetaData"), made by Connection::getMetaData.
// Apart from the URL and the driver version, every operation is one numbered call of the shared method table;
// catalog queries give result sets that the proxy tracks and closes with itself. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/DatabaseMetaData.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaDataMethods.h"
#include "quenlora/zafoli/db/jdbc/ProxyObject.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"

namespace quenlora::zafoli::db::jdbc {

class Connection;

class DatabaseMetaData final : public plat::sql::DatabaseMetaData, private ProxyObject {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.DatabaseMetaData";
  static constexpr const char* SERVER_CLASS = "DatabaseMetaData";

  static constexpr int METHOD_allProceduresAreCallable = metaMethodNumber("allProceduresAreCallable");
  static constexpr int METHOD_allTablesAreSelectable = metaMethodNumber("allTablesAreSelectable");
  static constexpr int METHOD_getURL = metaMethodNumber("getURL");
  static constexpr int METHOD_getUserName = metaMethodNumber("getUserName");
  static constexpr int METHOD_isReadOnly = metaMethodNumber("isReadOnly");
  static constexpr int METHOD_nullsAreSortedHigh = metaMethodNumber("nullsAreSortedHigh");
  static constexpr int METHOD_nullsAreSortedLow = metaMethodNumber("nullsAreSortedLow");
  static constexpr int METHOD_nullsAreSortedAtStart = metaMethodNumber("nullsAreSortedAtStart");
  static constexpr int METHOD_nullsAreSortedAtEnd = metaMethodNumber("nullsAreSortedAtEnd");
  static constexpr int METHOD_getDatabaseProductName = metaMethodNumber("getDatabaseProductName");
  static constexpr int METHOD_getDatabaseProductVersion = metaMethodNumber("getDatabaseProductVersion");
  static constexpr int METHOD_getDriverName = metaMethodNumber("getDriverName");
  static constexpr int METHOD_getDriverVersion = metaMethodNumber("getDriverVersion");
  static constexpr int METHOD_getDriverMajorVersion = metaMethodNumber("getDriverMajorVersion");
  static constexpr int METHOD_getDriverMinorVersion = metaMethodNumber("getDriverMinorVersion");
  static constexpr int METHOD_usesLocalFiles = metaMethodNumber("usesLocalFiles");
  static constexpr int METHOD_usesLocalFilePerTable = metaMethodNumber("usesLocalFilePerTable");
  static constexpr int METHOD_supportsMixedCaseIdentifiers = metaMethodNumber("supportsMixedCaseIdentifiers");
  static constexpr int METHOD_storesUpperCaseIdentifiers = metaMethodNumber("storesUpperCaseIdentifiers");
  static constexpr int METHOD_storesLowerCaseIdentifiers = metaMethodNumber("storesLowerCaseIdentifiers");
  static constexpr int METHOD_storesMixedCaseIdentifiers = metaMethodNumber("storesMixedCaseIdentifiers");
  static constexpr int METHOD_supportsMixedCaseQuotedIdentifiers =
      metaMethodNumber("supportsMixedCaseQuotedIdentifiers");
  static constexpr int METHOD_storesUpperCaseQuotedIdentifiers = metaMethodNumber("storesUpperCaseQuotedIdentifiers");
  static constexpr int METHOD_storesLowerCaseQuotedIdentifiers = metaMethodNumber("storesLowerCaseQuotedIdentifiers");
  static constexpr int METHOD_storesMixedCaseQuotedIdentifiers = metaMethodNumber("storesMixedCaseQuotedIdentifiers");
  static constexpr int METHOD_getIdentifierQuoteString = metaMethodNumber("getIdentifierQuoteString");
  static constexpr int METHOD_getSQLKeywords = metaMethodNumber("getSQLKeywords");
  static constexpr int METHOD_getNumericFunctions = metaMethodNumber("getNumericFunctions");
  static constexpr int METHOD_getStringFunctions = metaMethodNumber("getStringFunctions");
  static constexpr int METHOD_getSystemFunctions = metaMethodNumber("getSystemFunctions");
  static constexpr int METHOD_getTimeDateFunctions = metaMethodNumber("getTimeDateFunctions");
  static constexpr int METHOD_getSearchStringEscape = metaMethodNumber("getSearchStringEscape");
  static constexpr int METHOD_getExtraNameCharacters = metaMethodNumber("getExtraNameCharacters");
  static constexpr int METHOD_supportsAlterTableWithAddColumn = metaMethodNumber("supportsAlterTableWithAddColumn");
  static constexpr int METHOD_supportsAlterTableWithDropColumn = metaMethodNumber("supportsAlterTableWithDropColumn");
  static constexpr int METHOD_supportsColumnAliasing = metaMethodNumber("supportsColumnAliasing");
  static constexpr int METHOD_nullPlusNonNullIsNull = metaMethodNumber("nullPlusNonNullIsNull");
  static constexpr int METHOD_supportsConvert = metaMethodNumber("supportsConvert");
  static constexpr int METHOD_supportsConvert2 = metaMethodNumber("supportsConvert2");
  static constexpr int METHOD_supportsTableCorrelationNames = metaMethodNumber("supportsTableCorrelationNames");
  static constexpr int METHOD_supportsDifferentTableCorrelationNames =
      metaMethodNumber("supportsDifferentTableCorrelationNames");
  static constexpr int METHOD_supportsExpressionsInOrderBy = metaMethodNumber("supportsExpressionsInOrderBy");
  static constexpr int METHOD_supportsOrderByUnrelated = metaMethodNumber("supportsOrderByUnrelated");
  static constexpr int METHOD_supportsGroupBy = metaMethodNumber("supportsGroupBy");
  static constexpr int METHOD_supportsGroupByUnrelated = metaMethodNumber("supportsGroupByUnrelated");
  static constexpr int METHOD_supportsGroupByBeyondSelect = metaMethodNumber("supportsGroupByBeyondSelect");
  static constexpr int METHOD_supportsLikeEscapeClause = metaMethodNumber("supportsLikeEscapeClause");
  static constexpr int METHOD_supportsMultipleResultSets = metaMethodNumber("supportsMultipleResultSets");
  static constexpr int METHOD_supportsMultipleTransactions = metaMethodNumber("supportsMultipleTransactions");
  static constexpr int METHOD_supportsNonNullableColumns = metaMethodNumber("supportsNonNullableColumns");
  static constexpr int METHOD_supportsMinimumSQLGrammar = metaMethodNumber("supportsMinimumSQLGrammar");
  static constexpr int METHOD_supportsCoreSQLGrammar = metaMethodNumber("supportsCoreSQLGrammar");
  static constexpr int METHOD_supportsExtendedSQLGrammar = metaMethodNumber("supportsExtendedSQLGrammar");
  static constexpr int METHOD_supportsIntegrityEnhancementFacility =
      metaMethodNumber("supportsIntegrityEnhancementFacility");
  static constexpr int METHOD_supportsOuterJoins = metaMethodNumber("supportsOuterJoins");
  static constexpr int METHOD_supportsFullOuterJoins = metaMethodNumber("supportsFullOuterJoins");
  static constexpr int METHOD_supportsLimitedOuterJoins = metaMethodNumber("supportsLimitedOuterJoins");
  static constexpr int METHOD_getSchemaTerm = metaMethodNumber("getSchemaTerm");
  static constexpr int METHOD_getProcedureTerm = metaMethodNumber("getProcedureTerm");
  static constexpr int METHOD_getCatalogTerm = metaMethodNumber("getCatalogTerm");
  static constexpr int METHOD_isCatalogAtStart = metaMethodNumber("isCatalogAtStart");
  static constexpr int METHOD_getCatalogSeparator = metaMethodNumber("getCatalogSeparator");
  static constexpr int METHOD_supportsSchemasInDML = metaMethodNumber("supportsSchemasInDML");
  static constexpr int METHOD_supportsSchemasInProcedureCalls = metaMethodNumber("supportsSchemasInProcedureCalls");
  static constexpr int METHOD_supportsSchemasInTableDefinitions = metaMethodNumber("supportsSchemasInTableDefinitions");
  static constexpr int METHOD_supportsSchemasInIndexDefinitions = metaMethodNumber("supportsSchemasInIndexDefinitions");
  static constexpr int METHOD_supportsSchemasInPrivilegeDefinitions =
      metaMethodNumber("supportsSchemasInPrivilegeDefinitions");
  static constexpr int METHOD_supportsCatalogsInDML = metaMethodNumber("supportsCatalogsInDML");
  static constexpr int METHOD_supportsCatalogsInProcedureCalls = metaMethodNumber("supportsCatalogsInProcedureCalls");
  static constexpr int METHOD_supportsCatalogsInTableDefinitions =
      metaMethodNumber("supportsCatalogsInTableDefinitions");
  static constexpr int METHOD_supportsCatalogsInIndexDefinitions =
      metaMethodNumber("supportsCatalogsInIndexDefinitions");
  static constexpr int METHOD_supportsCatalogsInPrivilegeDefinitions =
      metaMethodNumber("supportsCatalogsInPrivilegeDefinitions");
  static constexpr int METHOD_supportsPositionedDelete = metaMethodNumber("supportsPositionedDelete");
  static constexpr int METHOD_supportsPositionedUpdate = metaMethodNumber("supportsPositionedUpdate");
  static constexpr int METHOD_supportsSelectForUpdate = metaMethodNumber("supportsSelectForUpdate");
  static constexpr int METHOD_supportsStoredProcedures = metaMethodNumber("supportsStoredProcedures");
  static constexpr int METHOD_supportsSubqueriesInComparisons = metaMethodNumber("supportsSubqueriesInComparisons");
  static constexpr int METHOD_supportsSubqueriesInExists = metaMethodNumber("supportsSubqueriesInExists");
  static constexpr int METHOD_supportsSubqueriesInIns = metaMethodNumber("supportsSubqueriesInIns");
  static constexpr int METHOD_supportsSubqueriesInQuantifieds = metaMethodNumber("supportsSubqueriesInQuantifieds");
  static constexpr int METHOD_supportsCorrelatedSubqueries = metaMethodNumber("supportsCorrelatedSubqueries");
  static constexpr int METHOD_supportsUnion = metaMethodNumber("supportsUnion");
  static constexpr int METHOD_supportsUnionAll = metaMethodNumber("supportsUnionAll");
  static constexpr int METHOD_supportsOpenCursorsAcrossCommit = metaMethodNumber("supportsOpenCursorsAcrossCommit");
  static constexpr int METHOD_supportsOpenCursorsAcrossRollback = metaMethodNumber("supportsOpenCursorsAcrossRollback");
  static constexpr int METHOD_supportsOpenStatementsAcrossCommit =
      metaMethodNumber("supportsOpenStatementsAcrossCommit");
  static constexpr int METHOD_supportsOpenStatementsAcrossRollback =
      metaMethodNumber("supportsOpenStatementsAcrossRollback");
  static constexpr int METHOD_getMaxBinaryLiteralLength = metaMethodNumber("getMaxBinaryLiteralLength");
  static constexpr int METHOD_getMaxCharLiteralLength = metaMethodNumber("getMaxCharLiteralLength");
  static constexpr int METHOD_getMaxColumnNameLength = metaMethodNumber("getMaxColumnNameLength");
  static constexpr int METHOD_getMaxColumnsInGroupBy = metaMethodNumber("getMaxColumnsInGroupBy");
  static constexpr int METHOD_getMaxColumnsInIndex = metaMethodNumber("getMaxColumnsInIndex");
  static constexpr int METHOD_getMaxColumnsInOrderBy = metaMethodNumber("getMaxColumnsInOrderBy");
  static constexpr int METHOD_getMaxColumnsInSelect = metaMethodNumber("getMaxColumnsInSelect");
  static constexpr int METHOD_getMaxColumnsInTable = metaMethodNumber("getMaxColumnsInTable");
  static constexpr int METHOD_getMaxConnections = metaMethodNumber("getMaxConnections");
  static constexpr int METHOD_getMaxCursorNameLength = metaMethodNumber("getMaxCursorNameLength");
  static constexpr int METHOD_getMaxIndexLength = metaMethodNumber("getMaxIndexLength");
  static constexpr int METHOD_getMaxSchemaNameLength = metaMethodNumber("getMaxSchemaNameLength");
  static constexpr int METHOD_getMaxProcedureNameLength = metaMethodNumber("getMaxProcedureNameLength");
  static constexpr int METHOD_getMaxCatalogNameLength = metaMethodNumber("getMaxCatalogNameLength");
  static constexpr int METHOD_getMaxRowSize = metaMethodNumber("getMaxRowSize");
  static constexpr int METHOD_doesMaxRowSizeIncludeBlobs = metaMethodNumber("doesMaxRowSizeIncludeBlobs");
  static constexpr int METHOD_getMaxStatementLength = metaMethodNumber("getMaxStatementLength");
  static constexpr int METHOD_getMaxStatements = metaMethodNumber("getMaxStatements");
  static constexpr int METHOD_getMaxTableNameLength = metaMethodNumber("getMaxTableNameLength");
  static constexpr int METHOD_getMaxTablesInSelect = metaMethodNumber("getMaxTablesInSelect");
  static constexpr int METHOD_getMaxUserNameLength = metaMethodNumber("getMaxUserNameLength");
  static constexpr int METHOD_getDefaultTransactionIsolation = metaMethodNumber("getDefaultTransactionIsolation");
  static constexpr int METHOD_supportsTransactions = metaMethodNumber("supportsTransactions");
  static constexpr int METHOD_supportsTransactionIsolationLevel = metaMethodNumber("supportsTransactionIsolationLevel");
  static constexpr int METHOD_supportsDDLAndDMLTransactions = metaMethodNumber("supportsDDLAndDMLTransactions");
  static constexpr int METHOD_supportsDMLTransactionsOnly = metaMethodNumber("supportsDMLTransactionsOnly");
  static constexpr int METHOD_dataDefinitionCausesTransactionCommit =
      metaMethodNumber("dataDefinitionCausesTransactionCommit");
  static constexpr int METHOD_dataDefinitionIgnoredInTransactions =
      metaMethodNumber("dataDefinitionIgnoredInTransactions");
  static constexpr int METHOD_getProcedures = metaMethodNumber("getProcedures");
  static constexpr int METHOD_getProcedureColumns = metaMethodNumber("getProcedureColumns");
  static constexpr int METHOD_getTables = metaMethodNumber("getTables");
  static constexpr int METHOD_getSchemas = metaMethodNumber("getSchemas");
  static constexpr int METHOD_getCatalogs = metaMethodNumber("getCatalogs");
  static constexpr int METHOD_getTableTypes = metaMethodNumber("getTableTypes");
  static constexpr int METHOD_getColumns = metaMethodNumber("getColumns");
  static constexpr int METHOD_getColumnPrivileges = metaMethodNumber("getColumnPrivileges");
  static constexpr int METHOD_getTablePrivileges = metaMethodNumber("getTablePrivileges");
  static constexpr int METHOD_getBestRowIdentifier = metaMethodNumber("getBestRowIdentifier");
  static constexpr int METHOD_getVersionColumns = metaMethodNumber("getVersionColumns");
  static constexpr int METHOD_getPrimaryKeys = metaMethodNumber("getPrimaryKeys");
  static constexpr int METHOD_getImportedKeys = metaMethodNumber("getImportedKeys");
  static constexpr int METHOD_getExportedKeys = metaMethodNumber("getExportedKeys");
  static constexpr int METHOD_getCrossReference = metaMethodNumber("getCrossReference");
  static constexpr int METHOD_getTypeInfo = metaMethodNumber("getTypeInfo");
  static constexpr int METHOD_getIndexInfo = metaMethodNumber("getIndexInfo");
  static constexpr int METHOD_supportsANSI92EntryLevelSQL = metaMethodNumber("supportsANSI92EntryLevelSQL");
  static constexpr int METHOD_supportsANSI92IntermediateLevelSQL =
      metaMethodNumber("supportsANSI92IntermediateLevelSQL");
  static constexpr int METHOD_supportsANSI92FullLevelSQL = metaMethodNumber("supportsANSI92FullLevelSQL");

  // resultSets is where the catalog queries' result sets are tracked; the connection shares one list among its
  // metadata objects, so a result set stays open and tracked when the metadata object that made it is dropped.
  DatabaseMetaData(std::int32_t objectID, SessionRef session, std::string url,
                   plat::lang::Ref<ResultSetList> resultSets = plat::lang::makeRef<ResultSetList>());
  ~DatabaseMetaData() override;

  // Answered locally, also after close.
  std::string getURL() override { return _url; }
  int getDriverMajorVersion() override;
  int getDriverMinorVersion() override;

  bool allProceduresAreCallable() override;
  bool allTablesAreSelectable() override;
  std::string getUserName() override;
  bool isReadOnly() override;
  bool nullsAreSortedHigh() override;
  bool nullsAreSortedLow() override;
  bool nullsAreSortedAtStart() override;
  bool nullsAreSortedAtEnd() override;
  std::string getDatabaseProductName() override;
  std::string getDatabaseProductVersion() override;
  std::string getDriverName() override;
  std::string getDriverVersion() override;
  bool usesLocalFiles() override;
  bool usesLocalFilePerTable() override;
  bool supportsMixedCaseIdentifiers() override;
  bool storesUpperCaseIdentifiers() override;
  bool storesLowerCaseIdentifiers() override;
  bool storesMixedCaseIdentifiers() override;
  bool supportsMixedCaseQuotedIdentifiers() override;
  bool storesUpperCaseQuotedIdentifiers() override;
  bool storesLowerCaseQuotedIdentifiers() override;
  bool storesMixedCaseQuotedIdentifiers() override;
  std::string getIdentifierQuoteString() override;
  std::string getSQLKeywords() override;
  std::string getNumericFunctions() override;
  std::string getStringFunctions() override;
  std::string getSystemFunctions() override;
  std::string getTimeDateFunctions() override;
  std::string getSearchStringEscape() override;
  std::string getExtraNameCharacters() override;
  bool supportsAlterTableWithAddColumn() override;
  bool supportsAlterTableWithDropColumn() override;
  bool supportsColumnAliasing() override;
  bool nullPlusNonNullIsNull() override;
  bool supportsConvert() override;
  bool supportsTableCorrelationNames() override;
  bool supportsDifferentTableCorrelationNames() override;
  bool supportsExpressionsInOrderBy() override;
  bool supportsOrderByUnrelated() override;
  bool supportsGroupBy() override;
  bool supportsGroupByUnrelated() override;
  bool supportsGroupByBeyondSelect() override;
  bool supportsLikeEscapeClause() override;
  bool supportsMultipleResultSets() override;
  bool supportsMultipleTransactions() override;
  bool supportsNonNullableColumns() override;
  bool supportsMinimumSQLGrammar() override;
  bool supportsCoreSQLGrammar() override;
  bool supportsExtendedSQLGrammar() override;
  bool supportsIntegrityEnhancementFacility() override;
  bool supportsOuterJoins() override;
  bool supportsFullOuterJoins() override;
  bool supportsLimitedOuterJoins() override;
  std::string getSchemaTerm() override;
  std::string getProcedureTerm() override;
  std::string getCatalogTerm() override;
  bool isCatalogAtStart() override;
  std::string getCatalogSeparator() override;
  bool supportsSchemasInDataManipulation() override;
  bool supportsSchemasInProcedureCalls() override;
  bool supportsSchemasInTableDefinitions() override;
  bool supportsSchemasInIndexDefinitions() override;
  bool supportsSchemasInPrivilegeDefinitions() override;
  bool supportsCatalogsInDataManipulation() override;
  bool supportsCatalogsInProcedureCalls() override;
  bool supportsCatalogsInTableDefinitions() override;
  bool supportsCatalogsInIndexDefinitions() override;
  bool supportsCatalogsInPrivilegeDefinitions() override;
  bool supportsPositionedDelete() override;
  bool supportsPositionedUpdate() override;
  bool supportsSelectForUpdate() override;
  bool supportsStoredProcedures() override;
  bool supportsSubqueriesInComparisons() override;
  bool supportsSubqueriesInExists() override;
  bool supportsSubqueriesInIns() override;
  bool supportsSubqueriesInQuantifieds() override;
  bool supportsCorrelatedSubqueries() override;
  bool supportsUnion() override;
  bool supportsUnionAll() override;
  bool supportsOpenCursorsAcrossCommit() override;
  bool supportsOpenCursorsAcrossRollback() override;
  bool supportsOpenStatementsAcrossCommit() override;
  bool supportsOpenStatementsAcrossRollback() override;
  int getMaxBinaryLiteralLength() override;
  int getMaxCharLiteralLength() override;
  int getMaxColumnNameLength() override;
  int getMaxColumnsInGroupBy() override;
  int getMaxColumnsInIndex() override;
  int getMaxColumnsInOrderBy() override;
  int getMaxColumnsInSelect() override;
  int getMaxColumnsInTable() override;
  int getMaxConnections() override;
  int getMaxCursorNameLength() override;
  int getMaxIndexLength() override;
  int getMaxSchemaNameLength() override;
  int getMaxProcedureNameLength() override;
  int getMaxCatalogNameLength() override;
  int getMaxRowSize() override;
  bool doesMaxRowSizeIncludeBlobs() override;
  int getMaxStatementLength() override;
  int getMaxStatements() override;
  int getMaxTableNameLength() override;
  int getMaxTablesInSelect() override;
  int getMaxUserNameLength() override;
  int getDefaultTransactionIsolation() override;
  bool supportsTransactions() override;
  bool supportsDataDefinitionAndDataManipulationTransactions() override;
  bool supportsDataManipulationTransactionsOnly() override;
  bool dataDefinitionCausesTransactionCommit() override;
  bool dataDefinitionIgnoredInTransactions() override;
  bool supportsANSI92EntryLevelSQL() override;
  bool supportsANSI92IntermediateSQL() override;
  bool supportsANSI92FullSQL() override;
  bool supportsConvert(int fromType, int toType) override;
  bool supportsTransactionIsolationLevel(int level) override;

  ResultSetRef getProcedures(const OptionalText& catalog, const OptionalText& schemaPattern,
                             const std::string& procedureNamePattern) override;
  ResultSetRef getProcedureColumns(const OptionalText& catalog, const OptionalText& schemaPattern,
                                   const std::string& procedureNamePattern,
                                   const std::string& columnNamePattern) override;
  ResultSetRef getTables(const OptionalText& catalog, const OptionalText& schemaPattern,
                         const std::string& tableNamePattern,
                         const std::optional<std::vector<std::string>>& types) override;
  ResultSetRef getSchemas() override;
  ResultSetRef getCatalogs() override;
  ResultSetRef getTableTypes() override;
  ResultSetRef getColumns(const OptionalText& catalog, const OptionalText& schemaPattern,
                          const std::string& tableNamePattern, const std::string& columnNamePattern) override;
  ResultSetRef getColumnPrivileges(const OptionalText& catalog, const OptionalText& schema, const std::string& table,
                                   const std::string& columnNamePattern) override;
  ResultSetRef getTablePrivileges(const OptionalText& catalog, const OptionalText& schemaPattern,
                                  const std::string& tableNamePattern) override;
  ResultSetRef getBestRowIdentifier(const OptionalText& catalog, const OptionalText& schema, const std::string& table,
                                    int scope, bool nullable) override;
  ResultSetRef getVersionColumns(const OptionalText& catalog, const OptionalText& schema,
                                 const std::string& table) override;
  ResultSetRef getPrimaryKeys(const OptionalText& catalog, const OptionalText& schema,
                              const std::string& table) override;
  ResultSetRef getImportedKeys(const OptionalText& catalog, const OptionalText& schema,
                               const std::string& table) override;
  ResultSetRef getExportedKeys(const OptionalText& catalog, const OptionalText& schema,
                               const std::string& table) override;
  ResultSetRef getCrossReference(const OptionalText& primaryCatalog, const OptionalText& primarySchema,
                                 const std::string& primaryTable, const OptionalText& foreignCatalog,
                                 const OptionalText& foreignSchema, const std::string& foreignTable) override;
  ResultSetRef getTypeInfo() override;
  ResultSetRef getIndexInfo(const OptionalText& catalog, const OptionalText& schema, const std::string& table,
                            bool unique, bool approximate) override;

  std::string getClassName() const override { return kClassName; }

  bool isClosed() const { return _isClosed; }
  // Result sets of catalog queries still open in the tracking list.
  std::size_t openResultSetCount() const { return _resultsets->size(); }

 private:
  friend class Connection;

  // Closes every tracked result set and disables the handle; sends nothing. Best effort, like every close.
  void close();

  bool askBoolean(int method);
  int askInt(int method);
  std::string askText(int method);
  // The catalog and schema arguments by the server's catalog and schema terms (methods 59 and 57): each is sent
  // only when its term is not empty, an empty text otherwise.
  Args catalogAndSchema(const OptionalText& catalog, const OptionalText& schema);
  ResultSetRef track(const net::Reply& reply);

  const std::string _url;
  plat::lang::Ref<ResultSetList> _resultsets;  // never null
  bool _isClosed = false;
};

}  // namespace quenlora::zafoli::db::jdbc
