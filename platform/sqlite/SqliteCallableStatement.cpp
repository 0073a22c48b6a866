#include "platform/sqlite/SqliteCallableStatement.h"

#include "platform/sql/SQLException.h"

namespace plat::sql::sqlite {

namespace {
// The SQL state of a feature the database does not have.
constexpr const char* kNotSupported = "0A000";
}  // namespace

SqliteCallableStatement::SqliteCallableStatement(plat::lang::Ref<SqlitePreparedStatement> prepared)
    : prepared_(std::move(prepared)) {}

void SqliteCallableStatement::refuseCallEscape(const std::string& sql) {
  const auto first = sql.find_first_not_of(" \t\r\n");
  if (first != std::string::npos && sql[first] == '{') {
    throw SQLException("SQLite has no stored procedures: " + sql, kNotSupported);
  }
}

void SqliteCallableStatement::registerOutParameter(int index, int) {
  if (prepared_->isClosed()) throw SQLException("Statement is closed");
  throw SQLException("SQLite has no out-parameters (parameter " + std::to_string(index) + ")", kNotSupported);
}

void SqliteCallableStatement::registerOutParameter(int index, int sqlType, int) {
  registerOutParameter(index, sqlType);
}

}  // namespace plat::sql::sqlite
