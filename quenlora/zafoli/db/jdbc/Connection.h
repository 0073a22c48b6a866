// The proxy of the server's connection object ("TRIVOConnection"). It owns the client session: statements and
// metadata proxies are made on it and tracked, and close() closes them, the server object and the session. Once
// the session reports the server connection lost the connection answers isClosed() true, and close() still
// releases everything. Used by one thread at a time; the calls themselves are serialised by the proxy.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sql/Connection.h"
#include "quenlora/zafoli/db/jdbc/OpenObjects.h"
#include "quenlora/zafoli/db/jdbc/ProxyObject.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"
#include "quenlora/zafoli/db/jdbc/StatementProxy.h"

namespace quenlora::zafoli::db::jdbc {

class DatabaseMetaData;

class Connection final : public plat::sql::Connection, private ProxyObject {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.Connection";
  static constexpr const char* SERVER_CLASS = "TRIVOConnection";

  static constexpr int METHOD_createStatement = 0;
  static constexpr int METHOD_prepareStatement = 1;
  static constexpr int METHOD_prepareCall = 2;
  static constexpr int METHOD_nativeSQL = 3;
  static constexpr int METHOD_setAutoCommit = 4;
  static constexpr int METHOD_commit = 5;
  static constexpr int METHOD_rollback = 6;
  static constexpr int METHOD_close = 7;
  static constexpr int METHOD_isClosed = 8;
  static constexpr int METHOD_getMetaData = 9;
  static constexpr int METHOD_setReadOnly = 10;
  static constexpr int METHOD_isReadOnly = 11;
  static constexpr int METHOD_setCatalog = 12;
  static constexpr int METHOD_getCatalog = 13;
  static constexpr int METHOD_setTransactionIsolation = 14;
  static constexpr int METHOD_getTransactionIsolation = 15;
  static constexpr int METHOD_getWarnings = 16;
  static constexpr int METHOD_clearWarnings = 17;
  static constexpr int METHOD_getAutoCommit = 18;

  // The proxy of server connection objectID; takes over the session.
  Connection(std::int32_t objectID, SessionRef session, std::string url);
  ~Connection() override;

  plat::lang::Ref<plat::sql::Statement> createStatement() override;
  plat::lang::Ref<plat::sql::PreparedStatement> prepareStatement(const std::string& sql) override;
  plat::lang::Ref<plat::sql::CallableStatement> prepareCall(const std::string& sql) override;
  std::string nativeSQL(const std::string& sql) override;
  void setAutoCommit(bool autoCommit) override;
  bool getAutoCommit() override;
  void commit() override;
  void rollback() override;
  // Best effort: statements, metadata, the server object and the session are each closed even when an earlier
  // step fails; the first failure is then rethrown. A second call does nothing.
  void close() override;
  bool isClosed() override;
  plat::lang::Ref<plat::sql::DatabaseMetaData> getMetaData() override;
  void setReadOnly(bool readOnly) override;
  bool isReadOnly() override;
  void setCatalog(const std::string& catalog) override;
  std::string getCatalog() override;
  void setTransactionIsolation(int level) override;
  int getTransactionIsolation() override;
  std::shared_ptr<plat::sql::SQLWarning> getWarnings() override;
  void clearWarnings() override;

  std::string getClassName() const override { return kClassName; }

  // Open statements and metadata objects still tracked.
  std::size_t openStatementCount() const { return statements_->size(); }
  std::size_t openMetaDataCount() const { return dbmetas_->size(); }

 private:
  template <class T>
  plat::lang::Ref<T> track(plat::lang::Ref<T> statement);

  const std::string _url;
  std::atomic<bool> _isClosed{false};
  std::atomic<bool> lost_{false};  // the session reported the server connection lost
  plat::lang::Ref<StatementList> statements_ = plat::lang::makeRef<StatementList>();
  plat::lang::Ref<OpenObjects<DatabaseMetaData>> dbmetas_ = plat::lang::makeRef<OpenObjects<DatabaseMetaData>>();
  // The result sets of every metadata object's catalog queries; outlives the metadata objects.
  plat::lang::Ref<ResultSetList> metaResultSets_ = plat::lang::makeRef<ResultSetList>();
};

}  // namespace quenlora::zafoli::db::jdbc
