// A connection to one SQLite database file (or a private in-memory database). Auto-commit is SQLite's own mode;
// with auto-commit off the connection keeps a transaction open (BEGIN) and starts the next one after each commit
// or rollback. Closing closes every statement and catalog result set it made, then the database. Statements of one
// connection may run on several threads (see SqliteDatabase); the connection's settings are atomics. A connection
// opened OneAtATime (the driver's kThreadingProperty) gives up the first: one thread at a time, ordered by the caller.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/sql/Connection.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace plat::sql::sqlite {

class SqliteConnection : public Connection {
 public:
  // Opens path; url is what getMetaData()->getURL() answers. SQLException when the file cannot be opened.
  SqliteConnection(const std::string& url, const std::string& path,
                   SqliteDatabase::Threading threading = SqliteDatabase::Threading::Serialized,
                   int busyTimeoutMs = SqliteDatabase::kDefaultBusyTimeoutMs);
  ~SqliteConnection() override;

  plat::lang::Ref<Statement> createStatement() override;
  plat::lang::Ref<PreparedStatement> prepareStatement(const std::string& sql) override;
  // Plain SQL with in-parameters; see SqliteCallableStatement.
  plat::lang::Ref<CallableStatement> prepareCall(const std::string& sql) override;
  std::string nativeSQL(const std::string& sql) override;

  void setAutoCommit(bool autoCommit) override;
  bool getAutoCommit() override;
  void commit() override;
  void rollback() override;

  void close() override;
  bool isClosed() override;

  plat::lang::Ref<DatabaseMetaData> getMetaData() override;
  void setReadOnly(bool readOnly) override;
  bool isReadOnly() override;
  void setCatalog(const std::string& catalog) override;
  std::string getCatalog() override;
  void setTransactionIsolation(int level) override;
  int getTransactionIsolation() override;
  std::shared_ptr<SQLWarning> getWarnings() override;
  void clearWarnings() override;

  // The number of open statements and catalog result sets, which close() would close.
  std::size_t openObjectCount() const { return db_->trackedCount(); }

 private:
  const std::shared_ptr<SqliteDatabase>& database() const;
  template <class T>
  plat::lang::Ref<T> tracked(plat::lang::Ref<T> object);

  std::string url_;
  std::shared_ptr<SqliteDatabase> db_;
  std::atomic<bool> autoCommit_{true};
  std::atomic<bool> readOnly_{false};
};

}  // namespace plat::sql::sqlite
