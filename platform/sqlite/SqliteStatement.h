// A plain statement on an SQLite connection: each run compiles its SQL text; a text of several statements runs them
// in order and the last one gives the result. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteExecution.h"

namespace plat::sql::sqlite {

class SqliteStatement : public Statement {
 public:
  explicit SqliteStatement(std::shared_ptr<SqliteDatabase> db);
  ~SqliteStatement() override;

  plat::lang::Ref<ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;
  void close() override;

  int getMaxFieldSize() override;
  void setMaxFieldSize(int max) override;
  int getMaxRows() override;
  void setMaxRows(int max) override;
  void setEscapeProcessing(bool enable) override;
  int getQueryTimeout() override;
  void setQueryTimeout(int seconds) override;
  void cancel() override;
  std::shared_ptr<SQLWarning> getWarnings() override;
  void clearWarnings() override;
  void setCursorName(const std::string& name) override;
  plat::lang::Ref<ResultSet> getResultSet() override;
  int getUpdateCount() override;
  bool getMoreResults() override;

 private:
  bool run(const std::string& sql, SqliteExecution::Expect expect);

  SqliteExecution execution_;
  std::shared_ptr<SqliteStmt> stmt_;  // the statement of the last run; its result set shares it
};

}  // namespace plat::sql::sqlite
