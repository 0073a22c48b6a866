#include "platform/sqlite/SqliteStatement.h"

#include <exception>

#include "platform/sql/SQLException.h"

namespace plat::sql::sqlite {
namespace {

// Whether text holds more than blanks, semicolons and comments.
bool hasMoreStatements(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';') {
      ++i;
    } else if (text.compare(i, 2, "--") == 0) {
      i = text.find('\n', i);
      if (i == std::string::npos) return false;
    } else if (text.compare(i, 2, "/*") == 0) {
      i = text.find("*/", i + 2);
      if (i == std::string::npos) return false;
      i += 2;
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace

SqliteStatement::SqliteStatement(std::shared_ptr<SqliteDatabase> db) : SqliteStatementBase(std::move(db)) {}

SqliteStatement::~SqliteStatement() {
  try {
    // A result set still held elsewhere keeps its compiled statement; SQLite finalizes it with the result set.
    execution_.release();
    stmt_.reset();
    execution_.databaseUnchecked().forget(this);
  } catch (...) {
  }
}

bool SqliteStatement::run(const std::string& sql, SqliteExecution::Expect expect) {
  const auto& db = execution_.database();
  execution_.closeResult();
  if (stmt_ != nullptr) stmt_->finalize();
  stmt_ = nullptr;
  std::string rest;
  auto stmt = std::make_shared<SqliteStmt>(db, sql, &rest);
  // Every statement of a script but the last runs to its end before the next compiles (it may name a table the
  // one before creates).
  while (hasMoreStatements(rest)) {
    execution_.runToEnd(stmt);
    std::string nextRest;
    stmt = std::make_shared<SqliteStmt>(db, rest, &nextRest);
    rest = std::move(nextRest);
  }
  stmt_ = stmt;
  return execution_.run(stmt, expect);
}

plat::lang::Ref<ResultSet> SqliteStatement::executeQuery(const std::string& sql) {
  run(sql, SqliteExecution::Expect::Rows);
  return execution_.resultSet();
}

int SqliteStatement::executeUpdate(const std::string& sql) {
  run(sql, SqliteExecution::Expect::Count);
  return execution_.updateCount();
}

bool SqliteStatement::execute(const std::string& sql) {
  return run(sql, SqliteExecution::Expect::Either);
}

void SqliteStatement::close() {
  if (execution_.isClosed()) return;
  std::exception_ptr first;
  try {
    execution_.close();
  } catch (...) {
    first = std::current_exception();
  }
  if (stmt_ != nullptr) stmt_->finalize();
  stmt_ = nullptr;
  execution_.databaseUnchecked().forget(this);
  if (first) std::rethrow_exception(first);
}

}  // namespace plat::sql::sqlite
