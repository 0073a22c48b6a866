#include "platform/sqlite/SqliteDatabase.h"

#include <sqlite3.h>

#include <chrono>
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

// SQLite calls the progress handler every this many virtual machine instructions while a time-out runs.
constexpr int kProgressInstructions = 1000;

struct Deadline {
  std::chrono::steady_clock::time_point at;
  bool expired = false;
};

int interruptWhenExpired(void* context) {
  auto* deadline = static_cast<Deadline*>(context);
  if (std::chrono::steady_clock::now() >= deadline->at) deadline->expired = true;
  return deadline->expired ? 1 : 0;
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, Threading threading, int busyTimeoutMs)
    : oneAtATime_(threading == Threading::OneAtATime), busyTimeoutMs_(busyTimeoutMs) {
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
  sqlite3_busy_timeout(db_, busyTimeoutMs_);
}

void SqliteDatabase::lease(int waitMs) {
  if (oneAtATime_) return;
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(leaseMutex_);
  if (!leaseFreed_.wait_for(lock, std::chrono::milliseconds(waitMs),
                            [&] { return leases_ == 0 || leaseHolder_ == me; }))
    throw SQLException("database is locked: a statement of another thread holds the connection", "HY000", SQLITE_BUSY);
  leaseHolder_ = me;
  ++leases_;
}

void SqliteDatabase::unlease() {
  if (oneAtATime_) return;
  {
    std::lock_guard lock(leaseMutex_);
    if (leases_ > 0 && --leases_ == 0) leaseHolder_ = {};
  }
  leaseFreed_.notify_all();
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

void SqliteStmt::unlease() {
  if (!leased_) return;
  leased_ = false;
  db_->unlease();
}

void SqliteStmt::finalize() {
  finalized_ = true;
  unlease();
  if (stmt_ == nullptr) return;
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
}

sqlite3_stmt* SqliteStmt::release() {
  unlease();
  sqlite3_stmt* stmt = finalized_ ? nullptr : stmt_;
  stmt_ = nullptr;
  finalized_ = true;
  return stmt;
}

void SqliteStmt::reset() {
  if (stmt_ != nullptr && !finalized_ && db_->isOpen()) sqlite3_reset(stmt_);
  unlease();
}

bool SqliteStmt::step(std::int64_t* changes) {
  sqlite3_stmt* stmt = get();
  sqlite3* handle = db_->handle();
  const bool timed = timeoutSeconds_ > 0;
  const int waitMs = timed ? timeoutSeconds_ * 1000 : db_->busyTimeoutMs();
  if (!leased_) {
    db_->lease(waitMs);
    leased_ = true;
  }
  // Held until the error text and the count of changes are read: both belong to this step, not to another
  // thread's. The time-out's handlers are the connection's, so they are set and taken back under it too.
  sqlite3_mutex_enter(sqlite3_db_mutex(handle));
  Deadline deadline;
  if (timed) {
    deadline.at = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds_);
    sqlite3_busy_timeout(handle, waitMs);
    sqlite3_progress_handler(handle, kProgressInstructions, &interruptWhenExpired, &deadline);
  }
  const auto totalBefore = sqlite3_total_changes64(handle);
  int rc = sqlite3_step(stmt);
  if (timed) {
    sqlite3_progress_handler(handle, 0, nullptr, nullptr);
    sqlite3_busy_timeout(handle, db_->busyTimeoutMs());
  }
  // sqlite3_changes() still holds the count of an earlier statement after DDL; only a statement that changed rows
  // reports its own.
  if (changes != nullptr) *changes = sqlite3_total_changes64(handle) == totalBefore ? 0 : sqlite3_changes64(handle);
  if (rc == SQLITE_ROW) {
    sqlite3_mutex_leave(sqlite3_db_mutex(handle));
    return true;
  }
  std::string message = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(handle);
  // A reset clears the statement for its next use and ends its read of the database.
  sqlite3_reset(stmt);
  sqlite3_mutex_leave(sqlite3_db_mutex(handle));
  unlease();
  if (rc == SQLITE_DONE) return false;
  if (deadline.expired)
    throw SQLException("Query timed out after " + std::to_string(timeoutSeconds_) + " s", "57014", rc);
  if ((rc & 0xff) == SQLITE_INTERRUPT) throw SQLException(message, "57014", rc);
  throw SQLException(message, sqlStateOf(rc), rc);
}

}  // namespace plat::sql::sqlite
