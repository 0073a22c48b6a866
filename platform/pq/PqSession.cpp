#include "platform/pq/PqSession.h"

#include <libpq-fe.h>

#include "platform/sql/SQLException.h"

namespace plat::sql::pq {

namespace {

std::string trimmed(const char* text) {
  std::string out = text == nullptr ? "" : text;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
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

PqSession::PqSession(const std::vector<std::pair<std::string, std::string>>& params) {
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
  closed_.store(true, std::memory_order_release);
  // Closing abandons an open transaction: the server rolls it back.
  PQfinish(conn_);
  conn_ = nullptr;
  inTransaction_ = false;
}

PqResultRef PqSession::execLocked(const std::string& sql, const std::vector<std::optional<std::string>>& params) {
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  pg_result* raw;
  if (params.empty()) {
    raw = PQexec(conn_, sql.c_str());
  } else {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const auto& param : params) values.push_back(param ? param->c_str() : nullptr);
    raw =
        PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr, nullptr, 0);
  }
  PqResultRef result(raw, [](pg_result* r) { PQclear(r); });
  ExecStatusType status = raw == nullptr ? PGRES_FATAL_ERROR : PQresultStatus(raw);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY) {
    raiseResult(raw, conn_);
  }
  return result;
}

PqResultRef PqSession::run(const std::string& sql, const std::vector<std::optional<std::string>>& params) {
  std::lock_guard lock(mutex_);
  if (!autoCommit_ && !inTransaction_) {
    execLocked("BEGIN", {});
    inTransaction_ = true;
  }
  return execLocked(sql, params);
}

PqResultRef PqSession::runPlain(const std::string& sql) {
  std::lock_guard lock(mutex_);
  return execLocked(sql, {});
}

void PqSession::setAutoCommit(bool autoCommit) {
  std::lock_guard lock(mutex_);
  if (conn_ == nullptr) throw SQLException("Connection is closed", "08003");
  if (autoCommit == autoCommit_) return;
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
