// The plain-SQL operations shared by the three statement proxies of the server's "Statement" object: numbered
// calls 0-17, the one current result set, and the best-effort close. A template over the platform interface the
// proxy implements (statement, prepared or callable statement), so each proxy has one platform base. Used by one
// thread at a time; the calls are serialised by the proxy.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/OpenObjects.h"
#include "quenlora/zafoli/db/jdbc/ProxyObject.h"

namespace quenlora::zafoli::db::jdbc {

class ResultSet;

using StatementList = OpenObjects<plat::sql::Statement>;

template <class Base>
class StatementProxy : public Base, protected ProxyObject {
 public:
  static constexpr const char* SERVER_CLASS = "Statement";
  static constexpr int kNumberOfMethods = 18;

  static constexpr int METHOD_executeQuery = 0;
  static constexpr int METHOD_executeUpdate = 1;
  static constexpr int METHOD_close = 2;
  static constexpr int METHOD_getMaxFieldSize = 3;
  static constexpr int METHOD_setMaxFieldSize = 4;
  static constexpr int METHOD_getMaxRows = 5;
  static constexpr int METHOD_setMaxRows = 6;
  static constexpr int METHOD_setEscapeProcessing = 7;
  static constexpr int METHOD_getQueryTimeout = 8;
  static constexpr int METHOD_setQueryTimeout = 9;
  static constexpr int METHOD_cancel = 10;
  static constexpr int METHOD_getWarnings = 11;
  static constexpr int METHOD_clearWarnings = 12;
  static constexpr int METHOD_execute = 13;
  static constexpr int METHOD_getResultSet = 14;
  static constexpr int METHOD_getUpdateCount = 15;
  static constexpr int METHOD_getMoreResults = 16;
  static constexpr int METHOD_setCursorName = 17;

  ~StatementProxy() override;

  plat::lang::Ref<plat::sql::ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;
  // Best effort: the current result set and the server object are each closed even when the other fails; the
  // handle is disabled, the statement marked closed and taken off its connection's list; then the first failure
  // is rethrown. A second call does nothing.
  void close() override;
  int getMaxFieldSize() override;
  void setMaxFieldSize(int max) override;
  int getMaxRows() override;
  void setMaxRows(int max) override;
  void setEscapeProcessing(bool enable) override;
  int getQueryTimeout() override;
  void setQueryTimeout(int seconds) override;
  void cancel() override;
  std::shared_ptr<plat::sql::SQLWarning> getWarnings() override;
  void clearWarnings() override;
  void setCursorName(const std::string& name) override;
  // The current result set without a remote call when there is one; null when the server has none.
  plat::lang::Ref<plat::sql::ResultSet> getResultSet() override;
  int getUpdateCount() override;
  bool getMoreResults() override;

  bool isClosed() const override { return _isClosed; }

 protected:
  StatementProxy(std::int32_t objectID, SessionRef session, plat::lang::WeakRef<StatementList> owner);

  virtual int getNumberOfMethods() const { return kNumberOfMethods; }

  // Makes the current result set of the reply (the caller closed the previous one); an empty reply leaves none
  // when allowEmpty.
  plat::lang::Ref<plat::sql::ResultSet> makeCurrent(const net::Reply& reply, bool allowEmpty);
  // Closes the current result set and leaves none.
  void dropCurrent();

 private:
  // Weak: the result set holds this statement until it closes, and a strong link back would keep both alive.
  plat::lang::WeakRef<ResultSet> _currentRS;
  bool _isClosed = false;
  plat::lang::WeakRef<StatementList> owner_;  // the connection's list; may be gone first
};

}  // namespace quenlora::zafoli::db::jdbc
