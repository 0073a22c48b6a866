#include "platform/sqlite/SqliteExecution.h"

#include <sqlite3.h>

#include "platform/sql/SQLException.h"
#include "platform/sqlite/SqliteResultSet.h"

namespace plat::sql::sqlite {

SqliteExecution::SqliteExecution(std::shared_ptr<SqliteDatabase> db) : db_(std::move(db)) {}

const std::shared_ptr<SqliteDatabase>& SqliteExecution::database() const {
  if (closed_) throw SQLException("Statement is closed");
  db_->handle();
  return db_;
}

bool SqliteExecution::run(const std::shared_ptr<SqliteStmt>& stmt, Expect expect) {
  checkOpen();
  closeResult();
  updateCount_ = -1;
  if (stmt->isEmpty()) {
    if (expect == Expect::Rows) throw SQLException("Query does not return results");
    updateCount_ = 0;
    return false;
  }
  sqlite3_stmt* raw = stmt->get();
  bool givesRows = sqlite3_column_count(raw) > 0;
  if (expect == Expect::Rows && !givesRows) throw SQLException("Query does not return results");
  if (expect == Expect::Count && givesRows) throw SQLException("Query returns results");
  stmt->reset();
  stmt->setTimeout(queryTimeout_);
  std::int64_t changes = 0;
  bool hasRow = stmt->step(&changes);
  if (givesRows) {
    current_ = plat::lang::makeRef<SqliteResultSet>(stmt, hasRow, maxRows_);
    return true;
  }
  stmt->reset();
  updateCount_ = static_cast<int>(changes);
  return false;
}

void SqliteExecution::runToEnd(const std::shared_ptr<SqliteStmt>& stmt) {
  checkOpen();
  if (stmt->isEmpty()) return;
  stmt->setTimeout(queryTimeout_);
  while (stmt->step()) {
  }
  stmt->reset();
}

plat::lang::Ref<ResultSet> SqliteExecution::resultSet() const {
  checkOpen();
  if (current_ == nullptr || current_->isClosed()) return nullptr;
  return current_;
}

int SqliteExecution::updateCount() const {
  checkOpen();
  return updateCount_;
}

bool SqliteExecution::moreResults() {
  checkOpen();
  // SQLite gives one result per statement.
  closeResult();
  updateCount_ = -1;
  return false;
}

int SqliteExecution::maxRows() const {
  checkOpen();
  return maxRows_;
}

void SqliteExecution::setMaxRows(int max) {
  checkOpen();
  if (max < 0) throw SQLException("Max rows must be >= 0: " + std::to_string(max));
  maxRows_ = max;
}

int SqliteExecution::maxFieldSize() const {
  checkOpen();
  return maxFieldSize_;
}

void SqliteExecution::setMaxFieldSize(int max) {
  checkOpen();
  if (max < 0) throw SQLException("Max field size must be >= 0: " + std::to_string(max));
  maxFieldSize_ = max;
}

void SqliteExecution::cancel() {
  sqlite3_interrupt(database()->handle());
}

int SqliteExecution::queryTimeout() const {
  checkOpen();
  return queryTimeout_;
}

void SqliteExecution::setQueryTimeout(int seconds) {
  checkOpen();
  if (seconds < 0) throw SQLException("Query timeout must be >= 0: " + std::to_string(seconds));
  queryTimeout_ = seconds;
}

void SqliteExecution::closeResult() {
  auto current = std::move(current_);
  current_ = nullptr;
  if (current != nullptr) current->close();
}

void SqliteExecution::close() {
  if (closed_) return;
  closed_ = true;
  closeResult();
}

void SqliteExecution::release() {
  if (closed_) return;
  closed_ = true;
  auto current = std::move(current_);
  current_ = nullptr;
  if (current == nullptr || current->isClosed()) return;
  if (current.use_count() == 1) return current->close();
  std::weak_ptr<SqliteResultSet> weak = current;
  std::weak_ptr<SqliteDatabase> weakDb = db_;
  const void* key = current.get();
  current->setOnClose([weakDb, key] {
    if (auto db = weakDb.lock()) db->forget(key);
  });
  db_->track(key, [weak] {
    if (auto alive = weak.lock()) alive->close();
  });
}

}  // namespace plat::sql::sqlite
