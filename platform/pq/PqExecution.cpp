#include "platform/pq/PqExecution.h"

#include <libpq-fe.h>

#include <cstdlib>

#include "platform/pq/PqPlaceholders.h"
#include "platform/sql/SQLException.h"

namespace plat::sql::pq {

void PqExecution::checkOpen() const {
  if (closed_) throw SQLException("Statement is closed", "24000");
  session_->checkOpen();
}

void PqExecution::closeResult() {
  if (current_ != nullptr) current_->close();
  current_ = nullptr;
  updateCount_ = -1;
}

bool PqExecution::run(const std::string& sql, const std::vector<std::optional<std::string>>& params, Expect expect) {
  checkOpen();
  closeResult();
  warnings_.clear();  // each run starts a new chain
  PqNoticeScope notices(warnings_);
  if (expect != Expect::Count && readsAsCursor(sql)) {
    std::shared_ptr<PqSession::Cursor> cursor;
    PqResultRef first = session_->runCursor(sql, params, queryTimeout_, cursor);
    current_ = plat::lang::makeRef<PqResultSet>(session_, std::move(first), maxRows_, std::move(cursor));
    return true;
  }
  PqResultRef result = session_->run(sql, params, queryTimeout_);
  bool rows = PQresultStatus(result.get()) == PGRES_TUPLES_OK;
  if (expect == Expect::Rows && !rows) throw SQLException("No results were returned by the query.", "02000");
  if (expect == Expect::Count && rows) throw SQLException("A result was returned when none was expected.", "0100E");
  if (rows) {
    current_ = plat::lang::makeRef<PqResultSet>(session_, std::move(result), maxRows_);
  } else {
    const char* tuples = PQcmdTuples(result.get());
    updateCount_ = tuples != nullptr && *tuples != '\0' ? std::atoi(tuples) : 0;
  }
  return rows;
}

plat::lang::Ref<ResultSet> PqExecution::resultSet() const {
  checkOpen();
  if (current_ == nullptr || current_->isClosed()) return nullptr;
  return current_;
}

int PqExecution::updateCount() const {
  checkOpen();
  return updateCount_;
}

bool PqExecution::moreResults() {
  checkOpen();
  closeResult();
  return false;
}

void PqExecution::detachResult() {
  current_ = nullptr;
  updateCount_ = -1;
}

void PqExecution::close() {
  if (closed_) return;
  closed_ = true;
  if (current_ != nullptr) current_->close();
  current_ = nullptr;
}

void PqExecution::release() {
  closed_ = true;
  if (current_ != nullptr && current_.use_count() == 1) current_->close();
  current_ = nullptr;
}

int PqExecution::maxFieldSize() const {
  checkOpen();
  return maxFieldSize_;
}

void PqExecution::setMaxFieldSize(int max) {
  checkOpen();
  if (max < 0) throw SQLException("The maximum field size must be a value greater than or equal to 0.", "22023");
  maxFieldSize_ = max;
}

int PqExecution::maxRows() const {
  checkOpen();
  return maxRows_;
}

void PqExecution::setMaxRows(int max) {
  checkOpen();
  if (max < 0) throw SQLException("Maximum number of rows must be a value greater than or equal to 0.", "22023");
  maxRows_ = max;
}

int PqExecution::queryTimeout() const {
  checkOpen();
  return queryTimeout_;
}

void PqExecution::setQueryTimeout(int seconds) {
  checkOpen();
  if (seconds < 0) throw SQLException("Query timeout must be a value greater than or equals to 0.", "22023");
  queryTimeout_ = seconds;
}

}  // namespace plat::sql::pq
