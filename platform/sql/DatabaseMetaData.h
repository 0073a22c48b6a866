// What a database and its driver support, and catalog queries over its tables, columns, keys and procedures, in the
// JDBC 1.x object model. Catalog and schema arguments may be none, which leaves them out of the selection. Every
// operation answers SQLException "not supported" until a driver overrides it; catalog queries give result sets whose
// columns the JDBC standard describes. The closed-object contract of Connection.h applies. Used by one thread at a
// time.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/sql/SQLException.h"

namespace plat::sql {

class ResultSet;

class DatabaseMetaData : public plat::lang::Object {
 public:
  using OptionalText = std::optional<std::string>;
  using ResultSetRef = plat::lang::Ref<ResultSet>;

  // Values in the rows of the catalog queries.
  static constexpr int procedureResultUnknown = 0;
  static constexpr int procedureNoResult = 1;
  static constexpr int procedureReturnsResult = 2;
  static constexpr int procedureColumnUnknown = 0;
  static constexpr int procedureColumnIn = 1;
  static constexpr int procedureColumnInOut = 2;
  static constexpr int procedureColumnResult = 3;
  static constexpr int procedureColumnOut = 4;
  static constexpr int procedureColumnReturn = 5;
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
  static constexpr int typeNoNulls = 0;
  static constexpr int typeNullable = 1;
  static constexpr int typeNullableUnknown = 2;
  static constexpr int typePredNone = 0;
  static constexpr int typePredChar = 1;
  static constexpr int typePredBasic = 2;
  static constexpr int typeSearchable = 3;
  static constexpr int typeUnSearchable = 0;
  static constexpr int typeSearchLikeOnly = 1;
  static constexpr int typeSearchNotLike = 2;
  static constexpr short tableIndexStatistic = 0;
  static constexpr short tableIndexClustered = 1;
  static constexpr short tableIndexHashed = 2;
  static constexpr short tableIndexOther = 3;

  DatabaseMetaData() = default;
  DatabaseMetaData(const DatabaseMetaData&) = delete;
  DatabaseMetaData& operator=(const DatabaseMetaData&) = delete;
  ~DatabaseMetaData() override;

