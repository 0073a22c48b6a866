// The operations the plain and the prepared statement share: options, warnings, cancel and the current result,
// all kept by one SqliteExecution. Base is the JDBC statement class the driver class implements. Used by one
// thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLWarning.h"
#include "platform/sqlite/SqliteExecution.h"

namespace plat::sql::sqlite {

template <class Base>
class SqliteStatementBase : public Base {
 public:
  int getMaxFieldSize() override { return execution_.maxFieldSize(); }
  void setMaxFieldSize(int max) override { execution_.setMaxFieldSize(max); }
  int getMaxRows() override { return execution_.maxRows(); }
  void setMaxRows(int max) override { execution_.setMaxRows(max); }
  void setEscapeProcessing(bool /*enable*/) override { execution_.checkOpen(); }
  int getQueryTimeout() override { return execution_.queryTimeout(); }
  void setQueryTimeout(int seconds) override { execution_.setQueryTimeout(seconds); }
  void cancel() override { execution_.cancel(); }
  bool isClosed() const override { return execution_.isClosed(); }
  std::shared_ptr<SQLWarning> getWarnings() override {
    execution_.checkOpen();
    return nullptr;
  }
  void clearWarnings() override { execution_.checkOpen(); }
  void setCursorName(const std::string& /*name*/) override { execution_.checkOpen(); }
  plat::lang::Ref<ResultSet> getResultSet() override { return execution_.resultSet(); }
  int getUpdateCount() override { return execution_.updateCount(); }
  bool getMoreResults() override { return execution_.moreResults(); }

 protected:
  explicit SqliteStatementBase(std::shared_ptr<SqliteDatabase> db) : execution_(std::move(db)) {}

  SqliteExecution execution_;
};

}  // namespace plat::sql::sqlite
