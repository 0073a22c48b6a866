// Server object "TRIVOConnection": one database connection called by the connection's method numbers; it makes
// the statement and metadata objects of the connection, which share its scope. A prepared or callable text that
// the script knows gets a scripted statement. Called under its scope's lock.
#pragma once

#include <memory>
#include <vector>

#include "platform/sql/Connection.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ObjectScope.h"

namespace testkit::middleware::sql {

class TRIVOConnection : public ServerObject {
 public:
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

  TRIVOConnection(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::Connection> connection)
      : scope_(std::move(scope)), connection_(std::move(connection)) {}
  ~TRIVOConnection() override;
  TRIVOConnection(const TRIVOConnection&) = delete;
  TRIVOConnection& operator=(const TRIVOConnection&) = delete;

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

  const plat::lang::Ref<plat::sql::Connection>& connection() const { return connection_; }

 private:
  std::int32_t add(std::shared_ptr<ServerObject> object) { return scope_->add(std::move(object)); }

  std::shared_ptr<ObjectScope> scope_;
  plat::lang::Ref<plat::sql::Connection> connection_;
  bool warningsCleared_ = false;  // the scripted connection warnings were cleared
};

}  // namespace testkit::middleware::sql