  virtual bool allProceduresAreCallable() { notSupported(); }
  virtual bool allTablesAreSelectable() { notSupported(); }
  virtual std::string getURL() { notSupported(); }
  virtual std::string getUserName() { notSupported(); }
  virtual bool isReadOnly() { notSupported(); }
  virtual bool nullsAreSortedHigh() { notSupported(); }
  virtual bool nullsAreSortedLow() { notSupported(); }
  virtual bool nullsAreSortedAtStart() { notSupported(); }
  virtual bool nullsAreSortedAtEnd() { notSupported(); }
  virtual std::string getDatabaseProductName() { notSupported(); }
  virtual std::string getDatabaseProductVersion() { notSupported(); }
  virtual std::string getDriverName() { notSupported(); }
  virtual std::string getDriverVersion() { notSupported(); }
  virtual int getDriverMajorVersion() { notSupported(); }
  virtual int getDriverMinorVersion() { notSupported(); }
  virtual bool usesLocalFiles() { notSupported(); }
  virtual bool usesLocalFilePerTable() { notSupported(); }
  virtual bool supportsMixedCaseIdentifiers() { notSupported(); }
  virtual bool storesUpperCaseIdentifiers() { notSupported(); }
  virtual bool storesLowerCaseIdentifiers() { notSupported(); }
  virtual bool storesMixedCaseIdentifiers() { notSupported(); }
  virtual bool supportsMixedCaseQuotedIdentifiers() { notSupported(); }
  virtual bool storesUpperCaseQuotedIdentifiers() { notSupported(); }
  virtual bool storesLowerCaseQuotedIdentifiers() { notSupported(); }
  virtual bool storesMixedCaseQuotedIdentifiers() { notSupported(); }
  virtual std::string getIdentifierQuoteString() { notSupported(); }
  virtual std::string getSQLKeywords() { notSupported(); }
  virtual std::string getNumericFunctions() { notSupported(); }
  virtual std::string getStringFunctions() { notSupported(); }
  virtual std::string getSystemFunctions() { notSupported(); }
  virtual std::string getTimeDateFunctions() { notSupported(); }
  virtual std::string getSearchStringEscape() { notSupported(); }
  virtual std::string getExtraNameCharacters() { notSupported(); }
  virtual bool supportsAlterTableWithAddColumn() { notSupported(); }
  virtual bool supportsAlterTableWithDropColumn() { notSupported(); }
  virtual bool supportsColumnAliasing() { notSupported(); }
  virtual bool nullPlusNonNullIsNull() { notSupported(); }
  virtual bool supportsConvert() { notSupported(); }
  virtual bool supportsConvert(int /*fromType*/, int /*toType*/) { notSupported(); }
  virtual bool supportsTableCorrelationNames() { notSupported(); }
  virtual bool supportsDifferentTableCorrelationNames() { notSupported(); }
  virtual bool supportsExpressionsInOrderBy() { notSupported(); }
  virtual bool supportsOrderByUnrelated() { notSupported(); }
  virtual bool supportsGroupBy() { notSupported(); }
  virtual bool supportsGroupByUnrelated() { notSupported(); }
  virtual bool supportsGroupByBeyondSelect() { notSupported(); }
  virtual bool supportsLikeEscapeClause() { notSupported(); }
  virtual bool supportsMultipleResultSets() { notSupported(); }
  virtual bool supportsMultipleTransactions() { notSupported(); }
  virtual bool supportsNonNullableColumns() { notSupported(); }
  virtual bool supportsMinimumSQLGrammar() { notSupported(); }
  virtual bool supportsCoreSQLGrammar() { notSupported(); }
  virtual bool supportsExtendedSQLGrammar() { notSupported(); }
  virtual bool supportsIntegrityEnhancementFacility() { notSupported(); }
  virtual bool supportsOuterJoins() { notSupported(); }
  virtual bool supportsFullOuterJoins() { notSupported(); }
  virtual bool supportsLimitedOuterJoins() { notSupported(); }
  virtual std::string getSchemaTerm() { notSupported(); }
  virtual std::string getProcedureTerm() { notSupported(); }
  virtual std::string getCatalogTerm() { notSupported(); }
  virtual bool isCatalogAtStart() { notSupported(); }
  virtual std::string getCatalogSeparator() { notSupported(); }
  virtual bool supportsSchemasInDataManipulation() { notSupported(); }
  virtual bool supportsSchemasInProcedureCalls() { notSupported(); }
  virtual bool supportsSchemasInTableDefinitions() { notSupported(); }
  virtual bool supportsSchemasInIndexDefinitions() { notSupported(); }
  virtual bool supportsSchemasInPrivilegeDefinitions() { notSupported(); }
  virtual bool supportsCatalogsInDataManipulation() { notSupported(); }
  virtual bool supportsCatalogsInProcedureCalls() { notSupported(); }
  virtual bool supportsCatalogsInTableDefinitions() { notSupported(); }
  virtual bool supportsCatalogsInIndexDefinitions() { notSupported(); }
  virtual bool supportsCatalogsInPrivilegeDefinitions() { notSupported(); }
  virtual bool supportsPositionedDelete() { notSupported(); }
  virtual bool supportsPositionedUpdate() { notSupported(); }
  virtual bool supportsSelectForUpdate() { notSupported(); }
  virtual bool supportsStoredProcedures() { notSupported(); }
  virtual bool supportsSubqueriesInComparisons() { notSupported(); }
  virtual bool supportsSubqueriesInExists() { notSupported(); }
  virtual bool supportsSubqueriesInIns() { notSupported(); }
  virtual bool supportsSubqueriesInQuantifieds() { notSupported(); }
  virtual bool supportsCorrelatedSubqueries() { notSupported(); }
  virtual bool supportsUnion() { notSupported(); }
  virtual bool supportsUnionAll() { notSupported(); }
  virtual bool supportsOpenCursorsAcrossCommit() { notSupported(); }
  virtual bool supportsOpenCursorsAcrossRollback() { notSupported(); }
  virtual bool supportsOpenStatementsAcrossCommit() { notSupported(); }
  virtual bool supportsOpenStatementsAcrossRollback() { notSupported(); }
  virtual int getMaxBinaryLiteralLength() { notSupported(); }
  virtual int getMaxCharLiteralLength() { notSupported(); }
  virtual int getMaxColumnNameLength() { notSupported(); }
  virtual int getMaxColumnsInGroupBy() { notSupported(); }
  virtual int getMaxColumnsInIndex() { notSupported(); }
  virtual int getMaxColumnsInOrderBy() { notSupported(); }
  virtual int getMaxColumnsInSelect() { notSupported(); }
  virtual int getMaxColumnsInTable() { notSupported(); }
  virtual int getMaxConnections() { notSupported(); }
  virtual int getMaxCursorNameLength() { notSupported(); }
  virtual int getMaxIndexLength() { notSupported(); }
  virtual int getMaxSchemaNameLength() { notSupported(); }
  virtual int getMaxProcedureNameLength() { notSupported(); }
  virtual int getMaxCatalogNameLength() { notSupported(); }
  virtual int getMaxRowSize() { notSupported(); }
  virtual bool doesMaxRowSizeIncludeBlobs() { notSupported(); }
  virtual int getMaxStatementLength() { notSupported(); }
  virtual int getMaxStatements() { notSupported(); }
  virtual int getMaxTableNameLength() { notSupported(); }
  virtual int getMaxTablesInSelect() { notSupported(); }
  virtual int getMaxUserNameLength() { notSupported(); }
  virtual int getDefaultTransactionIsolation() { notSupported(); }
  virtual bool supportsTransactions() { notSupported(); }
  virtual bool supportsTransactionIsolationLevel(int /*level*/) { notSupported(); }
  virtual bool supportsDataDefinitionAndDataManipulationTransactions() { notSupported(); }
  virtual bool supportsDataManipulationTransactionsOnly() { notSupported(); }
  virtual bool dataDefinitionCausesTransactionCommit() { notSupported(); }
  virtual bool dataDefinitionIgnoredInTransactions() { notSupported(); }
  virtual ResultSetRef getProcedures(const OptionalText& /*catalog*/, const OptionalText& /*schemaPattern*/,
                                     const std::string& /*procedureNamePattern*/) {
    notSupported();
  }
  virtual ResultSetRef getProcedureColumns(const OptionalText& /*catalog*/, const OptionalText& /*schemaPattern*/,
                                           const std::string& /*procedureNamePattern*/,
                                           const std::string& /*columnNamePattern*/) {
    notSupported();
  }
  // types: none for every table type.
  virtual ResultSetRef getTables(const OptionalText& /*catalog*/, const OptionalText& /*schemaPattern*/,
                                 const std::string& /*tableNamePattern*/,
                                 const std::optional<std::vector<std::string>>& /*types*/) {
    notSupported();
  }
  virtual ResultSetRef getSchemas() { notSupported(); }
  virtual ResultSetRef getCatalogs() { notSupported(); }
  virtual ResultSetRef getTableTypes() { notSupported(); }
  virtual ResultSetRef getColumns(const OptionalText& /*catalog*/, const OptionalText& /*schemaPattern*/,
                                  const std::string& /*tableNamePattern*/, const std::string& /*columnNamePattern*/) {
    notSupported();
  }
  virtual ResultSetRef getColumnPrivileges(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                           const std::string& /*table*/, const std::string& /*columnNamePattern*/) {
    notSupported();
  }
  virtual ResultSetRef getTablePrivileges(const OptionalText& /*catalog*/, const OptionalText& /*schemaPattern*/,
                                          const std::string& /*tableNamePattern*/) {
    notSupported();
  }
  virtual ResultSetRef getBestRowIdentifier(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                            const std::string& /*table*/, int /*scope*/, bool /*nullable*/) {
    notSupported();
  }
  virtual ResultSetRef getVersionColumns(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                         const std::string& /*table*/) {
    notSupported();
  }
  virtual ResultSetRef getPrimaryKeys(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                      const std::string& /*table*/) {
    notSupported();
  }
  virtual ResultSetRef getImportedKeys(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                       const std::string& /*table*/) {
    notSupported();
  }
  virtual ResultSetRef getExportedKeys(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                       const std::string& /*table*/) {
    notSupported();
  }
  virtual ResultSetRef getCrossReference(const OptionalText& /*primaryCatalog*/, const OptionalText& /*primarySchema*/,
                                         const std::string& /*primaryTable*/, const OptionalText& /*foreignCatalog*/,
                                         const OptionalText& /*foreignSchema*/, const std::string& /*foreignTable*/) {
    notSupported();
  }
  virtual ResultSetRef getTypeInfo() { notSupported(); }
  virtual ResultSetRef getIndexInfo(const OptionalText& /*catalog*/, const OptionalText& /*schema*/,
                                    const std::string& /*table*/, bool /*unique*/, bool /*approximate*/) {
    notSupported();
  }
  virtual bool supportsANSI92EntryLevelSQL() { notSupported(); }
  virtual bool supportsANSI92IntermediateSQL() { notSupported(); }
  virtual bool supportsANSI92FullSQL() { notSupported(); }
};

}  // namespace plat::sql
