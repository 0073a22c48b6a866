#include "platform/pq/PqSession.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/sql/SQLException.h"

namespace plat::sql::pq {

namespace {

std::string trimmed(const char* text) {
  std::string out = text == nullptr ? "" : text;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

bool isFailure(pg_result* result) {
  ExecStatusType status = result == nullptr ? PGRES_FATAL_ERROR : PQresultStatus(result);
  return status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY;
}

PqResultRef owned(pg_result* result) {
  return PqResultRef(result, [](pg_result* r) { PQclear(r); });
}

// The text of a query for DECLARE ... FOR: without the semicolons that may end it.
std::string cursorBody(const std::string& sql) {
  std::size_t end = sql.find_last_not_of(" \t\r\n;");
  return end == std::string::npos ? sql : sql.substr(0, end + 1);
}

[[noreturn]] void raiseResult(pg_result* result, pg_conn* conn) {
  const char* state = result == nullptr ? nullptr : PQresultErrorField(result, PG_DIAG_SQLSTATE);
  const char* primary = result == nullptr ? nullptr : PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
  std::string message = primary != nullptr ? primary : trimmed(PQerrorMessage(conn));
  if (state != nullptr) throw SQLException(message, state);
  // No state: the connection itself broke.
  throw SQLException(message, "08006");
}

}  // namespace

struct PqSession::Wait {
  using Clock = std::chrono::steady_clock;
  int queryTimeoutSeconds = 0;
  Clock::time_point cancelAt;
  bool cancelled = false;
};

PqSession::PqSession(const std::vector<std::pair<std::string, std::string>>& params, int socketTimeoutMs)
    : socketTimeoutMs_(socketTimeoutMs) {
  std::vector<const char*> keys;
  std::vector<const char*> values;
  for (const auto& [key, value] : params) {
    keys.push_back(key.c_str());
    values.push_back(value.c_str());
  }
  keys.push_back(nullptr);
  values.push_back(nullptr);
  conn_ = PQconnectdbParams(keys.data(), values.data(), 0);
  if (conn_ == nullptr) throw SQLException("out of memory", "08001");
  if (PQstatus(conn_) != CONNECTION_OK) {
    std::string message = trimmed(PQerrorMessage(conn_));
    PQfinish(conn_);
    conn_ = nullptr;
    throw SQLException(message, "08001");
  }
  receiveNotices(conn_, warnings_);
}

PqSession::~PqSession() {
  if (conn_ != nullptr) PQfinish(conn_);
}

void PqSession::connectionClosed() {
  throw SQLException("Connection is closed", "08003");
}

void PqSession::close() {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) return;
  finishLocked();
}

void PqSession::finishLocked() {
  closed_.store(true, std::memory_order_release);
  // Closing abandons an open transaction: the server rolls it back.
  PQfinish(conn_);
  conn_ = nullptr;
  inTransaction_ = false;
  for (const auto& weak : cursors_) {
    if (auto cursor = weak.lock()) cursor->open = false;
  }
  cursors_.clear();
  prefetching_ = nullptr;
}

void PqSession::giveUpLocked(const std::string& message) {
  finishLocked();
  throw SQLException(message, "08006");
}

void PqSession::awaitResultLocked(Wait& wait) {
  using Clock = Wait::Clock;
  auto lastHeard = Clock::now();
  while (PQisBusy(conn_) != 0) {
    const auto now = Clock::now();
    const bool cancelDue = wait.queryTimeoutSeconds > 0 && !wait.cancelled;
    if (cancelDue && now >= wait.cancelAt) {
      // The server answers the cancel with its error for the statement, state 57014.
      char error[256] = {};
      PGcancel* cancel = PQgetCancel(conn_);
      if (cancel != nullptr) {
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
      }
      wait.cancelled = true;
      lastHeard = Clock::now();
      continue;
    }
    long waitMs = -1;
    if (socketTimeoutMs_ > 0) {
      const auto silent = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastHeard).count();
      if (silent >= socketTimeoutMs_)
        giveUpLocked("The server did not answer within the socket time-out of " + std::to_string(socketTimeoutMs_) +
                     " ms; the connection is closed");
      waitMs = socketTimeoutMs_ - silent;
    }
    if (cancelDue) {
      const long untilCancel = std::chrono::duration_cast<std::chrono::milliseconds>(wait.cancelAt - now).count() + 1;
      waitMs = waitMs < 0 ? untilCancel : std::min(waitMs, untilCancel);
    }
    pollfd socket{PQsocket(conn_), POLLIN, 0};
    const int ready = poll(&socket, 1, static_cast<int>(waitMs));
    if (ready < 0 && errno != EINTR) giveUpLocked("Waiting for the server failed: " + std::string(strerror(errno)));
    if (ready <= 0) continue;
    lastHeard = Clock::now();
    if (PQconsumeInput(conn_) == 0) giveUpLocked(trimmed(PQerrorMessage(conn_)));
  }
}

