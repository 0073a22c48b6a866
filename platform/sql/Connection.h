// A session with one database, in the JDBC 1.x object model. Every operation answers SQLException "not supported"
// until a driver overrides it.
//
// Contract for drivers: a closed connection (and every statement, result set and metadata object it made) answers
// each operation but close() and isClosed() with an SQLException, never a crash; close() of a closed object does
// nothing; a driver's destructor closes an open object and swallows every failure. A connection is used by one
// thread at a time unless the driver documents more.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Object.h"
#include "platform/sql/SQLWarning.h"

namespace plat::sql {

class CallableStatement;
class DatabaseMetaData;
class PreparedStatement;
class Statement;

class Connection : public plat::lang::Object {
 public:
  static constexpr int TRANSACTION_NONE = 0;
  static constexpr int TRANSACTION_READ_UNCOMMITTED = 1;
  static constexpr int TRANSACTION_READ_COMMITTED = 2;
  static constexpr int TRANSACTION_REPEATABLE_READ = 4;
  static constexpr int TRANSACTION_SERIALIZABLE = 8;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() override;

  virtual plat::lang::Ref<Statement> createStatement() { notSupported(); }
  virtual plat::lang::Ref<PreparedStatement> prepareStatement(const std::string& /*sql*/) { notSupported(); }
  virtual plat::lang::Ref<CallableStatement> prepareCall(const std::string& /*sql*/) { notSupported(); }
  virtual std::string nativeSQL(const std::string& /*sql*/) { notSupported(); }

  virtual void setAutoCommit(bool /*autoCommit*/) { notSupported(); }
  virtual bool getAutoCommit() { notSupported(); }
  virtual void commit() { notSupported(); }
  virtual void rollback() { notSupported(); }

  virtual void close() { notSupported(); }
  virtual bool isClosed() { notSupported(); }

  virtual plat::lang::Ref<DatabaseMetaData> getMetaData() { notSupported(); }
  virtual void setReadOnly(bool /*readOnly*/) { notSupported(); }
  virtual bool isReadOnly() { notSupported(); }
  virtual void setCatalog(const std::string& /*catalog*/) { notSupported(); }
  virtual std::string getCatalog() { notSupported(); }
  virtual void setTransactionIsolation(int /*level*/) { notSupported(); }
  virtual int getTransactionIsolation() { notSupported(); }

  // The first warning of the chain reported on this connection, or null.
  virtual std::shared_ptr<SQLWarning> getWarnings() { notSupported(); }
  virtual void clearWarnings() { notSupported(); }
};

}  // namespace plat::sql
