// A connection to one PostgreSQL database. Auto-commit is emulated: with it off, a transaction opens before the
// first statement and the next after each commit or rollback. Isolation and read-only apply to the transactions
// that start afterwards. The catalog is the connection's database; choosing another is refused. Statements of one
// connection may run on several threads at once: each round trip holds the session's lock (see PqSession).
#pragma once

#include <memory>
#include <string>

#include "platform/pq/PqSession.h"
#include "platform/sql/Connection.h"

namespace plat::sql::pq {

class PqConnection : public Connection {
 public:
  // Connects; SQLException with SQL state "08001" when the server cannot be reached or refuses the login.
  PqConnection(const std::string& url, const std::string& host, const std::string& port, const std::string& database,
               const std::string& user, const std::string& password, int loginTimeoutSeconds,
               int socketTimeoutSeconds = 0);
  ~PqConnection() override;

  plat::lang::Ref<Statement> createStatement() override;
  plat::lang::Ref<PreparedStatement> prepareStatement(const std::string& sql) override;
  // "{call p(?)}" or "{? = call f(?)}"; see PqCallableStatement.
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

  std::string getClassName() const override { return "plat.sql.pq.PqConnection"; }

 private:
  std::string showSetting(const std::string& name);

  std::string url_;
  std::string database_;
  std::string user_;
  std::shared_ptr<PqSession> session_;
  int defaultIsolation_ = TRANSACTION_READ_COMMITTED;
};

// The JDBC code of an isolation name as the server shows it ("read committed"); 0 for an unknown name.
int isolationOfName(const std::string& name);

}  // namespace plat::sql::pq
