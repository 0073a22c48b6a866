#include "platform/sqlite/SqliteConnection.h"

#include <sqlite3.h>

#include <exception>

#include "platform/sql/SQLException.h"
#include "platform/sqlite/SqliteCallableStatement.h"
#include "platform/sqlite/SqliteDatabaseMetaData.h"
#include "platform/sqlite/SqlitePreparedStatement.h"
#include "platform/sqlite/SqliteStatement.h"

namespace plat::sql::sqlite {

SqliteConnection::SqliteConnection(const std::string& url, const std::string& path, SqliteDatabase::Threading threading,
                                   int busyTimeoutMs)
    : url_(url), db_(std::make_shared<SqliteDatabase>(path, threading, busyTimeoutMs)) {}

SqliteConnection::~SqliteConnection() {
  try {
    close();
  } catch (...) {
  }
}

const std::shared_ptr<SqliteDatabase>& SqliteConnection::database() const {
  db_->handle();
  return db_;
}

template <class T>
plat::lang::Ref<T> SqliteConnection::tracked(plat::lang::Ref<T> object) {
  std::weak_ptr<T> weak = object;
  db_->track(object.get(), [weak] {
    if (auto alive = weak.lock()) alive->close();
  });
  return object;
}

plat::lang::Ref<Statement> SqliteConnection::createStatement() {
  return tracked(plat::lang::makeRef<SqliteStatement>(database()));
}

plat::lang::Ref<PreparedStatement> SqliteConnection::prepareStatement(const std::string& sql) {
  return tracked(plat::lang::makeRef<SqlitePreparedStatement>(database(), sql));
}

plat::lang::Ref<CallableStatement> SqliteConnection::prepareCall(const std::string& sql) {
  database();
  SqliteCallableStatement::refuseCallEscape(sql);
  return plat::lang::makeRef<SqliteCallableStatement>(tracked(plat::lang::makeRef<SqlitePreparedStatement>(db_, sql)));
}

std::string SqliteConnection::nativeSQL(const std::string& sql) {
  database();
  return sql;
}

void SqliteConnection::setAutoCommit(bool autoCommit) {
  sqlite3* db = database()->handle();
  if (autoCommit == autoCommit_) return;
  if (autoCommit) {
    // Switching auto-commit on commits the open transaction.
    if (sqlite3_get_autocommit(db) == 0) db_->exec("COMMIT");
  } else if (sqlite3_get_autocommit(db) != 0) {
    db_->exec("BEGIN");
  }
  autoCommit_ = autoCommit;
}

bool SqliteConnection::getAutoCommit() {
  database();
  return autoCommit_;
}

void SqliteConnection::commit() {
  sqlite3* db = database()->handle();
  if (sqlite3_get_autocommit(db) == 0) db_->exec("COMMIT");
  if (!autoCommit_) db_->exec("BEGIN");
}

void SqliteConnection::rollback() {
  sqlite3* db = database()->handle();
  if (sqlite3_get_autocommit(db) == 0) db_->exec("ROLLBACK");
  if (!autoCommit_) db_->exec("BEGIN");
}

void SqliteConnection::close() {
  if (!db_->isOpen()) return;
  std::exception_ptr first;
  try {
    db_->closeTracked();
  } catch (...) {
    first = std::current_exception();
  }
  try {
    // Work not committed is not kept.
    if (sqlite3_get_autocommit(db_->handle()) == 0) db_->exec("ROLLBACK");
  } catch (...) {
    if (!first) first = std::current_exception();
  }
  db_->close();
  if (first) std::rethrow_exception(first);
}

bool SqliteConnection::isClosed() {
  return !db_->isOpen();
}

plat::lang::Ref<DatabaseMetaData> SqliteConnection::getMetaData() {
  database();
  return plat::lang::makeRef<SqliteDatabaseMetaData>(db_, url_,
                                                     std::static_pointer_cast<Connection>(shared_from_this()));
}

void SqliteConnection::setReadOnly(bool readOnly) {
  database()->exec(readOnly ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0");
  readOnly_ = readOnly;
}

bool SqliteConnection::isReadOnly() {
  database();
  return readOnly_;
}

void SqliteConnection::setCatalog(const std::string& /*catalog*/) {
  database();
}

std::string SqliteConnection::getCatalog() {
  database();
  return "";
}

void SqliteConnection::setTransactionIsolation(int level) {
  database();
  switch (level) {
    case TRANSACTION_READ_UNCOMMITTED:
    case TRANSACTION_READ_COMMITTED:
    case TRANSACTION_REPEATABLE_READ:
    case TRANSACTION_SERIALIZABLE:
      // SQLite's transactions are serializable; a weaker level asked for is met by a stronger one.
      return;
    default:
      throw SQLException("Unsupported transaction isolation level: " + std::to_string(level));
  }
}

int SqliteConnection::getTransactionIsolation() {
  database();
  return TRANSACTION_SERIALIZABLE;
}

std::shared_ptr<SQLWarning> SqliteConnection::getWarnings() {
  database();
  return nullptr;
}

void SqliteConnection::clearWarnings() {
  database();
}

}  // namespace plat::sql::sqlite
