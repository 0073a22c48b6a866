// A plain statement on a PostgreSQL connection: the SQL text goes to the server as it is. Used by one thread at a
// time; statements of one connection may run on several threads.
#pragma once

#include <string>

#include "platform/pq/PqStatementBase.h"
#include "platform/sql/Statement.h"

namespace plat::sql::pq {

class PqStatement : public PqStatementBase<Statement> {
 public:
  explicit PqStatement(std::shared_ptr<PqSession> session) : PqStatementBase(std::move(session)) {}

  plat::lang::Ref<ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;

  std::string getClassName() const override { return "plat.sql.pq.PqStatement"; }
};

}  // namespace plat::sql::pq
