#include "platform/pq/PqStatement.h"

namespace plat::sql::pq {

plat::lang::Ref<ResultSet> PqStatement::executeQuery(const std::string& sql) {
  execution_.run(sql, {}, PqExecution::Expect::Rows);
  return execution_.resultSet();
}

int PqStatement::executeUpdate(const std::string& sql) {
  execution_.run(sql, {}, PqExecution::Expect::Count);
  return execution_.updateCount();
}

bool PqStatement::execute(const std::string& sql) {
  return execution_.run(sql, {}, PqExecution::Expect::Any);
}

}  // namespace plat::sql::pq
