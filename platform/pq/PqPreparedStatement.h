// A prepared statement on a PostgreSQL connection: the "?" markers become numbered parameters and every value
// travels apart from the text, as its text form. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/pq/PqPlaceholders.h"
#include "platform/pq/PqPreparedBase.h"
#include "platform/sql/PreparedStatement.h"

namespace plat::sql::pq {

class PqPreparedStatement : public PqPreparedBase<PreparedStatement> {
 public:
  PqPreparedStatement(std::shared_ptr<PqSession> session, const std::string& sql);

  plat::lang::Ref<ResultSet> executeQuery() override;
  int executeUpdate() override;
  bool execute() override;
  using PqPreparedBase::execute;
  using PqPreparedBase::executeQuery;
  using PqPreparedBase::executeUpdate;

  std::string getClassName() const override { return "plat.sql.pq.PqPreparedStatement"; }

 private:
  bool run(PqExecution::Expect expect);

  NumberedSql sql_;
};

}  // namespace plat::sql::pq
