// The state a plain and a prepared statement share: options, the open/closed state and the current result (a
// result set or an update count). Used by one thread at a time, like its statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/pq/PqResultSet.h"
#include "platform/pq/PqSession.h"

namespace plat::sql::pq {

class PqExecution {
 public:
  enum class Expect { Rows, Count, Any };

  explicit PqExecution(std::shared_ptr<PqSession> session) : session_(std::move(session)) {}

  // SQLException "Statement is closed" after close(), "Connection is closed" after the connection's.
  void checkOpen() const;
  bool isClosed() const { return closed_ || session_->isClosed(); }
  const std::shared_ptr<PqSession>& session() const { return session_; }
  // The notices of the last run, as the statement's warnings.
  PqWarnings& warnings() { return warnings_; }

  // Closes the current result, runs sql and keeps its result. executeQuery of an update (or executeUpdate of a
  // query) fails after running, as the server tells the kind only then. True when the result is rows.
  bool run(const std::string& sql, const std::vector<std::optional<std::string>>& params, Expect expect);
  plat::lang::Ref<ResultSet> resultSet() const;
  int updateCount() const;
  bool moreResults();
  void close();
  // Lets go of the current result set without closing it (its owner now reads it); no result and no count remain.
  void detachResult();
  // For the statement's destructor: marks this closed and closes the current result set unless a caller still
  // holds it (a result set read whole needs nothing of its statement).
  void release();

  int maxFieldSize() const;
  void setMaxFieldSize(int max);
  int maxRows() const;
  void setMaxRows(int max);
  int queryTimeout() const;
  void setQueryTimeout(int seconds);

 private:
  void closeResult();

  std::shared_ptr<PqSession> session_;
  plat::lang::Ref<PqResultSet> current_;
  int updateCount_ = -1;
  int maxFieldSize_ = 0;
  int maxRows_ = 0;
  int queryTimeout_ = 0;
  bool closed_ = false;
  PqWarnings warnings_;
};

}  // namespace plat::sql::pq
