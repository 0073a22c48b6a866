#include "platform/sqlite/SqliteDatabaseMetaData.h"

#include <sqlite3.h>

#include "platform/sql/SQLException.h"
#include "platform/sqlite/SqliteDriver.h"
#include "platform/sqlite/SqliteResultSet.h"
#include "platform/sqlite/SqliteTypes.h"

namespace plat::sql::sqlite {
namespace {

constexpr int kTypeCode = 0;
constexpr int kTypeName = 1;
constexpr int kTypeSize = 2;
constexpr int kTypeScale = 3;

// jdbc_type(declared), jdbc_type_name(declared), jdbc_size(declared), jdbc_scale(declared): the driver's reading of
// a declared column type, for the catalog queries.
void declaredTypeFunction(sqlite3_context* context, int /*argc*/, sqlite3_value** argv) {
  const auto* text = sqlite3_value_text(argv[0]);
  SqliteColumnType type = columnTypeOf(text != nullptr ? reinterpret_cast<const char*>(text) : "");
  switch (*static_cast<int*>(sqlite3_user_data(context))) {
    case kTypeCode:
      sqlite3_result_int(context, type.jdbcType);
      break;
    case kTypeName:
      sqlite3_result_text(context, type.typeName.c_str(), static_cast<int>(type.typeName.size()), SQLITE_TRANSIENT);
      break;
    case kTypeSize:
      sqlite3_result_int(context, type.precision);
      break;
    default:
      sqlite3_result_int(context, type.scale);
      break;
  }
}

void registerTypeFunctions(sqlite3* db) {
  static int codes[] = {kTypeCode, kTypeName, kTypeSize, kTypeScale};
  static const char* names[] = {"jdbc_type", "jdbc_type_name", "jdbc_size", "jdbc_scale"};
  for (int i = 0; i < 4; ++i)
    sqlite3_create_function(db, names[i], 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, &codes[i], declaredTypeFunction,
                            nullptr, nullptr);
}

// A JDBC name pattern ('%' and '_', escape '\\') as the pattern of SQLite's LIKE with ESCAPE '\\'.
const char* kLikeEscape = " ESCAPE '\\'";

}  // namespace

SqliteDatabaseMetaData::SqliteDatabaseMetaData(std::shared_ptr<SqliteDatabase> db, std::string url,
                                               std::weak_ptr<Connection> connection)
    : db_(std::move(db)), url_(std::move(url)), connection_(std::move(connection)) {
  registerTypeFunctions(db_->handle());
}

void SqliteDatabaseMetaData::checkOpen() const {
  db_->handle();
}

bool SqliteDatabaseMetaData::allProceduresAreCallable() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::allTablesAreSelectable() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::nullsAreSortedHigh() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::nullsAreSortedLow() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::nullsAreSortedAtStart() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::nullsAreSortedAtEnd() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::usesLocalFiles() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::usesLocalFilePerTable() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsMixedCaseIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesUpperCaseIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesLowerCaseIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesMixedCaseIdentifiers() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsMixedCaseQuotedIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesUpperCaseQuotedIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesLowerCaseQuotedIdentifiers() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::storesMixedCaseQuotedIdentifiers() {
  checkOpen();
  return true;
}

std::string SqliteDatabaseMetaData::getIdentifierQuoteString() {
  checkOpen();
  return "\"";
}

std::string SqliteDatabaseMetaData::getSQLKeywords() {
  checkOpen();
  return "";
}

std::string SqliteDatabaseMetaData::getNumericFunctions() {
  checkOpen();
  return "abs,max,min,round,random";
}

std::string SqliteDatabaseMetaData::getStringFunctions() {
  checkOpen();
  return "length,lower,upper,substr,trim,ltrim,rtrim,replace,instr";
}

std::string SqliteDatabaseMetaData::getSystemFunctions() {
  checkOpen();
  return "";
}

std::string SqliteDatabaseMetaData::getTimeDateFunctions() {
  checkOpen();
  return "date,time,datetime,julianday,strftime";
}

std::string SqliteDatabaseMetaData::getSearchStringEscape() {
  checkOpen();
  return "\\";
}

std::string SqliteDatabaseMetaData::getExtraNameCharacters() {
  checkOpen();
  return "";
}

bool SqliteDatabaseMetaData::supportsAlterTableWithAddColumn() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsAlterTableWithDropColumn() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsColumnAliasing() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::nullPlusNonNullIsNull() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsConvert() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsTableCorrelationNames() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsDifferentTableCorrelationNames() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsExpressionsInOrderBy() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsOrderByUnrelated() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsGroupBy() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsGroupByUnrelated() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsGroupByBeyondSelect() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsLikeEscapeClause() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsMultipleResultSets() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsMultipleTransactions() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsNonNullableColumns() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsMinimumSQLGrammar() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsCoreSQLGrammar() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsExtendedSQLGrammar() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsIntegrityEnhancementFacility() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsOuterJoins() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsFullOuterJoins() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsLimitedOuterJoins() {
  checkOpen();
  return true;
}

std::string SqliteDatabaseMetaData::getSchemaTerm() {
  checkOpen();
  return "schema";
}

std::string SqliteDatabaseMetaData::getProcedureTerm() {
  checkOpen();
  return "procedure";
}

std::string SqliteDatabaseMetaData::getCatalogTerm() {
  checkOpen();
  return "catalog";
}

bool SqliteDatabaseMetaData::isCatalogAtStart() {
  checkOpen();
  return true;
}

std::string SqliteDatabaseMetaData::getCatalogSeparator() {
  checkOpen();
  return ".";
}

bool SqliteDatabaseMetaData::supportsSchemasInDataManipulation() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSchemasInProcedureCalls() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSchemasInTableDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSchemasInIndexDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSchemasInPrivilegeDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCatalogsInDataManipulation() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCatalogsInProcedureCalls() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCatalogsInTableDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCatalogsInIndexDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCatalogsInPrivilegeDefinitions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsPositionedDelete() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsPositionedUpdate() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSelectForUpdate() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsStoredProcedures() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsSubqueriesInComparisons() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsSubqueriesInExists() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsSubqueriesInIns() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsSubqueriesInQuantifieds() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsCorrelatedSubqueries() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsUnion() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsUnionAll() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsOpenCursorsAcrossCommit() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsOpenCursorsAcrossRollback() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsOpenStatementsAcrossCommit() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsOpenStatementsAcrossRollback() {
  checkOpen();
  return true;
}

int SqliteDatabaseMetaData::getMaxBinaryLiteralLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxCharLiteralLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnsInGroupBy() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnsInIndex() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnsInOrderBy() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnsInSelect() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxColumnsInTable() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxConnections() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxCursorNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxIndexLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxSchemaNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxProcedureNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxCatalogNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxRowSize() {
  checkOpen();
  return 0;
}

bool SqliteDatabaseMetaData::doesMaxRowSizeIncludeBlobs() {
  checkOpen();
  return false;
}

int SqliteDatabaseMetaData::getMaxStatementLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxStatements() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxTableNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxTablesInSelect() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getMaxUserNameLength() {
  checkOpen();
  return 0;
}

int SqliteDatabaseMetaData::getDefaultTransactionIsolation() {
  checkOpen();
  return Connection::TRANSACTION_SERIALIZABLE;
}

bool SqliteDatabaseMetaData::supportsTransactions() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsDataDefinitionAndDataManipulationTransactions() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsDataManipulationTransactionsOnly() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::dataDefinitionCausesTransactionCommit() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::dataDefinitionIgnoredInTransactions() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsANSI92EntryLevelSQL() {
  checkOpen();
  return true;
}

bool SqliteDatabaseMetaData::supportsANSI92IntermediateSQL() {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsANSI92FullSQL() {
  checkOpen();
  return false;
}

std::string SqliteDatabaseMetaData::getUserName() {
  checkOpen();
  return "";
}

bool SqliteDatabaseMetaData::supportsConvert(int /*fromType*/, int /*toType*/) {
  checkOpen();
  return false;
}

bool SqliteDatabaseMetaData::supportsTransactionIsolationLevel(int level) {
  checkOpen();
  return level == Connection::TRANSACTION_SERIALIZABLE;
}

std::string SqliteDatabaseMetaData::getURL() {
  checkOpen();
  return url_;
}

bool SqliteDatabaseMetaData::isReadOnly() {
  checkOpen();
  auto connection = connection_.lock();
  return connection != nullptr && connection->isReadOnly();
}

std::string SqliteDatabaseMetaData::getDatabaseProductName() {
  checkOpen();
  return kProductName;
}

std::string SqliteDatabaseMetaData::getDatabaseProductVersion() {
  checkOpen();
  return sqlite3_libversion();
}

std::string SqliteDatabaseMetaData::getDriverName() {
  checkOpen();
  return kDriverName;
}

std::string SqliteDatabaseMetaData::getDriverVersion() {
  checkOpen();
  return std::to_string(SqliteDriver::kMajorVersion) + "." + std::to_string(SqliteDriver::kMinorVersion);
}

int SqliteDatabaseMetaData::getDriverMajorVersion() {
  checkOpen();
  return SqliteDriver::kMajorVersion;
}

int SqliteDatabaseMetaData::getDriverMinorVersion() {
  checkOpen();
  return SqliteDriver::kMinorVersion;
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::query(const std::string& sql,
                                                             const std::vector<std::string>& parameters) {
  auto stmt = std::make_shared<SqliteStmt>(db_, sql);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    int rc = sqlite3_bind_text(stmt->get(), static_cast<int>(i + 1), parameters[i].c_str(),
                               static_cast<int>(parameters[i].size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) db_->raise(rc);
  }
  bool hasRow = stmt->step();
  std::weak_ptr<SqliteDatabase> weakDb = db_;
  auto resultSet = std::make_shared<std::weak_ptr<SqliteResultSet>>();
  auto made = plat::lang::makeRef<SqliteResultSet>(stmt, hasRow, 0, [weakDb, resultSet] {
    if (auto db = weakDb.lock()) db->forget(resultSet.get());
  });
  *resultSet = made;
  db_->track(resultSet.get(), [resultSet] {
    if (auto alive = resultSet->lock()) alive->close();
  });
  return made;
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getTables(const OptionalText& /*catalog*/,
                                                                 const OptionalText& /*schemaPattern*/,
                                                                 const std::string& tableNamePattern,
                                                                 const std::optional<std::vector<std::string>>& types) {
  checkOpen();
  std::string sql =
      "SELECT NULL AS TABLE_CAT, NULL AS TABLE_SCHEM, name AS TABLE_NAME, upper(type) AS TABLE_TYPE, "
      "NULL AS REMARKS FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite\\_%'" +
      std::string(kLikeEscape) + " AND name LIKE ?1" + kLikeEscape;
  std::vector<std::string> parameters{tableNamePattern};
  if (types) {
    sql += " AND upper(type) IN (NULL";
    for (const auto& type : *types) {
      parameters.push_back(type);
      sql += ", upper(?" + std::to_string(parameters.size()) + ")";
    }
    sql += ")";
  }
  sql += " ORDER BY TABLE_TYPE, TABLE_NAME";
  return query(sql, parameters);
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getSchemas() {
  checkOpen();
  return query("SELECT NULL AS TABLE_SCHEM WHERE 0", {});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getCatalogs() {
  checkOpen();
  return query("SELECT NULL AS TABLE_CAT WHERE 0", {});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getTableTypes() {
  checkOpen();
  return query("SELECT 'TABLE' AS TABLE_TYPE UNION ALL SELECT 'VIEW' ORDER BY TABLE_TYPE", {});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getColumns(const OptionalText& /*catalog*/,
                                                                  const OptionalText& /*schemaPattern*/,
                                                                  const std::string& tableNamePattern,
                                                                  const std::string& columnNamePattern) {
  checkOpen();
  std::string sql =
      "SELECT NULL AS TABLE_CAT, NULL AS TABLE_SCHEM, m.name AS TABLE_NAME, p.name AS COLUMN_NAME, "
      "jdbc_type(p.type) AS DATA_TYPE, jdbc_type_name(p.type) AS TYPE_NAME, jdbc_size(p.type) AS COLUMN_SIZE, "
      "NULL AS BUFFER_LENGTH, jdbc_scale(p.type) AS DECIMAL_DIGITS, 10 AS NUM_PREC_RADIX, "
      "CASE WHEN p.\"notnull\" THEN 0 ELSE 1 END AS NULLABLE, NULL AS REMARKS, p.dflt_value AS COLUMN_DEF, "
      "NULL AS SQL_DATA_TYPE, NULL AS SQL_DATETIME_SUB, jdbc_size(p.type) AS CHAR_OCTET_LENGTH, "
      "p.cid + 1 AS ORDINAL_POSITION, CASE WHEN p.\"notnull\" THEN 'NO' ELSE 'YES' END AS IS_NULLABLE "
      "FROM sqlite_master m JOIN pragma_table_info(m.name) p "
      "WHERE m.type IN ('table', 'view') AND m.name LIKE ?1" +
      std::string(kLikeEscape) + " AND p.name LIKE ?2" + kLikeEscape + " ORDER BY m.name, p.cid";
  return query(sql, {tableNamePattern, columnNamePattern});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getPrimaryKeys(const OptionalText& /*catalog*/,
                                                                      const OptionalText& /*schema*/,
                                                                      const std::string& table) {
  checkOpen();
  return query(
      "SELECT NULL AS TABLE_CAT, NULL AS TABLE_SCHEM, ?1 AS TABLE_NAME, name AS COLUMN_NAME, pk AS KEY_SEQ, "
      "NULL AS PK_NAME FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY COLUMN_NAME",
      {table});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getIndexInfo(const OptionalText& /*catalog*/,
                                                                    const OptionalText& /*schema*/,
                                                                    const std::string& table, bool unique,
                                                                    bool /*approximate*/) {
  checkOpen();
  std::string sql =
      "SELECT NULL AS TABLE_CAT, NULL AS TABLE_SCHEM, ?1 AS TABLE_NAME, "
      "CASE WHEN il.\"unique\" THEN 0 ELSE 1 END AS NON_UNIQUE, NULL AS INDEX_QUALIFIER, il.name AS INDEX_NAME, " +
      std::to_string(tableIndexOther) +
      " AS TYPE, ii.seqno + 1 AS ORDINAL_POSITION, ii.name AS COLUMN_NAME, "
      "CASE WHEN ii.\"desc\" THEN 'D' ELSE 'A' END AS ASC_OR_DESC, NULL AS CARDINALITY, NULL AS PAGES, "
      "NULL AS FILTER_CONDITION FROM pragma_index_list(?1) il JOIN pragma_index_xinfo(il.name) ii "
      "WHERE ii.\"key\" = 1";
  if (unique) sql += " AND il.\"unique\" = 1";
  sql += " ORDER BY NON_UNIQUE, INDEX_NAME, ORDINAL_POSITION";
  return query(sql, {table});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getTypeInfo() {
  checkOpen();
  // The names the driver reads as each JDBC type; SQLite accepts any of them in a column definition.
  const std::string sql =
      "WITH t(n, params) AS (VALUES ('BIT', NULL), ('TINYINT', NULL), ('BIGINT', NULL), ('LONGVARBINARY', NULL), "
      "('VARBINARY', 'length'), ('BINARY', 'length'), ('LONGVARCHAR', NULL), ('CHAR', 'length'), "
      "('NUMERIC', 'precision,scale'), ('DECIMAL', 'precision,scale'), ('INTEGER', NULL), ('SMALLINT', NULL), "
      "('FLOAT', NULL), ('REAL', NULL), ('DOUBLE', NULL), ('VARCHAR', 'length'), ('DATE', NULL), ('TIME', NULL), "
      "('TIMESTAMP', NULL)) "
      "SELECT n AS TYPE_NAME, jdbc_type(n) AS DATA_TYPE, jdbc_size(n) AS PRECISION, "
      "CASE WHEN jdbc_type(n) IN (1, 12, -1, 91, 92, 93) THEN '''' WHEN jdbc_type(n) IN (-2, -3, -4) THEN 'X''' "
      "END AS LITERAL_PREFIX, "
      "CASE WHEN jdbc_type(n) IN (1, 12, -1, 91, 92, 93, -2, -3, -4) THEN '''' END AS LITERAL_SUFFIX, "
      "params AS CREATE_PARAMS, " +
      std::to_string(typeNullable) +
      " AS NULLABLE, CASE WHEN jdbc_type(n) IN (1, 12, -1) THEN 1 ELSE 0 END AS CASE_SENSITIVE, " +
      std::to_string(typeSearchable) +
      " AS SEARCHABLE, CASE WHEN jdbc_type(n) IN (-6, 5, 4, -5, 6, 7, 8, 2, 3) THEN 0 ELSE 1 END AS "
      "UNSIGNED_ATTRIBUTE, 0 AS FIXED_PREC_SCALE, CASE WHEN n = 'INTEGER' THEN 1 ELSE 0 END AS AUTO_INCREMENT, "
      "n AS LOCAL_TYPE_NAME, 0 AS MINIMUM_SCALE, CASE WHEN jdbc_type(n) IN (2, 3) THEN 1000 ELSE 0 END AS "
      "MAXIMUM_SCALE, NULL AS SQL_DATA_TYPE, NULL AS SQL_DATETIME_SUB, 10 AS NUM_PREC_RADIX FROM t "
      "ORDER BY DATA_TYPE, TYPE_NAME";
  return query(sql, {});
}

namespace {

// The JDBC rule code of an SQLite ON UPDATE / ON DELETE action text.
std::string ruleOf(const std::string& column) {
  return "CASE upper(" + column + ") WHEN 'CASCADE' THEN " + std::to_string(DatabaseMetaData::importedKeyCascade) +
         " WHEN 'RESTRICT' THEN " + std::to_string(DatabaseMetaData::importedKeyRestrict) + " WHEN 'SET NULL' THEN " +
         std::to_string(DatabaseMetaData::importedKeySetNull) + " WHEN 'SET DEFAULT' THEN 4 ELSE 3 END";
}

// The key columns of foreign keys read from pragma_foreign_key_list as f of the table named by fkTable; a key that
// names no parent column refers to the parent's primary key, column by column.
std::string foreignKeyColumns(const std::string& fkTable) {
  return "SELECT NULL AS PKTABLE_CAT, NULL AS PKTABLE_SCHEM, f.\"table\" AS PKTABLE_NAME, "
         "coalesce(f.\"to\", (SELECT p.name FROM pragma_table_info(f.\"table\") p WHERE p.pk = f.seq + 1)) "
         "AS PKCOLUMN_NAME, NULL AS FKTABLE_CAT, NULL AS FKTABLE_SCHEM, " +
         fkTable + " AS FKTABLE_NAME, f.\"from\" AS FKCOLUMN_NAME, f.seq + 1 AS KEY_SEQ, " + ruleOf("f.on_update") +
         " AS UPDATE_RULE, " + ruleOf("f.on_delete") +
         " AS DELETE_RULE, NULL AS FK_NAME, NULL AS PK_NAME, 7 AS DEFERRABILITY ";
}

}  // namespace

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getProcedures(const OptionalText& /*catalog*/,
                                                                     const OptionalText& /*schemaPattern*/,
                                                                     const std::string& /*procedureNamePattern*/) {
  checkOpen();
  // SQLite has no stored procedures: the result is empty, with the columns a caller looks for.
  return query(
      "SELECT NULL AS PROCEDURE_CAT, NULL AS PROCEDURE_SCHEM, NULL AS PROCEDURE_NAME, NULL AS RESERVED1, "
      "NULL AS RESERVED2, NULL AS RESERVED3, NULL AS REMARKS, NULL AS PROCEDURE_TYPE WHERE 0",
      {});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getImportedKeys(const OptionalText& /*catalog*/,
                                                                       const OptionalText& /*schema*/,
                                                                       const std::string& table) {
  checkOpen();
  return query(foreignKeyColumns("?1") + "FROM pragma_foreign_key_list(?1) f ORDER BY PKTABLE_NAME, KEY_SEQ", {table});
}

DatabaseMetaData::ResultSetRef SqliteDatabaseMetaData::getExportedKeys(const OptionalText& /*catalog*/,
                                                                       const OptionalText& /*schema*/,
                                                                       const std::string& table) {
  checkOpen();
  return query(foreignKeyColumns("m.name") +
                   "FROM sqlite_master m JOIN pragma_foreign_key_list(m.name) f "
                   "WHERE m.type = 'table' AND lower(f.\"table\") = lower(?1) ORDER BY FKTABLE_NAME, KEY_SEQ",
               {table});
}

}  // namespace plat::sql::sqlite
