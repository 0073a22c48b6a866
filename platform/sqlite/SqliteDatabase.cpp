#include "platform/sqlite/SqliteDatabase.h"

#include <sqlite3.h>

#include <exception>
#include <mutex>

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

SqliteDatabase::SqliteDatabase(const std::string& path, Threading threading) {
  const int mutex = threading == Threading::OneAtATime ? SQLITE_OPEN_NOMUTEX : SQLITE_OPEN_FULLMUTEX;
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | mutex,
                           nullptr);
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

void SqliteDatabase::throwClosed() {
  throw SQLException("Connection is closed", "08003");
}

void SqliteDatabase::close() {
  if (db_ == nullptr) return;
  std::vector<std::pair<std::string, sqlite3_stmt*>> kept;
  {
    std::lock_guard lock(stateMutex_);
    kept.swap(compiled_);
  }
  for (auto& entry : kept) sqlite3_finalize(entry.second);
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
  std::lock_guard lock(stateMutex_);
  tracked_.emplace_back(key, std::move(close));
}

void SqliteDatabase::forget(const void* key) {
  std::lock_guard lock(stateMutex_);
  std::erase_if(tracked_, [key](const auto& entry) { return entry.first == key; });
}

sqlite3_stmt* SqliteDatabase::takeCompiled(const std::string& sql) {
  std::lock_guard lock(stateMutex_);
  for (auto it = compiled_.rbegin(); it != compiled_.rend(); ++it) {
    if (it->first == sql) {
      sqlite3_stmt* stmt = it->second;
      compiled_.erase(std::next(it).base());
      return stmt;
    }
  }
  return nullptr;
}

void SqliteDatabase::keepCompiled(std::string sql, sqlite3_stmt* stmt) {
  sqlite3_stmt* dropped = nullptr;
  {
    std::lock_guard lock(stateMutex_);
    if (db_ == nullptr) {
      dropped = stmt;
    } else {
      compiled_.emplace_back(std::move(sql), stmt);
      if (compiled_.size() > kCompiledKept) {
        dropped = compiled_.front().second;
        compiled_.erase(compiled_.begin());
      }
    }
  }
  if (dropped != nullptr) sqlite3_finalize(dropped);
}

std::size_t SqliteDatabase::trackedCount() const {
  std::lock_guard lock(stateMutex_);
  return tracked_.size();
}

void SqliteDatabase::closeTracked() {
  decltype(tracked_) entries;
  {
    std::lock_guard lock(stateMutex_);
    entries = std::move(tracked_);
    tracked_.clear();
  }
  // Run outside the lock: each close action forgets itself.
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
  sqlite3* handle = db_->handle();
  // The database's own mutex is held until the error text is read, so another thread's call cannot replace it.
  sqlite3_mutex_enter(sqlite3_db_mutex(handle));
  int rc = sqlite3_prepare_v2(handle, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail);
  if (rc != SQLITE_OK) {
    std::string message = sqlite3_errmsg(handle);
    sqlite3_mutex_leave(sqlite3_db_mutex(handle));
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw SQLException(message, sqlStateOf(rc), rc);
  }
  sqlite3_mutex_leave(sqlite3_db_mutex(handle));
  if (rest != nullptr) *rest = tail != nullptr ? std::string(tail) : std::string();
}

SqliteStmt::~SqliteStmt() {
  finalize();
}

void SqliteStmt::throwClosed() {
  throw SQLException("Statement is closed");
}

void SqliteStmt::finalize() {
  finalized_ = true;
  if (stmt_ == nullptr) return;
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
}

sqlite3_stmt* SqliteStmt::release() {
  sqlite3_stmt* stmt = finalized_ ? nullptr : stmt_;
  stmt_ = nullptr;
  finalized_ = true;
  return stmt;
}

bool SqliteStmt::step() {
  sqlite3_stmt* stmt = get();
  sqlite3* handle = db_->handle();
  // Held until the error text is read: the text belongs to this step, not to another thread's.
  sqlite3_mutex_enter(sqlite3_db_mutex(handle));
  int rc = sqlite3_step(stmt);
  if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
    sqlite3_mutex_leave(sqlite3_db_mutex(handle));
    return rc == SQLITE_ROW;
  }
  std::string message = sqlite3_errmsg(handle);
  // A reset clears the statement for its next use.
  sqlite3_reset(stmt);
  sqlite3_mutex_leave(sqlite3_db_mutex(handle));
  throw SQLException(message, sqlStateOf(rc), rc);
}

}  // namespace plat::sql::sqlite
