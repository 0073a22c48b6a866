#include "platform/sqlite/SqliteDatabase.h"

#include <sqlite3.h>

#include <exception>

#include "platform/sql/SQLException.h"

namespace plat::sql::sqlite {
namespace {

const char* sqlStateOf(int rc) {
  switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
      return "23000";
    case SQLITE_CANTOPEN:
      return "08001";
    default:
      return "HY000";
  }
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) {
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw SQLException(message + ": " + path, sqlStateOf(rc), rc);
  }
  sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() {
  close();
}

sqlite3* SqliteDatabase::handle() const {
  if (db_ == nullptr) throw SQLException("Connection is closed", "08003");
  return db_;
}

void SqliteDatabase::close() {
  if (db_ == nullptr) return;
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

void SqliteDatabase::exec(const std::string& sql) {
  char* error = nullptr;
  int rc = sqlite3_exec(handle(), sql.c_str(), nullptr, nullptr, &error);
  if (rc == SQLITE_OK) return;
  std::string message = error != nullptr ? error : sqlite3_errstr(rc);
  sqlite3_free(error);
  throw SQLException(message, sqlStateOf(rc), rc);
}

void SqliteDatabase::raise(int rc) const {
  std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  throw SQLException(message, sqlStateOf(rc), rc);
}

void SqliteDatabase::track(const void* key, std::function<void()> close) {
  tracked_.emplace_back(key, std::move(close));
}

void SqliteDatabase::forget(const void* key) {
  std::erase_if(tracked_, [key](const auto& entry) { return entry.first == key; });
}

void SqliteDatabase::closeTracked() {
  auto entries = std::move(tracked_);
  tracked_.clear();
  std::exception_ptr first;
  for (auto& entry : entries) {
    try {
      entry.second();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

SqliteStmt::SqliteStmt(std::shared_ptr<SqliteDatabase> db, const std::string& sql, std::string* rest)
    : db_(std::move(db)) {
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db_->handle(), sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    db_->raise(rc);
  }
  if (rest != nullptr) *rest = tail != nullptr ? std::string(tail) : std::string();
}

SqliteStmt::~SqliteStmt() {
  finalize();
}

sqlite3_stmt* SqliteStmt::get() const {
  db_->handle();
  if (stmt_ == nullptr || finalized_) throw SQLException("Statement is closed");
  return stmt_;
}

void SqliteStmt::finalize() {
  finalized_ = true;
  if (stmt_ == nullptr) return;
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
}

bool SqliteStmt::step() {
  int rc = sqlite3_step(get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // The message belongs to the step that failed; a reset clears the statement for its next use.
  std::string message = sqlite3_errmsg(db_->handle());
  sqlite3_reset(stmt_);
  throw SQLException(message, sqlStateOf(rc), rc);
}

}  // namespace plat::sql::sqlite
