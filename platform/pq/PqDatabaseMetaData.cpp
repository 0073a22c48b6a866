#include "platform/pq/PqDatabaseMetaData.h"

#include <libpq-fe.h>

#include "platform/sql/Connection.h"

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
// Results are read whole, so cursors and statements outlive a commit or a rollback.
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

}  // namespace plat::sql::pq
