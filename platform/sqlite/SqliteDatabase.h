// One open SQLite database shared by a connection and everything it made, and the compiled statements on it. The
// database keeps the close actions of the open statements and catalog result sets, so closing the connection closes
// them first. It also keeps a few compiled statements that closed prepared statements gave back, reset and without
// bindings, so a text prepared again and again is compiled once. SQLite runs in serialized mode by default; the
// database's own state (the open objects, the error text of a failed step) is guarded, so statements of one
// connection may run on several threads. Opened with Threading::OneAtATime the caller promises that one thread at a
// time uses the database and everything made on it (the caller's own lock orders them), and SQLite skips its
// per-connection mutex on every call.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
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

  // Opens (or creates) the file; ":memory:" gives a private in-memory database. SQLException on failure.
  explicit SqliteDatabase(const std::string& path, Threading threading = Threading::Serialized);
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

  // Steps once: true for a row, false when done; SQLException with SQLite's message on failure.
  bool step();

  // The column description of this statement's last result, kept for the next run (see describeColumns).
  struct Description {
    std::shared_ptr<const std::vector<SqliteColumn>> columns;
    int recompiles = -1;  // how often SQLite had recompiled the statement when it was described
  };
  Description& description() { return description_; }

 private:
  [[noreturn]] static void throwClosed();

  std::shared_ptr<SqliteDatabase> db_;
  sqlite3_stmt* stmt_ = nullptr;  // owned
  bool finalized_ = false;
  Description description_;
};

}  // namespace plat::sql::sqlite
