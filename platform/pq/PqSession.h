// One libpq connection shared by a connection and every statement and result set it made. Each round trip to the
// server runs under the session's lock, so statements of one connection may run on several threads; a result (or
// a batch of a cursor's rows) arrives whole and is read afterwards without the lock. With auto-commit off the
// session opens a transaction before the first statement that needs one.
//
// A query may be read through a cursor, a batch of rows at a time. With auto-commit on, the cursor lives in a
// transaction of its own, committed when its last batch has been read; before any other statement runs (or a
// setting changes) the rest of its rows are read whole, so that statement runs in auto-commit as it should. With
// auto-commit off the cursor lives in the caller's transaction and is read whole before that transaction ends. The
// next batch is asked for as soon as one arrives, so that the server makes it while the caller reads. Every
// wait for the server is bounded by the socket time-out where one is set: a server silent for longer is given up, the
// connection closed, with SQL state 08006. Thread-safe.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/pq/PqNotices.h"

struct pg_conn;
struct pg_result;

namespace plat::sql::pq {

using PqResultRef = std::shared_ptr<pg_result>;

class PqSession {
 public:
  // Connects with the given libpq keywords and values. SQLException with SQL state "08001" when it cannot.
  // socketTimeoutMs: how long any wait for the server may last, 0 for no limit.
  explicit PqSession(const std::vector<std::pair<std::string, std::string>>& params, int socketTimeoutMs = 0);
  PqSession(const PqSession&) = delete;
  PqSession& operator=(const PqSession&) = delete;
  ~PqSession();

  // Inline: every getter of a result set asks.
  bool isClosed() const { return closed_.load(std::memory_order_acquire); }
  // SQLException "Connection is closed" once closed.
  void checkOpen() const {
    if (isClosed()) connectionClosed();
  }
  void close();

  // Runs sql with text parameters ($1...; a missing value is NULL), first opening a transaction when auto-commit
  // is off and none is open. SQLException with the server's message and SQL state on failure. A statement still
  // running after queryTimeoutSeconds (0 = none) is cancelled and fails with state 57014.
  PqResultRef run(const std::string& sql, const std::vector<std::optional<std::string>>& params = {},
                  int queryTimeoutSeconds = 0);
  // Runs sql as it is, outside the transaction emulation (SET, SHOW, COMMIT).
  PqResultRef runPlain(const std::string& sql);

  // How many rows a cursor's batch holds.
  static constexpr int kBatchRows = 32768;
  // A cursor's state; its fields are guarded by the session's lock.
  struct Cursor : std::enable_shared_from_this<Cursor> {
    std::string name;
    int queryTimeoutSeconds = 0;
    bool ownsTransaction = false;      // opened in auto-commit: its transaction ends with it
    bool open = true;                  // still open on the server
    std::vector<PqResultRef> drained;  // batches read ahead, oldest first
    std::string failure;               // why reading ahead failed, given after the batches read ahead
    std::string failureState;
  };
  // Runs a query (readsAsCursor) through a new cursor: its first batch. cursor receives the cursor of the rest,
  // or null when the first batch held every row. SQLException as for run().
  PqResultRef runCursor(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                        int queryTimeoutSeconds, std::shared_ptr<Cursor>& cursor);
  // The next batch of cursor's rows; null when every row has been given.
  PqResultRef fetch(Cursor& cursor);
  // Closes cursor before its end; nothing when it is closed already.
  void closeCursor(Cursor& cursor);

  void setAutoCommit(bool autoCommit);
  bool getAutoCommit() const;
  // Ends the open transaction, if any; nothing when none is open.
  void endTransaction(bool commit);
  // The escaped bytea text of bytes, for a parameter.
  static std::string byteaText(const std::vector<std::uint8_t>& bytes);
  // The server's notices that no statement took: the connection's warnings.
  PqWarnings& warnings() { return warnings_; }

 private:
  [[noreturn]] static void connectionClosed();
  PqResultRef execLocked(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                         int queryTimeoutSeconds = 0);
  // Waits until libpq has a whole result (or the end of the results) at hand. Sends a cancel request once the
  // query's time-out has passed; gives the connection up when the server stays silent past the socket time-out.
  struct Wait;
  void awaitResultLocked(Wait& wait);
  // Closes the connection after it broke or went silent, and throws SQL state 08006 with message.
  [[noreturn]] void giveUpLocked(const std::string& message);
  // Ends the connection and every cursor on it; the caller holds mutex_ and conn_ is not null.
  void finishLocked();
  // Sends the commands as one pipeline and waits for every result; an error result stands for the first failure
  // (the commands after it were not run).
  std::vector<PqResultRef> pipelineLocked(
      const std::vector<std::pair<std::string, std::vector<std::optional<std::string>>>>& commands, Wait& wait);
  // Reads the rest of the open cursors whole, before another statement needs the connection: those with a
  // transaction of their own, or every one when the caller's transaction ends.
  void settleLocked(bool transactionEnds);
  // The cursor has given its last row: ends its transaction, or closes it in the caller's.
  void finishLocked(Cursor& cursor, bool transactionEnds);
  PqResultRef fetchLocked(Cursor& cursor, const std::string& count);
  void forgetLocked(const Cursor& cursor);
  // Asks for the cursor's next batch without waiting, so the server makes it while the caller reads this one.
  void prefetchLocked(Cursor& cursor);
  // Waits for the batch asked for ahead, if any, and keeps it with its cursor: before anything else is sent.
  void collectLocked();
  [[noreturn]] void raiseFailureLocked(pg_result* result, const Wait& wait);

  mutable std::mutex mutex_;
  // Mirrors conn_ == nullptr for readers that must not wait for a round trip (every getter of a result set).
  std::atomic<bool> closed_{false};
  pg_conn* conn_ = nullptr;  // owned; null once closed; guarded by mutex_
  const int socketTimeoutMs_;
  bool autoCommit_ = true;                      // guarded by mutex_
  bool inTransaction_ = false;                  // guarded by mutex_
  std::vector<std::weak_ptr<Cursor>> cursors_;  // guarded by mutex_: the open ones
  int cursorsMade_ = 0;                         // guarded by mutex_
  PqWarnings warnings_;
  std::shared_ptr<Cursor> prefetching_;         // guarded by mutex_: whose FETCH is on its way
};

}  // namespace plat::sql::pq
