#include "platform/pq/PqConnection.h"

#include <libpq-fe.h>

#include "platform/pq/PqCallableStatement.h"
#include "platform/pq/PqDatabaseMetaData.h"
#include "platform/pq/PqPreparedStatement.h"
#include "platform/pq/PqStatement.h"
#include "platform/pq/PqTimes.h"
#include "platform/sql/SQLException.h"

namespace plat::sql::pq {

namespace {

const char* isolationName(int level) {
  switch (level) {
    case Connection::TRANSACTION_READ_UNCOMMITTED:
      return "READ UNCOMMITTED";
    case Connection::TRANSACTION_READ_COMMITTED:
      return "READ COMMITTED";
    case Connection::TRANSACTION_REPEATABLE_READ:
      return "REPEATABLE READ";
    case Connection::TRANSACTION_SERIALIZABLE:
      return "SERIALIZABLE";
    default:
      return nullptr;
  }
}

}  // namespace

int isolationOfName(const std::string& name) {
  if (name == "read uncommitted") return Connection::TRANSACTION_READ_UNCOMMITTED;
  if (name == "read committed") return Connection::TRANSACTION_READ_COMMITTED;
  if (name == "repeatable read") return Connection::TRANSACTION_REPEATABLE_READ;
  if (name == "serializable") return Connection::TRANSACTION_SERIALIZABLE;
  return 0;
}

PqConnection::PqConnection(const std::string& url, const std::string& host, const std::string& port,
                           const std::string& database, const std::string& user, const std::string& password,
                           int loginTimeoutSeconds, int socketTimeoutSeconds)
    : url_(url), database_(database), user_(user) {
  std::vector<std::pair<std::string, std::string>> params = {
      {"host", host}, {"dbname", database}, {"client_encoding", "UTF8"}, {"application_name", "plat_pq"}};
  if (!port.empty()) params.emplace_back("port", port);
  if (!user.empty()) params.emplace_back("user", user);
  if (!password.empty()) params.emplace_back("password", password);
  // Without a limit of its own, a connect waits at most a minute rather than forever.
  params.emplace_back("connect_timeout", std::to_string(loginTimeoutSeconds > 0 ? loginTimeoutSeconds : 60));
  session_ = std::make_shared<PqSession>(params, socketTimeoutSeconds * 1000);
  // Times the server writes and reads without an offset are the process's local times.
  try {
    session_->runPlain(processTimeZoneCommand());
  } catch (const SQLException&) {
    session_->runPlain(processOffsetCommand());
  }
  defaultIsolation_ = isolationOfName(showSetting("default_transaction_isolation"));
}

PqConnection::~PqConnection() {
  try {
    close();
  } catch (...) {
  }
}

std::string PqConnection::showSetting(const std::string& name) {
  PqResultRef result = session_->runPlain("SHOW " + name);
  return PQntuples(result.get()) > 0 ? PQgetvalue(result.get(), 0, 0) : "";
}

plat::lang::Ref<Statement> PqConnection::createStatement() {
  session_->checkOpen();
  return plat::lang::makeRef<PqStatement>(session_);
}

plat::lang::Ref<PreparedStatement> PqConnection::prepareStatement(const std::string& sql) {
  session_->checkOpen();
  return plat::lang::makeRef<PqPreparedStatement>(session_, sql);
}

plat::lang::Ref<CallableStatement> PqConnection::prepareCall(const std::string& sql) {
  session_->checkOpen();
  return plat::lang::makeRef<PqCallableStatement>(session_, sql);
}

std::string PqConnection::nativeSQL(const std::string& sql) {
  session_->checkOpen();
  return sql;
}

void PqConnection::setAutoCommit(bool autoCommit) {
  session_->setAutoCommit(autoCommit);
}

bool PqConnection::getAutoCommit() {
  session_->checkOpen();
  return session_->getAutoCommit();
}

void PqConnection::commit() {
  if (session_->getAutoCommit()) {
    session_->checkOpen();
    throw SQLException("Cannot commit when autoCommit is enabled.", "25000");
  }
  session_->endTransaction(true);
}

void PqConnection::rollback() {
  if (session_->getAutoCommit()) {
    session_->checkOpen();
    throw SQLException("Cannot rollback when autoCommit is enabled.", "25000");
  }
  session_->endTransaction(false);
}

void PqConnection::close() {
  session_->close();
}

bool PqConnection::isClosed() {
  return session_->isClosed();
}

plat::lang::Ref<DatabaseMetaData> PqConnection::getMetaData() {
  session_->checkOpen();
  return plat::lang::makeRef<PqDatabaseMetaData>(session_, url_, user_, defaultIsolation_);
}

// Session characteristics apply from the next transaction on, which is when JDBC expects a change to count.
void PqConnection::setReadOnly(bool readOnly) {
  session_->runPlain(std::string("SET SESSION CHARACTERISTICS AS TRANSACTION ") +
                     (readOnly ? "READ ONLY" : "READ WRITE"));
}

bool PqConnection::isReadOnly() {
  return showSetting("default_transaction_read_only") == "on";
}

void PqConnection::setCatalog(const std::string& catalog) {
  session_->checkOpen();
  if (catalog != database_) {
    throw SQLException("Cannot change the catalog of a connection to " + database_ + " to " + catalog, "0A000");
  }
}

std::string PqConnection::getCatalog() {
  session_->checkOpen();
  return database_;
}

void PqConnection::setTransactionIsolation(int level) {
  const char* name = isolationName(level);
  if (name == nullptr) {
    session_->checkOpen();
    throw SQLException("Transaction isolation level " + std::to_string(level) + " not supported.", "0A000");
  }
  session_->runPlain(std::string("SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL ") + name);
}

int PqConnection::getTransactionIsolation() {
  return isolationOfName(showSetting("default_transaction_isolation"));
}

std::shared_ptr<SQLWarning> PqConnection::getWarnings() {
  session_->checkOpen();
  return session_->warnings().get();
}

void PqConnection::clearWarnings() {
  session_->checkOpen();
  session_->warnings().clear();
}

}  // namespace plat::sql::pq
