#include "platform/pq/PqDatabaseMetaData.h"

#include <libpq-fe.h>

#include "platform/pq/PqPreparedStatement.h"
#include "platform/sql/Connection.h"
#include "platform/sql/ResultSet.h"

namespace plat::sql::pq {

std::string PqDatabaseMetaData::getURL() {
  session_->checkOpen();
  return url_;
}
std::string PqDatabaseMetaData::getUserName() {
  session_->checkOpen();
  return user_;
}
std::string PqDatabaseMetaData::getDatabaseProductName() {
  session_->checkOpen();
  return "PostgreSQL";
}
std::string PqDatabaseMetaData::getDatabaseProductVersion() {
  PqResultRef result = session_->runPlain("SHOW server_version");
  return PQgetvalue(result.get(), 0, 0);
}
std::string PqDatabaseMetaData::getDriverName() {
  session_->checkOpen();
  return "plat PostgreSQL driver";
}
std::string PqDatabaseMetaData::getDriverVersion() {
  session_->checkOpen();
  return "1.0";
}
bool PqDatabaseMetaData::storesLowerCaseIdentifiers() {
  session_->checkOpen();
  return true;
}
std::string PqDatabaseMetaData::getIdentifierQuoteString() {
  session_->checkOpen();
  return "\"";
}
// An open result set is read whole before a commit or a rollback ends its cursor, so both outlive them.
bool PqDatabaseMetaData::supportsOpenCursorsAcrossCommit() {
  session_->checkOpen();
  return true;
}
bool PqDatabaseMetaData::supportsOpenCursorsAcrossRollback() {
  session_->checkOpen();
  return true;
}
bool PqDatabaseMetaData::supportsOpenStatementsAcrossCommit() {
  session_->checkOpen();
  return true;
}
bool PqDatabaseMetaData::supportsOpenStatementsAcrossRollback() {
  session_->checkOpen();
  return true;
}
int PqDatabaseMetaData::getMaxStatements() {
  session_->checkOpen();
  return 0;
}
int PqDatabaseMetaData::getDefaultTransactionIsolation() {
  session_->checkOpen();
  return defaultIsolation_;
}
bool PqDatabaseMetaData::supportsTransactions() {
  session_->checkOpen();
  return true;
}
bool PqDatabaseMetaData::supportsTransactionIsolationLevel(int level) {
  session_->checkOpen();
  return level == Connection::TRANSACTION_READ_UNCOMMITTED || level == Connection::TRANSACTION_READ_COMMITTED ||
         level == Connection::TRANSACTION_REPEATABLE_READ || level == Connection::TRANSACTION_SERIALIZABLE;
}

DatabaseMetaData::ResultSetRef PqDatabaseMetaData::catalogQuery(std::string sql, const OptionalText& schema,
                                                                const std::string& table) {
  session_->checkOpen();
  // A name as written in SQL, unquoted, is the server's in lower case; a table named exactly so comes first.
  const std::string schemaMatch =
      schema ? "tn.nspname::text IN (?::text, lower($2::text))" : "pg_catalog.pg_table_is_visible(t.oid)";
  sql.replace(sql.find("@TABLE@"), 7,
              "c.oid = (SELECT t.oid FROM pg_catalog.pg_class t JOIN pg_catalog.pg_namespace tn ON tn.oid = "
              "t.relnamespace WHERE t.relname::text IN (?::text, lower($1::text)) AND " +
                  schemaMatch + " ORDER BY t.relname::text = $1::text DESC LIMIT 1)");
  auto statement = plat::lang::makeRef<PqPreparedStatement>(session_, sql);
  statement->setString(1, table);
  if (schema) statement->setString(2, *schema);
  // The result set needs nothing of its statement once run.
  return statement->executeQuery();
}

DatabaseMetaData::ResultSetRef PqDatabaseMetaData::getPrimaryKeys(const OptionalText& /*catalog*/,
                                                                  const OptionalText& schema,
                                                                  const std::string& table) {
  return catalogQuery(
      "SELECT pg_catalog.current_database() AS TABLE_CAT, n.nspname AS TABLE_SCHEM, c.relname AS TABLE_NAME, "
      "a.attname AS COLUMN_NAME, k.n::int2 AS KEY_SEQ, ci.relname AS PK_NAME "
      "FROM pg_catalog.pg_class c "
      "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
      "JOIN pg_catalog.pg_index i ON i.indrelid = c.oid AND i.indisprimary "
      "JOIN pg_catalog.pg_class ci ON ci.oid = i.indexrelid "
      "CROSS JOIN LATERAL unnest(i.indkey::int2[]) WITH ORDINALITY AS k(attnum, n) "
      "JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum "
      "WHERE @TABLE@ ORDER BY COLUMN_NAME",
      schema, table);
}

DatabaseMetaData::ResultSetRef PqDatabaseMetaData::getIndexInfo(const OptionalText& /*catalog*/,
                                                                const OptionalText& schema, const std::string& table,
                                                                bool unique, bool /*approximate*/) {
  return catalogQuery(
      "SELECT pg_catalog.current_database() AS TABLE_CAT, n.nspname AS TABLE_SCHEM, c.relname AS TABLE_NAME, "
      "NOT i.indisunique AS NON_UNIQUE, NULL::text AS INDEX_QUALIFIER, ci.relname AS INDEX_NAME, "
      "(CASE WHEN am.amname = 'hash' THEN " +
          std::to_string(tableIndexHashed) + " ELSE " + std::to_string(tableIndexOther) +
          " END)::int2 AS TYPE, k.n::int2 AS ORDINAL_POSITION, a.attname AS COLUMN_NAME, "
          "CASE WHEN NOT pg_catalog.pg_indexam_has_property(am.oid, 'can_order') THEN NULL "
          "WHEN i.indoption[k.n - 1] & 1 = 1 THEN 'D' ELSE 'A' END AS ASC_OR_DESC, "
          "ci.reltuples::int8 AS CARDINALITY, ci.relpages::int8 AS PAGES, "
          "pg_catalog.pg_get_expr(i.indpred, i.indrelid) AS FILTER_CONDITION "
          "FROM pg_catalog.pg_class c "
          "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
          "JOIN pg_catalog.pg_index i ON i.indrelid = c.oid AND i.indisvalid AND i.indexprs IS NULL " +
          (unique ? std::string("AND i.indisunique ") : std::string()) +
          "JOIN pg_catalog.pg_class ci ON ci.oid = i.indexrelid "
          "JOIN pg_catalog.pg_am am ON am.oid = ci.relam "
          "CROSS JOIN LATERAL unnest(i.indkey::int2[]) WITH ORDINALITY AS k(attnum, n) "
          "JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum "
          "WHERE k.n <= i.indnkeyatts AND @TABLE@ ORDER BY NON_UNIQUE, TYPE, INDEX_NAME, ORDINAL_POSITION",
      schema, table);
}

}  // namespace plat::sql::pq
