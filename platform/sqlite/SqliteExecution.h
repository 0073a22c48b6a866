// What a statement object keeps between runs: its database, its one current result or update count, the row limit
// and its open/closed state. Shared by the plain and the prepared statement. Used by one thread at a time.
#pragma once

#include <memory>

#include "platform/lang/Object.h"
#include "platform/sql/ResultSet.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace plat::sql::sqlite {

class SqliteResultSet;

class SqliteExecution {
 public:
  enum class Expect { Rows, Count, Either };

  explicit SqliteExecution(std::shared_ptr<SqliteDatabase> db);
  SqliteExecution(const SqliteExecution&) = delete;
  SqliteExecution& operator=(const SqliteExecution&) = delete;

  // The database; SQLException "Statement is closed" after close(), "Connection is closed" after the connection's.
  const std::shared_ptr<SqliteDatabase>& database() const;
  void checkOpen() const { database(); }
  // The database whatever the state, for closing.
  SqliteDatabase& databaseUnchecked() const { return *db_; }

  // Runs stmt after closing the current result. Whether it gives rows is checked before it runs: executeQuery of
  // an update, or executeUpdate of a query, is refused without touching the data. True when the result is rows.
  bool run(const std::shared_ptr<SqliteStmt>& stmt, Expect expect);
  // Runs a statement that is not the last of a script, to its end.
  void runToEnd(const std::shared_ptr<SqliteStmt>& stmt);

  plat::lang::Ref<ResultSet> resultSet() const;
  int updateCount() const;
  bool moreResults();
  int maxRows() const;
  void setMaxRows(int max);
  // Kept and answered; SQLite itself neither cuts values nor stops a slow statement by them.
  int maxFieldSize() const;
  void setMaxFieldSize(int max);
  // Interrupts a statement running on the database.
  void cancel();
  int queryTimeout() const;
  void setQueryTimeout(int seconds);

  // Closes the current result set (if any); the statement stays usable.
  void closeResult();
  // Closes the result and marks this closed; idempotent.
  void close();
  // For the statement's destructor: marks this closed, and closes the current result set unless a caller still
  // holds it (createStatement()->executeQuery(...) lets go of the statement at once). Such a result set stays
  // readable and is handed to the database, so closing the connection still closes it.
  void release();
  bool isClosed() const { return closed_; }

 private:
  std::shared_ptr<SqliteDatabase> db_;
  plat::lang::Ref<SqliteResultSet> current_;  // the one current result set, or null
  int updateCount_ = -1;
  int maxRows_ = 0;
  int maxFieldSize_ = 0;
  int queryTimeout_ = 0;
  bool closed_ = false;
};

}  // namespace plat::sql::sqlite
