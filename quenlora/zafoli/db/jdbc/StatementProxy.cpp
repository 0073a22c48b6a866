#include "quenlora/zafoli/db/jdbc/StatementProxy.h"

#include "platform/sql/CallableStatement.h"
#include "platform/sql/PreparedStatement.h"
#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"

namespace quenlora::zafoli::db::jdbc {

template <class Base>
StatementProxy<Base>::StatementProxy(std::int32_t objectID, SessionRef session,
                                     plat::lang::WeakRef<StatementList> owner)
    : ProxyObject(SERVER_CLASS, objectID, std::move(session)), owner_(std::move(owner)) {}

template <class Base>
StatementProxy<Base>::~StatementProxy() {
  try {
    close();
  } catch (...) {
    // Discarding an open statement closes it; a failure then has nobody to go to.
  }
}

template <class Base>
plat::lang::Ref<plat::sql::ResultSet> StatementProxy<Base>::makeCurrent(const net::Reply& reply, bool allowEmpty) {
  if (allowEmpty && reply.empty()) return nullptr;
  auto rs = plat::lang::makeRef<ResultSet>(reply, getSession());
  rs->holdStatement(this->weak_from_this().lock());
  _currentRS = rs;
  return rs;
}

template <class Base>
void StatementProxy<Base>::dropCurrent() {
  auto current = _currentRS.lock();
  _currentRS.reset();
  if (current) current->close();
}

template <class Base>
plat::lang::Ref<plat::sql::ResultSet> StatementProxy<Base>::executeQuery(const std::string& sql) {
  dropCurrent();
  return makeCurrent(invokeMethod(METHOD_executeQuery, sql), false);
}

template <class Base>
int StatementProxy<Base>::executeUpdate(const std::string& sql) {
  dropCurrent();
  return invokeMethod(METHOD_executeUpdate, sql).getInt(0);
}

template <class Base>
bool StatementProxy<Base>::execute(const std::string& sql) {
  dropCurrent();
  return invokeMethod(METHOD_execute, sql).getBoolean(0);
}

template <class Base>
void StatementProxy<Base>::close() {
  if (_isClosed) return;
  _isClosed = true;
  net::BestEffort steps;
  steps.run([&] { dropCurrent(); });
  steps.run([&] { invokeMethod(METHOD_close); });
  disable();
  if (auto owner = owner_.lock()) owner->remove(static_cast<const plat::sql::Statement*>(this));
  steps.rethrow();
}

template <class Base>
int StatementProxy<Base>::getMaxFieldSize() {
  return invokeMethod(METHOD_getMaxFieldSize).getInt(0);
}

template <class Base>
void StatementProxy<Base>::setMaxFieldSize(int max) {
  invokeMethod(METHOD_setMaxFieldSize, std::int32_t{max});
}

template <class Base>
int StatementProxy<Base>::getMaxRows() {
  return invokeMethod(METHOD_getMaxRows).getInt(0);
}

template <class Base>
void StatementProxy<Base>::setMaxRows(int max) {
  invokeMethod(METHOD_setMaxRows, std::int32_t{max});
}

template <class Base>
void StatementProxy<Base>::setEscapeProcessing(bool enable) {
  invokeMethod(METHOD_setEscapeProcessing, enable);
}

template <class Base>
int StatementProxy<Base>::getQueryTimeout() {
  return invokeMethod(METHOD_getQueryTimeout).getInt(0);
}

template <class Base>
void StatementProxy<Base>::setQueryTimeout(int seconds) {
  invokeMethod(METHOD_setQueryTimeout, std::int32_t{seconds});
}

template <class Base>
void StatementProxy<Base>::cancel() {
  invokeMethod(METHOD_cancel);
}

template <class Base>
std::shared_ptr<plat::sql::SQLWarning> StatementProxy<Base>::getWarnings() {
  return invokeMethod(METHOD_getWarnings).warnings();
}

template <class Base>
void StatementProxy<Base>::clearWarnings() {
  invokeMethod(METHOD_clearWarnings);
}

template <class Base>
void StatementProxy<Base>::setCursorName(const std::string& name) {
  invokeMethod(METHOD_setCursorName, name);
}

template <class Base>
plat::lang::Ref<plat::sql::ResultSet> StatementProxy<Base>::getResultSet() {
  if (auto current = _currentRS.lock()) return current;
  // After an update count there is no result set: the server answers with nothing.
  return makeCurrent(invokeMethod(METHOD_getResultSet), true);
}

template <class Base>
int StatementProxy<Base>::getUpdateCount() {
  return invokeMethod(METHOD_getUpdateCount).getInt(0);
}

template <class Base>
bool StatementProxy<Base>::getMoreResults() {
  dropCurrent();
  return invokeMethod(METHOD_getMoreResults).getBoolean(0);
}

template class StatementProxy<plat::sql::Statement>;
template class StatementProxy<plat::sql::PreparedStatement>;
template class StatementProxy<plat::sql::CallableStatement>;

}  // namespace quenlora::zafoli::db::jdbc