PqResultRef PqSession::execLocked(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                                  int queryTimeoutSeconds) {
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  collectLocked();
  int sent;
  if (params.empty()) {
    sent = PQsendQuery(conn_, sql.c_str());
  } else {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const auto& param : params) values.push_back(param ? param->c_str() : nullptr);
    sent = PQsendQueryParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                             nullptr, 0);
  }
  if (sent == 0) {
    if (PQstatus(conn_) == CONNECTION_BAD) giveUpLocked(trimmed(PQerrorMessage(conn_)));
    throw SQLException(trimmed(PQerrorMessage(conn_)), "HY000");
  }
  Wait wait;
  wait.queryTimeoutSeconds = queryTimeoutSeconds;
  wait.cancelAt = Wait::Clock::now() + std::chrono::seconds(queryTimeoutSeconds);
  // As PQexec: the last result of a script, or its first error.
  PqResultRef kept;
  bool failed = false;
  for (;;) {
    awaitResultLocked(wait);
    pg_result* next = PQgetResult(conn_);
    if (next == nullptr) break;
    PqResultRef result(next, [](pg_result* r) { PQclear(r); });
    if (failed) continue;
    ExecStatusType status = PQresultStatus(next);
    failed = status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY;
    kept = std::move(result);
  }
  if (kept == nullptr) raiseResult(nullptr, conn_);
  if (failed) raiseFailureLocked(kept.get(), wait);
  return kept;
}

void PqSession::raiseFailureLocked(pg_result* result, const Wait& wait) {
  const char* state = result == nullptr ? nullptr : PQresultErrorField(result, PG_DIAG_SQLSTATE);
  if (wait.cancelled && state != nullptr && std::string(state) == "57014")
    throw SQLException(
        "The statement was cancelled after its query time-out of " + std::to_string(wait.queryTimeoutSeconds) + " s",
        "57014");
  raiseResult(result, conn_);
}

std::vector<PqResultRef> PqSession::pipelineLocked(
    const std::vector<std::pair<std::string, std::vector<std::optional<std::string>>>>& commands, Wait& wait) {
  collectLocked();
  if (PQenterPipelineMode(conn_) == 0) throw SQLException(trimmed(PQerrorMessage(conn_)), "HY000");
  for (const auto& [sql, params] : commands) {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const auto& param : params) values.push_back(param ? param->c_str() : nullptr);
    if (PQsendQueryParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr, nullptr,
                          0) == 0)
      giveUpLocked(trimmed(PQerrorMessage(conn_)));
  }
  if (PQpipelineSync(conn_) == 0) giveUpLocked(trimmed(PQerrorMessage(conn_)));
  std::vector<PqResultRef> results;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    PqResultRef kept;
    for (;;) {
      awaitResultLocked(wait);
      pg_result* next = PQgetResult(conn_);
      if (next == nullptr) break;
      PqResultRef result = owned(next);
      if (kept == nullptr) kept = std::move(result);
    }
    results.push_back(std::move(kept));
  }
  // The end of the pipeline: its sync point.
  for (;;) {
    awaitResultLocked(wait);
    pg_result* next = PQgetResult(conn_);
    if (next == nullptr) continue;
    const bool sync = PQresultStatus(next) == PGRES_PIPELINE_SYNC;
    PQclear(next);
    if (sync) break;
  }
  PQexitPipelineMode(conn_);
  return results;
}

