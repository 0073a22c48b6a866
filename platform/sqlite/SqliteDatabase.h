// One open SQLite database shared by a connection and everything it made, and the compiled statements on it. The
// database keeps the close actions of the open statements and catalog result sets, so closing the connection closes
// them first. It also keeps a few compiled statements that closed prepared statements gave back, reset and without
// bindings, so a text prepared again and again is compiled once. SQLite runs in serialized mode by default; the
// database's own state (the open objects, the error text of a failed step) is guarded, so statements of one
// connection may run on several threads. Opened with Threading::OneAtATime the caller promises that one thread at a
// time uses the database and everything made on it (the caller's own lock orders them), and SQLite skips its
// per-connection mutex on every call.
//
// Statements of one connection on several threads take turns: a statement holds the connection from its first step
// until it is reset (its last row read, or its result set closed); other statements of the same thread may run
// meanwhile. SQLite would otherwise refuse at once a write on a connection whose read another thread keeps open,
// since waiting could deadlock, and one thread's count of changes could be read by another.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace plat::sql::sqlite {

struct SqliteColumn;

class SqliteDatabase {
 public:
  enum class Threading {
    Serialized,  // any thread, any time: SQLite locks the connection on each call
    OneAtATime,  // one thread at a time, ordered by the caller: no lock inside SQLite
  };

  // How long a statement waits for a lock held by another connection (or another thread's statement), unless its
  // own query time-out says otherwise.
  static constexpr int kDefaultBusyTimeoutMs = 5000;

  // Opens (or creates) the file; ":memory:" gives a private in-memory database. SQLException on failure.
  explicit SqliteDatabase(const std::string& path, Threading threading = Threading::Serialized,
                          int busyTimeoutMs = kDefaultBusyTimeoutMs);
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;
  ~SqliteDatabase();

  bool isOpen() const { return db_ != nullptr; }
  // The open handle; SQLException "Connection is closed" once closed. Inline: every value a result set reads asks.
  sqlite3* handle() const {
    if (db_ == nullptr) [[unlikely]]
      throwClosed();
    return db_;
  }
  // Closes the handle; statements not yet finalized keep it alive inside SQLite until they are.
  void close();

  int busyTimeoutMs() const { return busyTimeoutMs_; }

  // Takes a turn on the connection for a statement (see above), waiting at most waitMs; SQLException "database is
  // locked" when another thread's statement keeps it longer. A turn may be given up on any thread.
  void lease(int waitMs);
  void unlease();

  // Runs SQL text without results (BEGIN, COMMIT, pragmas); SQLException with SQLite's message.
  void exec(const std::string& sql);
  // Throws SQLException with SQLite's message for the result code rc.
  [[noreturn]] void raise(int rc) const;

  // Remembers how to close an object made on this database; forget() when the object closes by itself.
  void track(const void* key, std::function<void()> close);
  void forget(const void* key);
  // Runs every remembered close action, each even when an earlier one fails; rethrows the first failure.
  void closeTracked();
  std::size_t trackedCount() const;

  // How many compiled statements are kept for reuse; the least recently given back goes first.
  static constexpr std::size_t kCompiledKept = 16;
  // A kept compiled statement of exactly sql, now the caller's; null when none is kept.
  sqlite3_stmt* takeCompiled(const std::string& sql);
  // Keeps a reset statement without bindings for the next prepare of sql; finalized when the database is closed.
  void keepCompiled(std::string sql, sqlite3_stmt* stmt);

 private:
  [[noreturn]] static void throwClosed();

  sqlite3* db_ = nullptr;  // owned; null once closed
  const bool oneAtATime_;
  const int busyTimeoutMs_;
  std::mutex leaseMutex_;
  std::condition_variable leaseFreed_;
  std::thread::id leaseHolder_;  // guarded by leaseMutex_: the thread whose statements hold the connection
  int leases_ = 0;               // guarded by leaseMutex_: how many statements hold it
  mutable std::mutex stateMutex_;
  std::vector<std::pair<const void*, std::function<void()>>> tracked_;  // guarded by stateMutex_
  std::vector<std::pair<std::string, sqlite3_stmt*>> compiled_;         // guarded by stateMutex_; owned, oldest first
};

// A compiled statement; finalized by finalize() or the destructor.
class SqliteStmt {
 public:
  // Compiles the first statement of sql; rest receives the text after it. SQLException on a syntax error.
  SqliteStmt(std::shared_ptr<SqliteDatabase> db, const std::string& sql, std::string* rest = nullptr);
  // Takes over a statement compiled earlier on db.
  SqliteStmt(std::shared_ptr<SqliteDatabase> db, sqlite3_stmt* compiled) : db_(std::move(db)), stmt_(compiled) {}
  SqliteStmt(const SqliteStmt&) = delete;
  SqliteStmt& operator=(const SqliteStmt&) = delete;
  ~SqliteStmt();

  // The statement; SQLException when it or its database is closed. Inline, like handle().
  sqlite3_stmt* get() const {
    db_->handle();
    if (stmt_ == nullptr || finalized_) [[unlikely]]
      throwClosed();
    return stmt_;
  }
  bool isOpen() const { return stmt_ != nullptr && db_->isOpen(); }
  // True for text that compiled to nothing (only blanks or comments).
  bool isEmpty() const { return stmt_ == nullptr && !finalized_; }
  void finalize();
  // Hands the compiled statement over to the caller and counts as finalized here; null when there is none.
  sqlite3_stmt* release();
  SqliteDatabase& database() const { return *db_; }

  // Steps once: true for a row, false when done (the statement is then reset); SQLException with SQLite's message
  // on failure. changes receives the rows the step changed, read before another thread's statement can run.
  bool step(std::int64_t* changes = nullptr);
  // Resets the statement for its next run and gives up its turn on the connection.
  void reset();
  // The query time-out of the next steps in seconds (0 = none): a step running longer is interrupted with
  // SQLException state 57014, and a lock is waited for at most that long.
  void setTimeout(int seconds) { timeoutSeconds_ = seconds; }

  // The column description of this statement's last result, kept for the next run (see describeColumns).
  struct Description {
    std::shared_ptr<const std::vector<SqliteColumn>> columns;
    int recompiles = -1;  // how often SQLite had recompiled the statement when it was described
  };
  Description& description() { return description_; }

 private:
  [[noreturn]] static void throwClosed();
  void unlease();

  std::shared_ptr<SqliteDatabase> db_;
  sqlite3_stmt* stmt_ = nullptr;  // owned
  bool finalized_ = false;
  bool leased_ = false;
  int timeoutSeconds_ = 0;
  Description description_;
};

}  // namespace plat::sql::sqlite
