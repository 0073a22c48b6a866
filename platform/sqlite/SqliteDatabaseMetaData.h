// What SQLite and this driver support, and the catalog queries over sqlite_master and SQLite's table, index and key
// pragmas, answered as result sets with the JDBC column names. Catalog result sets stay open until closed or until the
// connection closes. Used by one thread at a time, like its connection.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/Connection.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace plat::sql::sqlite {

class SqliteDatabaseMetaData : public DatabaseMetaData {
 public:
  static constexpr const char* kProductName = "SQLite";
  static constexpr const char* kDriverName = "SQLite driver";

  // connection answers isReadOnly(); it is held weakly, so the metadata does not keep it open.
  SqliteDatabaseMetaData(std::shared_ptr<SqliteDatabase> db, std::string url, std::weak_ptr<Connection> connection);

  bool allProceduresAreCallable() override;
  bool allTablesAreSelectable() override;
  bool nullsAreSortedHigh() override;
  bool nullsAreSortedLow() override;
  bool nullsAreSortedAtStart() override;
  bool nullsAreSortedAtEnd() override;
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
  std::string getUserName() override;
  bool supportsConvert(int fromType, int toType) override;
  bool supportsTransactionIsolationLevel(int level) override;
  std::string getURL() override;
  bool isReadOnly() override;
  std::string getDatabaseProductName() override;
  std::string getDatabaseProductVersion() override;
  std::string getDriverName() override;
  std::string getDriverVersion() override;
  int getDriverMajorVersion() override;
  int getDriverMinorVersion() override;

  ResultSetRef getTables(const OptionalText& catalog, const OptionalText& schemaPattern,
                         const std::string& tableNamePattern,
                         const std::optional<std::vector<std::string>>& types) override;
  ResultSetRef getSchemas() override;
  ResultSetRef getCatalogs() override;
  ResultSetRef getTableTypes() override;
  ResultSetRef getColumns(const OptionalText& catalog, const OptionalText& schemaPattern,
                          const std::string& tableNamePattern, const std::string& columnNamePattern) override;
  ResultSetRef getPrimaryKeys(const OptionalText& catalog, const OptionalText& schema,
                              const std::string& table) override;
  ResultSetRef getIndexInfo(const OptionalText& catalog, const OptionalText& schema, const std::string& table,
                            bool unique, bool approximate) override;
  // No procedures in SQLite: an empty result.
  ResultSetRef getProcedures(const OptionalText& catalog, const OptionalText& schemaPattern,
                             const std::string& procedureNamePattern) override;
  // Foreign keys from SQLite's foreign-key pragma: the keys of table, and the keys of other tables that refer to it.
  ResultSetRef getImportedKeys(const OptionalText& catalog, const OptionalText& schema,
                               const std::string& table) override;
  ResultSetRef getExportedKeys(const OptionalText& catalog, const OptionalText& schema,
                               const std::string& table) override;
  // One row per declared type name the driver reads as its own JDBC type, ordered by DATA_TYPE.
  ResultSetRef getTypeInfo() override;

 private:
  void checkOpen() const;
  // Runs a catalog query with text parameters and hands out its result set, tracked by the database.
  ResultSetRef query(const std::string& sql, const std::vector<std::string>& parameters);

  std::shared_ptr<SqliteDatabase> db_;
  std::string url_;
  std::weak_ptr<Connection> connection_;
};

}  // namespace plat::sql::sqlite
