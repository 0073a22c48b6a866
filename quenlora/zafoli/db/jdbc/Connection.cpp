#include "quenlora/zafoli/db/jdbc/Connection.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/jdbc/CallableStatement.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaData.h"
#include "quenlora/zafoli/db/jdbc/PreparedStatement.h"
#include "quenlora/zafoli/db/jdbc/Statement.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"

namespace quenlora::zafoli::db::jdbc {

Connection::Connection(std::int32_t objectID, SessionRef session, std::string url)
    : ProxyObject(SERVER_CLASS, objectID, std::move(session)), _url(std::move(url)) {}

Connection::~Connection() {
  try {
    close();
  } catch (...) {
    // Discarding an open connection closes it; nobody is left to hear of a failure.
  }
}

template <class T>
plat::lang::Ref<T> Connection::track(plat::lang::Ref<T> statement) {
  statements_->add(statement);
  return statement;
}

plat::lang::Ref<plat::sql::Statement> Connection::createStatement() {
  const std::int32_t id = invokeMethod(METHOD_createStatement).getInt(0);
  return track(plat::lang::makeRef<Statement>(id, getSession(), statements_));
}

plat::lang::Ref<plat::sql::PreparedStatement> Connection::prepareStatement(const std::string& sql) {
  const std::int32_t id = invokeMethod(METHOD_prepareStatement, sql).getInt(0);
  return track(plat::lang::makeRef<PreparedStatement>(id, getSession(), statements_));
}

plat::lang::Ref<plat::sql::CallableStatement> Connection::prepareCall(const std::string& sql) {
  const std::int32_t id = invokeMethod(METHOD_prepareCall, sql).getInt(0);
  return track(plat::lang::makeRef<CallableStatement>(id, getSession(), statements_));
}

std::string Connection::nativeSQL(const std::string& sql) {
  return invokeMethod(METHOD_nativeSQL, sql).getString(0);
}

void Connection::setAutoCommit(bool autoCommit) {
  invokeMethod(METHOD_setAutoCommit, autoCommit);
}

bool Connection::getAutoCommit() {
  return invokeMethod(METHOD_getAutoCommit).getBoolean(0);
}

void Connection::commit() {
  invokeMethod(METHOD_commit);
}

void Connection::rollback() {
  invokeMethod(METHOD_rollback);
}

void Connection::close() {
  if (_isClosed.exchange(true)) return;
  net::BestEffort steps;
  for (const auto& statement : statements_->takeAll()) steps.run([&] { statement->close(); });
  for (const auto& meta : dbmetas_->takeAll()) steps.run([&] { meta->close(); });
  for (const auto& rs : metaResultSets_->takeAll()) steps.run([&] { rs->close(); });
  steps.run([&] { invokeMethod(METHOD_close); });
  steps.run([&] { getSession()->close(); });
  disable();
  steps.rethrow();
}

bool Connection::isClosed() {
  if (_isClosed || lost_) return true;
  try {
    const bool closed = invokeMethod(METHOD_isClosed).getBoolean(0);
    if (closed) lost_ = true;
    return closed;
  } catch (const net::SQLServerConnException&) {
    lost_ = true;
    return true;
  }
}

plat::lang::Ref<plat::sql::DatabaseMetaData> Connection::getMetaData() {
  const std::int32_t id = invokeMethod(METHOD_getMetaData).getInt(0);
  auto meta = plat::lang::makeRef<DatabaseMetaData>(id, getSession(), _url, metaResultSets_);
  dbmetas_->add(meta);
  return meta;
}

void Connection::setReadOnly(bool readOnly) {
  invokeMethod(METHOD_setReadOnly, readOnly);
}

bool Connection::isReadOnly() {
  return invokeMethod(METHOD_isReadOnly).getBoolean(0);
}

void Connection::setCatalog(const std::string& catalog) {
  invokeMethod(METHOD_setCatalog, catalog);
}

std::string Connection::getCatalog() {
  return invokeMethod(METHOD_getCatalog).getString(0);
}

void Connection::setTransactionIsolation(int level) {
  invokeMethod(METHOD_setTransactionIsolation, std::int32_t{level});
}

int Connection::getTransactionIsolation() {
  return invokeMethod(METHOD_getTransactionIsolation).getInt(0);
}

std::shared_ptr<plat::sql::SQLWarning> Connection::getWarnings() {
  return invokeMethod(METHOD_getWarnings).warnings();
}

void Connection::clearWarnings() {
  invokeMethod(METHOD_clearWarnings);
}

}  // namespace quenlora::zafoli::db::jdbc
