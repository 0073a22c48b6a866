#include "quenlora/zafoli/db/jdbc/DatabaseMetaData.h"

#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/TextParam.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

using net::Param;

plat::lang::Ref<net::ServerObject> text(const std::optional<std::string>& value) {
  return plat::lang::makeRef<net::TextParam>(0, value.value_or(""));
}

}  // namespace

DatabaseMetaData::DatabaseMetaData(std::int32_t objectID, SessionRef session, std::string url,
                                   plat::lang::Ref<ResultSetList> resultSets)
    : ProxyObject(SERVER_CLASS, objectID, std::move(session)),
      _url(std::move(url)),
      _resultsets(std::move(resultSets)) {}

DatabaseMetaData::~DatabaseMetaData() {
  // Dropping the object leaves its result sets to their holders (getMetaData()->getTables(...) must stay usable);
  // they are still tracked and closed with the connection.
  disable();
}

void DatabaseMetaData::close() {
  if (_isClosed) return;
  _isClosed = true;
  net::BestEffort steps;
  for (const auto& rs : _resultsets->takeAll()) steps.run([&] { rs->close(); });
  disable();
  steps.rethrow();
}

bool DatabaseMetaData::askBoolean(int method) {
  return invokeMethod(method).getBoolean(0);
}

int DatabaseMetaData::askInt(int method) {
  return invokeMethod(method).getInt(0);
}

std::string DatabaseMetaData::askText(int method) {
  return invokeMethod(method).getString(0);
}