PqResultRef PqSession::runCursor(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                                 int queryTimeoutSeconds, std::shared_ptr<Cursor>& cursor) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  collectLocked();
  settleLocked(false);
  auto made = std::make_shared<Cursor>();
  made->name = "plat_cursor_" + std::to_string(++cursorsMade_);
  made->queryTimeoutSeconds = queryTimeoutSeconds;
  // In auto-commit the cursor has a transaction of its own, unless the caller opened one with BEGIN.
  made->ownsTransaction = autoCommit_ && PQtransactionStatus(conn_) == PQTRANS_IDLE;
  const bool begins = made->ownsTransaction || (!autoCommit_ && !inTransaction_);
  std::vector<std::pair<std::string, std::vector<std::optional<std::string>>>> commands;
  if (begins) commands.emplace_back("BEGIN", std::vector<std::optional<std::string>>{});
  commands.emplace_back("DECLARE " + made->name + " NO SCROLL CURSOR FOR " + cursorBody(sql), params);
  commands.emplace_back("FETCH " + std::to_string(kBatchRows) + " FROM " + made->name,
                        std::vector<std::optional<std::string>>{});
  Wait wait;
  wait.queryTimeoutSeconds = queryTimeoutSeconds;
  wait.cancelAt = Wait::Clock::now() + std::chrono::seconds(queryTimeoutSeconds);
  auto results = pipelineLocked(commands, wait);
  if (begins && !made->ownsTransaction) inTransaction_ = true;
  for (const auto& result : results) {
    if (!isFailure(result.get())) continue;
    if (made->ownsTransaction) {
      try {
        execLocked("ROLLBACK", {});
      } catch (const SQLException&) {
      }
    }
    raiseFailureLocked(result.get(), wait);
  }
  PqResultRef first = results.back();
  cursor = nullptr;
  if (PQntuples(first.get()) < kBatchRows) {
    finishLocked(*made, false);
  } else {
    cursors_.push_back(made);
    cursor = made;
    prefetchLocked(*made);
  }
  return first;
}

void PqSession::finishLocked(Cursor& cursor, bool transactionEnds) {
  if (!cursor.open) return;
  cursor.open = false;
  forgetLocked(cursor);
  if (conn_ == nullptr) return;
  if (cursor.ownsTransaction) {
    execLocked("COMMIT", {});
  } else if (!transactionEnds) {
    execLocked("CLOSE " + cursor.name, {});
  }
}

void PqSession::forgetLocked(const Cursor& cursor) {
  std::erase_if(cursors_, [&](const std::weak_ptr<Cursor>& weak) {
    auto alive = weak.lock();
    return alive == nullptr || alive.get() == &cursor;
  });
}

PqResultRef PqSession::fetchLocked(Cursor& cursor, const std::string& count) {
  try {
    return execLocked("FETCH " + count + " FROM " + cursor.name, {}, cursor.queryTimeoutSeconds);
  } catch (const SQLException&) {
    cursor.open = false;
    forgetLocked(cursor);
    if (cursor.ownsTransaction && conn_ != nullptr) {
      try {
        execLocked("ROLLBACK", {});
      } catch (const SQLException&) {
      }
    }
    throw;
  }
}

void PqSession::prefetchLocked(Cursor& cursor) {
  if (prefetching_ != nullptr || !cursor.open || conn_ == nullptr) return;
  const std::string fetch = "FETCH " + std::to_string(kBatchRows) + " FROM " + cursor.name;
  // Should the send fail, the next batch is asked for when it is needed.
  if (PQsendQuery(conn_, fetch.c_str()) != 0) prefetching_ = cursor.shared_from_this();
}

void PqSession::collectLocked() {
  if (prefetching_ == nullptr) return;
  std::shared_ptr<Cursor> cursor = std::move(prefetching_);
  prefetching_ = nullptr;
  Wait wait;
  wait.queryTimeoutSeconds = cursor->queryTimeoutSeconds;
  wait.cancelAt = Wait::Clock::now() + std::chrono::seconds(cursor->queryTimeoutSeconds);
  PqResultRef kept;
  for (;;) {
    awaitResultLocked(wait);
    pg_result* next = PQgetResult(conn_);
    if (next == nullptr) break;
    PqResultRef result = owned(next);
    if (kept == nullptr) kept = std::move(result);
  }
  if (!isFailure(kept.get())) {
    cursor->drained.push_back(std::move(kept));
    return;
  }
  // The failure is the result set's to report, after the rows before it.
  const char* state = kept == nullptr ? nullptr : PQresultErrorField(kept.get(), PG_DIAG_SQLSTATE);
  const char* primary = kept == nullptr ? nullptr : PQresultErrorField(kept.get(), PG_DIAG_MESSAGE_PRIMARY);
  cursor->failure = primary != nullptr ? primary : trimmed(PQerrorMessage(conn_));
  cursor->failureState = state != nullptr ? state : "08006";
  cursor->open = false;
  forgetLocked(*cursor);
  if (cursor->ownsTransaction) {
    try {
      execLocked("ROLLBACK", {});
    } catch (const SQLException&) {
    }
  }
}

