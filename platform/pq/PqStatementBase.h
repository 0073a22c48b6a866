// The operations the plain and the prepared statement share, all kept by one PqExecution. Base is the JDBC
// statement class the driver class implements. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/pq/PqExecution.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLWarning.h"

namespace plat::sql::pq {

template <class Base>
class PqStatementBase : public Base {
 public:
  void close() override { execution_.close(); }
  bool isClosed() const override { return execution_.isClosed(); }
  int getMaxFieldSize() override { return execution_.maxFieldSize(); }
  void setMaxFieldSize(int max) override { execution_.setMaxFieldSize(max); }
  int getMaxRows() override { return execution_.maxRows(); }
  void setMaxRows(int max) override { execution_.setMaxRows(max); }
  void setEscapeProcessing(bool /*enable*/) override { execution_.checkOpen(); }
  int getQueryTimeout() override { return execution_.queryTimeout(); }
  void setQueryTimeout(int seconds) override { execution_.setQueryTimeout(seconds); }
  void cancel() override { execution_.checkOpen(); }
  std::shared_ptr<SQLWarning> getWarnings() override {
    execution_.checkOpen();
    return execution_.warnings().get();
  }
  void clearWarnings() override {
    execution_.checkOpen();
    execution_.warnings().clear();
  }
  void setCursorName(const std::string& /*name*/) override { execution_.checkOpen(); }
  plat::lang::Ref<ResultSet> getResultSet() override { return execution_.resultSet(); }
  int getUpdateCount() override { return execution_.updateCount(); }
  bool getMoreResults() override { return execution_.moreResults(); }

 protected:
  explicit PqStatementBase(std::shared_ptr<PqSession> session) : execution_(std::move(session)) {}
  ~PqStatementBase() override { execution_.release(); }

  PqExecution execution_;
};

}  // namespace plat::sql::pq