ProxyObject::Args DatabaseMetaData::catalogAndSchema(const OptionalText& catalog, const OptionalText& schema) {
  const bool catalogs = !getCatalogTerm().empty();
  const bool schemas = !getSchemaTerm().empty();
  return Args{text(catalogs ? catalog : std::nullopt), text(schemas ? schema : std::nullopt)};
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::track(const net::Reply& reply) {
  auto rs = plat::lang::makeRef<ResultSet>(reply, getSession(), _resultsets);
  if (!rs->isClosed()) _resultsets->add(rs);
  return rs;
}

int DatabaseMetaData::getDriverMajorVersion() {
  return Driver::kMajorVersion;
}

int DatabaseMetaData::getDriverMinorVersion() {
  return Driver::kMinorVersion;
}

bool DatabaseMetaData::allProceduresAreCallable() {
  return askBoolean(METHOD_allProceduresAreCallable);
}

bool DatabaseMetaData::allTablesAreSelectable() {
  return askBoolean(METHOD_allTablesAreSelectable);
}

std::string DatabaseMetaData::getUserName() {
  return askText(METHOD_getUserName);
}

bool DatabaseMetaData::isReadOnly() {
  return askBoolean(METHOD_isReadOnly);
}

bool DatabaseMetaData::nullsAreSortedHigh() {
  return askBoolean(METHOD_nullsAreSortedHigh);
}

bool DatabaseMetaData::nullsAreSortedLow() {
  return askBoolean(METHOD_nullsAreSortedLow);
}

bool DatabaseMetaData::nullsAreSortedAtStart() {
  return askBoolean(METHOD_nullsAreSortedAtStart);
}

bool DatabaseMetaData::nullsAreSortedAtEnd() {
  return askBoolean(METHOD_nullsAreSortedAtEnd);
}

std::string DatabaseMetaData::getDatabaseProductName() {
  return askText(METHOD_getDatabaseProductName);
}

std::string DatabaseMetaData::getDatabaseProductVersion() {
  return askText(METHOD_getDatabaseProductVersion);
}

std::string DatabaseMetaData::getDriverName() {
  return askText(METHOD_getDriverName);
}

std::string DatabaseMetaData::getDriverVersion() {
  return askText(METHOD_getDriverVersion);
}

bool DatabaseMetaData::usesLocalFiles() {
  return askBoolean(METHOD_usesLocalFiles);
}

bool DatabaseMetaData::usesLocalFilePerTable() {
  return askBoolean(METHOD_usesLocalFilePerTable);
}

bool DatabaseMetaData::supportsMixedCaseIdentifiers() {
  return askBoolean(METHOD_supportsMixedCaseIdentifiers);
}

bool DatabaseMetaData::storesUpperCaseIdentifiers() {
  return askBoolean(METHOD_storesUpperCaseIdentifiers);
}

bool DatabaseMetaData::storesLowerCaseIdentifiers() {
  return askBoolean(METHOD_storesLowerCaseIdentifiers);
}

bool DatabaseMetaData::storesMixedCaseIdentifiers() {
  return askBoolean(METHOD_storesMixedCaseIdentifiers);
}

bool DatabaseMetaData::supportsMixedCaseQuotedIdentifiers() {
  return askBoolean(METHOD_supportsMixedCaseQuotedIdentifiers);
}

bool DatabaseMetaData::storesUpperCaseQuotedIdentifiers() {
  return askBoolean(METHOD_storesUpperCaseQuotedIdentifiers);
}

bool DatabaseMetaData::storesLowerCaseQuotedIdentifiers() {
  return askBoolean(METHOD_storesLowerCaseQuotedIdentifiers);
}

bool DatabaseMetaData::storesMixedCaseQuotedIdentifiers() {
  return askBoolean(METHOD_storesMixedCaseQuotedIdentifiers);
}

std::string DatabaseMetaData::getIdentifierQuoteString() {
  return askText(METHOD_getIdentifierQuoteString);
}

std::string DatabaseMetaData::getSQLKeywords() {
  return askText(METHOD_getSQLKeywords);
}

std::string DatabaseMetaData::getNumericFunctions() {
  return askText(METHOD_getNumericFunctions);
}

std::string DatabaseMetaData::getStringFunctions() {
  return askText(METHOD_getStringFunctions);
}

std::string DatabaseMetaData::getSystemFunctions() {
  return askText(METHOD_getSystemFunctions);
}

std::string DatabaseMetaData::getTimeDateFunctions() {
  return askText(METHOD_getTimeDateFunctions);
}

std::string DatabaseMetaData::getSearchStringEscape() {
  return askText(METHOD_getSearchStringEscape);
}

std::string DatabaseMetaData::getExtraNameCharacters() {
  return askText(METHOD_getExtraNameCharacters);
}

bool DatabaseMetaData::supportsAlterTableWithAddColumn() {
  return askBoolean(METHOD_supportsAlterTableWithAddColumn);
}

bool DatabaseMetaData::supportsAlterTableWithDropColumn() {
  return askBoolean(METHOD_supportsAlterTableWithDropColumn);
}

bool DatabaseMetaData::supportsColumnAliasing() {
  return askBoolean(METHOD_supportsColumnAliasing);
}

bool DatabaseMetaData::nullPlusNonNullIsNull() {
  return askBoolean(METHOD_nullPlusNonNullIsNull);
}

bool DatabaseMetaData::supportsConvert() {
  return askBoolean(METHOD_supportsConvert);
}

bool DatabaseMetaData::supportsTableCorrelationNames() {
  return askBoolean(METHOD_supportsTableCorrelationNames);
}

bool DatabaseMetaData::supportsDifferentTableCorrelationNames() {
  return askBoolean(METHOD_supportsDifferentTableCorrelationNames);
}

bool DatabaseMetaData::supportsExpressionsInOrderBy() {
  return askBoolean(METHOD_supportsExpressionsInOrderBy);
}

bool DatabaseMetaData::supportsOrderByUnrelated() {
  return askBoolean(METHOD_supportsOrderByUnrelated);
}

bool DatabaseMetaData::supportsGroupBy() {
  return askBoolean(METHOD_supportsGroupBy);
}

bool DatabaseMetaData::supportsGroupByUnrelated() {
  return askBoolean(METHOD_supportsGroupByUnrelated);
}

bool DatabaseMetaData::supportsGroupByBeyondSelect() {
  return askBoolean(METHOD_supportsGroupByBeyondSelect);
}

bool DatabaseMetaData::supportsLikeEscapeClause() {
  return askBoolean(METHOD_supportsLikeEscapeClause);
}

bool DatabaseMetaData::supportsMultipleResultSets() {
  return askBoolean(METHOD_supportsMultipleResultSets);
}

bool DatabaseMetaData::supportsMultipleTransactions() {
  return askBoolean(METHOD_supportsMultipleTransactions);
}

bool DatabaseMetaData::supportsNonNullableColumns() {
  return askBoolean(METHOD_supportsNonNullableColumns);
}

bool DatabaseMetaData::supportsMinimumSQLGrammar() {
  return askBoolean(METHOD_supportsMinimumSQLGrammar);
}

bool DatabaseMetaData::supportsCoreSQLGrammar() {
  return askBoolean(METHOD_supportsCoreSQLGrammar);
}

bool DatabaseMetaData::supportsExtendedSQLGrammar() {
  return askBoolean(METHOD_supportsExtendedSQLGrammar);
}

bool DatabaseMetaData::supportsIntegrityEnhancementFacility() {
  return askBoolean(METHOD_supportsIntegrityEnhancementFacility);
}

bool DatabaseMetaData::supportsOuterJoins() {
  return askBoolean(METHOD_supportsOuterJoins);
}

bool DatabaseMetaData::supportsFullOuterJoins() {
  return askBoolean(METHOD_supportsFullOuterJoins);
}

bool DatabaseMetaData::supportsLimitedOuterJoins() {
  return askBoolean(METHOD_supportsLimitedOuterJoins);
}

std::string DatabaseMetaData::getSchemaTerm() {
  return askText(METHOD_getSchemaTerm);
}

std::string DatabaseMetaData::getProcedureTerm() {
  return askText(METHOD_getProcedureTerm);
}

std::string DatabaseMetaData::getCatalogTerm() {
  return askText(METHOD_getCatalogTerm);
}

bool DatabaseMetaData::isCatalogAtStart() {
  return askBoolean(METHOD_isCatalogAtStart);
}

std::string DatabaseMetaData::getCatalogSeparator() {
  return askText(METHOD_getCatalogSeparator);
}

bool DatabaseMetaData::supportsSchemasInDataManipulation() {
  return askBoolean(METHOD_supportsSchemasInDML);
}

bool DatabaseMetaData::supportsSchemasInProcedureCalls() {
  return askBoolean(METHOD_supportsSchemasInProcedureCalls);
}

bool DatabaseMetaData::supportsSchemasInTableDefinitions() {
  return askBoolean(METHOD_supportsSchemasInTableDefinitions);
}

bool DatabaseMetaData::supportsSchemasInIndexDefinitions() {
  return askBoolean(METHOD_supportsSchemasInIndexDefinitions);
}

bool DatabaseMetaData::supportsSchemasInPrivilegeDefinitions() {
  return askBoolean(METHOD_supportsSchemasInPrivilegeDefinitions);
}

bool DatabaseMetaData::supportsCatalogsInDataManipulation() {
  return askBoolean(METHOD_supportsCatalogsInDML);
}

bool DatabaseMetaData::supportsCatalogsInProcedureCalls() {
  return askBoolean(METHOD_supportsCatalogsInProcedureCalls);
}

bool DatabaseMetaData::supportsCatalogsInTableDefinitions() {
  return askBoolean(METHOD_supportsCatalogsInTableDefinitions);
}

bool DatabaseMetaData::supportsCatalogsInIndexDefinitions() {
  return askBoolean(METHOD_supportsCatalogsInIndexDefinitions);
}

bool DatabaseMetaData::supportsCatalogsInPrivilegeDefinitions() {
  return askBoolean(METHOD_supportsCatalogsInPrivilegeDefinitions);
}

bool DatabaseMetaData::supportsPositionedDelete() {
  return askBoolean(METHOD_supportsPositionedDelete);
}

bool DatabaseMetaData::supportsPositionedUpdate() {
  return askBoolean(METHOD_supportsPositionedUpdate);
}

bool DatabaseMetaData::supportsSelectForUpdate() {
  return askBoolean(METHOD_supportsSelectForUpdate);
}

bool DatabaseMetaData::supportsStoredProcedures() {
  return askBoolean(METHOD_supportsStoredProcedures);
}

bool DatabaseMetaData::supportsSubqueriesInComparisons() {
  return askBoolean(METHOD_supportsSubqueriesInComparisons);
}

bool DatabaseMetaData::supportsSubqueriesInExists() {
  return askBoolean(METHOD_supportsSubqueriesInExists);
}

bool DatabaseMetaData::supportsSubqueriesInIns() {
  return askBoolean(METHOD_supportsSubqueriesInIns);
}

bool DatabaseMetaData::supportsSubqueriesInQuantifieds() {
  return askBoolean(METHOD_supportsSubqueriesInQuantifieds);
}

bool DatabaseMetaData::supportsCorrelatedSubqueries() {
  return askBoolean(METHOD_supportsCorrelatedSubqueries);
}

bool DatabaseMetaData::supportsUnion() {
  return askBoolean(METHOD_supportsUnion);
}

bool DatabaseMetaData::supportsUnionAll() {
  return askBoolean(METHOD_supportsUnionAll);
}

bool DatabaseMetaData::supportsOpenCursorsAcrossCommit() {
  return askBoolean(METHOD_supportsOpenCursorsAcrossCommit);
}

bool DatabaseMetaData::supportsOpenCursorsAcrossRollback() {
  return askBoolean(METHOD_supportsOpenCursorsAcrossRollback);
}

bool DatabaseMetaData::supportsOpenStatementsAcrossCommit() {
  return askBoolean(METHOD_supportsOpenStatementsAcrossCommit);
}

bool DatabaseMetaData::supportsOpenStatementsAcrossRollback() {
  return askBoolean(METHOD_supportsOpenStatementsAcrossRollback);
}

int DatabaseMetaData::getMaxBinaryLiteralLength() {
  return askInt(METHOD_getMaxBinaryLiteralLength);
}

int DatabaseMetaData::getMaxCharLiteralLength() {
  return askInt(METHOD_getMaxCharLiteralLength);
}

int DatabaseMetaData::getMaxColumnNameLength() {
  return askInt(METHOD_getMaxColumnNameLength);
}

int DatabaseMetaData::getMaxColumnsInGroupBy() {
  return askInt(METHOD_getMaxColumnsInGroupBy);
}

int DatabaseMetaData::getMaxColumnsInIndex() {
  return askInt(METHOD_getMaxColumnsInIndex);
}

int DatabaseMetaData::getMaxColumnsInOrderBy() {
  return askInt(METHOD_getMaxColumnsInOrderBy);
}

int DatabaseMetaData::getMaxColumnsInSelect() {
  return askInt(METHOD_getMaxColumnsInSelect);
}

int DatabaseMetaData::getMaxColumnsInTable() {
  return askInt(METHOD_getMaxColumnsInTable);
}

int DatabaseMetaData::getMaxConnections() {
  return askInt(METHOD_getMaxConnections);
}

int DatabaseMetaData::getMaxCursorNameLength() {
  return askInt(METHOD_getMaxCursorNameLength);
}

int DatabaseMetaData::getMaxIndexLength() {
  return askInt(METHOD_getMaxIndexLength);
}

int DatabaseMetaData::getMaxSchemaNameLength() {
  return askInt(METHOD_getMaxSchemaNameLength);
}

int DatabaseMetaData::getMaxProcedureNameLength() {
  return askInt(METHOD_getMaxProcedureNameLength);
}

int DatabaseMetaData::getMaxCatalogNameLength() {
  return askInt(METHOD_getMaxCatalogNameLength);
}

int DatabaseMetaData::getMaxRowSize() {
  return askInt(METHOD_getMaxRowSize);
}

bool DatabaseMetaData::doesMaxRowSizeIncludeBlobs() {
  return askBoolean(METHOD_doesMaxRowSizeIncludeBlobs);
}

int DatabaseMetaData::getMaxStatementLength() {
  return askInt(METHOD_getMaxStatementLength);
}

int DatabaseMetaData::getMaxStatements() {
  return askInt(METHOD_getMaxStatements);
}

int DatabaseMetaData::getMaxTableNameLength() {
  return askInt(METHOD_getMaxTableNameLength);
}

int DatabaseMetaData::getMaxTablesInSelect() {
  return askInt(METHOD_getMaxTablesInSelect);
}

int DatabaseMetaData::getMaxUserNameLength() {
  return askInt(METHOD_getMaxUserNameLength);
}

int DatabaseMetaData::getDefaultTransactionIsolation() {
  return askInt(METHOD_getDefaultTransactionIsolation);
}

bool DatabaseMetaData::supportsTransactions() {
  return askBoolean(METHOD_supportsTransactions);
}

bool DatabaseMetaData::supportsDataDefinitionAndDataManipulationTransactions() {
  return askBoolean(METHOD_supportsDDLAndDMLTransactions);
}

bool DatabaseMetaData::supportsDataManipulationTransactionsOnly() {
  return askBoolean(METHOD_supportsDMLTransactionsOnly);
}

bool DatabaseMetaData::dataDefinitionCausesTransactionCommit() {
  return askBoolean(METHOD_dataDefinitionCausesTransactionCommit);
}

bool DatabaseMetaData::dataDefinitionIgnoredInTransactions() {
  return askBoolean(METHOD_dataDefinitionIgnoredInTransactions);
}

bool DatabaseMetaData::supportsANSI92EntryLevelSQL() {
  return askBoolean(METHOD_supportsANSI92EntryLevelSQL);
}

bool DatabaseMetaData::supportsANSI92IntermediateSQL() {
  return askBoolean(METHOD_supportsANSI92IntermediateLevelSQL);
}

bool DatabaseMetaData::supportsANSI92FullSQL() {
  return askBoolean(METHOD_supportsANSI92FullLevelSQL);
}

bool DatabaseMetaData::supportsConvert(int fromType, int toType) {
  return invokeMethod(METHOD_supportsConvert2, Args{Param::ofInt(0, fromType), Param::ofInt(0, toType)}).getBoolean(0);
}

bool DatabaseMetaData::supportsTransactionIsolationLevel(int level) {
  return invokeMethod(METHOD_supportsTransactionIsolationLevel, std::int32_t{level}).getBoolean(0);
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getProcedures(const OptionalText& catalog,
                                                               const OptionalText& schemaPattern,
                                                               const std::string& procedureNamePattern) {
  Args args = catalogAndSchema(catalog, schemaPattern);
  args.push_back(text(procedureNamePattern));
  return track(invokeMethod(METHOD_getProcedures, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getProcedureColumns(const OptionalText& catalog,
                                                                     const OptionalText& schemaPattern,
                                                                     const std::string& procedureNamePattern,
                                                                     const std::string& columnNamePattern) {
  Args args = catalogAndSchema(catalog, schemaPattern);
  args.push_back(text(procedureNamePattern));
  args.push_back(text(columnNamePattern));
  return track(invokeMethod(METHOD_getProcedureColumns, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getTables(const OptionalText& catalog,
                                                           const OptionalText& schemaPattern,
                                                           const std::string& tableNamePattern,
                                                           const std::optional<std::vector<std::string>>& types) {
  Args args = catalogAndSchema(catalog, schemaPattern);
  args.push_back(text(tableNamePattern));
  if (types) {
    for (const auto& type : *types) args.push_back(text(type));
  }
  return track(invokeMethod(METHOD_getTables, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getSchemas() {
  return track(invokeMethod(METHOD_getSchemas));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getCatalogs() {
  return track(invokeMethod(METHOD_getCatalogs));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getTableTypes() {
  return track(invokeMethod(METHOD_getTableTypes));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getColumns(const OptionalText& catalog,
                                                            const OptionalText& schemaPattern,
                                                            const std::string& tableNamePattern,
                                                            const std::string& columnNamePattern) {
  Args args = catalogAndSchema(catalog, schemaPattern);
  args.push_back(text(tableNamePattern));
  args.push_back(text(columnNamePattern));
  return track(invokeMethod(METHOD_getColumns, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getColumnPrivileges(const OptionalText& catalog,
                                                                     const OptionalText& schema,
                                                                     const std::string& table,
                                                                     const std::string& columnNamePattern) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  args.push_back(text(columnNamePattern));
  return track(invokeMethod(METHOD_getColumnPrivileges, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getTablePrivileges(const OptionalText& catalog,
                                                                    const OptionalText& schemaPattern,
                                                                    const std::string& tableNamePattern) {
  Args args = catalogAndSchema(catalog, schemaPattern);
  args.push_back(text(tableNamePattern));
  return track(invokeMethod(METHOD_getTablePrivileges, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getBestRowIdentifier(const OptionalText& catalog,
                                                                      const OptionalText& schema,
                                                                      const std::string& table, int scope,
                                                                      bool nullable) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  args.push_back(Param::ofInt(0, scope));
  args.push_back(Param::ofBoolean(0, nullable));
  return track(invokeMethod(METHOD_getBestRowIdentifier, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getVersionColumns(const OptionalText& catalog,
                                                                   const OptionalText& schema,
                                                                   const std::string& table) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  return track(invokeMethod(METHOD_getVersionColumns, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getPrimaryKeys(const OptionalText& catalog, const OptionalText& schema,
                                                                const std::string& table) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  return track(invokeMethod(METHOD_getPrimaryKeys, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getImportedKeys(const OptionalText& catalog,
                                                                 const OptionalText& schema, const std::string& table) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  return track(invokeMethod(METHOD_getImportedKeys, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getExportedKeys(const OptionalText& catalog,
                                                                 const OptionalText& schema, const std::string& table) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  return track(invokeMethod(METHOD_getExportedKeys, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getCrossReference(
    const OptionalText& primaryCatalog, const OptionalText& primarySchema, const std::string& primaryTable,
    const OptionalText& foreignCatalog, const OptionalText& foreignSchema, const std::string& foreignTable) {
  // Sent as given: the term rule does not apply here.
  const Args args{text(primaryCatalog), text(primarySchema), text(primaryTable),
                  text(foreignCatalog), text(foreignSchema), text(foreignTable)};
  return track(invokeMethod(METHOD_getCrossReference, args));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getTypeInfo() {
  return track(invokeMethod(METHOD_getTypeInfo));
}

DatabaseMetaData::ResultSetRef DatabaseMetaData::getIndexInfo(const OptionalText& catalog, const OptionalText& schema,
                                                              const std::string& table, bool unique, bool approximate) {
  Args args = catalogAndSchema(catalog, schema);
  args.push_back(text(table));
  args.push_back(Param::ofBoolean(0, unique));
  args.push_back(Param::ofBoolean(0, approximate));
  return track(invokeMethod(METHOD_getIndexInfo, args));
}

}  // namespace quenlora::zafoli::db::jdbc