PqResultRef PqSession::fetch(Cursor& cursor) {
  std::lock_guard lock(mutex_);
  if (prefetching_.get() == &cursor) collectLocked();
  if (!cursor.drained.empty()) {
    PqResultRef batch = std::move(cursor.drained.front());
    cursor.drained.erase(cursor.drained.begin());
    if (cursor.open && conn_ != nullptr) {
      if (PQntuples(batch.get()) < kBatchRows) {
        finishLocked(cursor, false);
      } else if (cursor.drained.empty()) {
        prefetchLocked(cursor);
      }
    }
    return batch;
  }
  if (!cursor.failure.empty()) {
    std::string message = std::move(cursor.failure);
    cursor.failure.clear();
    throw SQLException(message, cursor.failureState);
  }
  if (!cursor.open) return nullptr;
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  PqResultRef batch = fetchLocked(cursor, std::to_string(kBatchRows));
  if (PQntuples(batch.get()) < kBatchRows) {
    finishLocked(cursor, false);
  } else {
    prefetchLocked(cursor);
  }
  return batch;
}

void PqSession::closeCursor(Cursor& cursor) {
  std::lock_guard lock(mutex_);
  if (conn_ != nullptr) collectLocked();
  cursor.drained.clear();
  cursor.failure.clear();
  if (!cursor.open) return;
  try {
    finishLocked(cursor, false);
  } catch (const SQLException&) {
    // A CLOSE in a transaction that has failed fails too; the transaction's end closes the cursor.
    if (conn_ != nullptr && PQtransactionStatus(conn_) != PQTRANS_INERROR) throw;
  }
}

void PqSession::settleLocked(bool transactionEnds) {
  if (cursors_.empty()) return;
  collectLocked();
  auto open = cursors_;
  for (const auto& weak : open) {
    auto cursor = weak.lock();
    if (cursor == nullptr || !cursor->open || (!cursor->ownsTransaction && !transactionEnds)) continue;
    try {
      cursor->drained.push_back(fetchLocked(*cursor, "ALL"));
      finishLocked(*cursor, transactionEnds);
    } catch (const SQLException& e) {
      if (conn_ == nullptr) throw;
      // The result set reports it when it comes to the rows that could not be read.
      cursor->failure = e.what();
      cursor->failureState = e.getSQLState();
    }
  }
  std::erase_if(cursors_, [](const std::weak_ptr<Cursor>& weak) {
    auto alive = weak.lock();
    return alive == nullptr || !alive->open;
  });
}

PqResultRef PqSession::run(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                           int queryTimeoutSeconds) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  settleLocked(false);
  if (!autoCommit_ && !inTransaction_) {
    execLocked("BEGIN", {});
    inTransaction_ = true;
  }
  return execLocked(sql, params, queryTimeoutSeconds);
}

PqResultRef PqSession::runPlain(const std::string& sql) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  settleLocked(false);
  return execLocked(sql, {});
}

void PqSession::setAutoCommit(bool autoCommit) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  if (autoCommit == autoCommit_) return;
  settleLocked(autoCommit);
  // Switching auto-commit on commits the open transaction, as the JDBC contract has it.
  if (autoCommit && inTransaction_) {
    inTransaction_ = false;
    execLocked("COMMIT", {});
  }
  autoCommit_ = autoCommit;
}

bool PqSession::getAutoCommit() const {
  std::lock_guard lock(mutex_);
  return autoCommit_;
}

void PqSession::endTransaction(bool commit) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  if (!inTransaction_) return;
  settleLocked(true);
  inTransaction_ = false;
  // A COMMIT of a failed transaction answers ROLLBACK without error; report it as the failure it is.
  PqResultRef result = execLocked(commit ? "COMMIT" : "ROLLBACK", {});
  if (commit && std::string(PQcmdStatus(result.get())) == "ROLLBACK") {
    throw SQLException("The transaction was rolled back because a statement in it failed", "40000");
  }
}

std::string PqSession::byteaText(const std::vector<std::uint8_t>& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out = "\\x";
  out.reserve(2 + bytes.size() * 2);
  for (std::uint8_t byte : bytes) {
    out += digits[byte >> 4];
    out += digits[byte & 15];
  }
  return out;
}

}  // namespace plat::sql::pq
