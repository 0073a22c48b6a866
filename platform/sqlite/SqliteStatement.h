// A plain statement on an SQLite connection: each run compiles its SQL text; a text of several statements runs them
// in order and the last one gives the result. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteExecution.h"
#include "platform/sqlite/SqliteStatementBase.h"

namespace plat::sql::sqlite {

class SqliteStatement : public SqliteStatementBase<Statement> {
 public:
  explicit SqliteStatement(std::shared_ptr<SqliteDatabase> db);
  ~SqliteStatement() override;

  plat::lang::Ref<ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;
  void close() override;

 private:
  bool run(const std::string& sql, SqliteExecution::Expect expect);

  std::shared_ptr<SqliteStmt> stmt_;  // the statement of the last run; its result set shares it
};

}  // namespace plat::sql::sqlite
