// Server object "DatabaseMetaData": the database's metadata called by the 135 method numbers of the metadata
// table. Plain answers are element 0 of the reply; catalog queries (115-131) answer with a new
// "ProxyJDBCResultSet". An empty catalog or schema text leaves that part out of the selection. Called under its
// scope's lock.
#pragma once

#include <memory>
#include <vector>

#include "platform/sql/DatabaseMetaData.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ObjectScope.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {

class DatabaseMetaData : public ServerObject {
 public:
  static constexpr int kMethodCount = 135;
  static constexpr int METHOD_supportsConvert2 = 38;
  static constexpr int METHOD_supportsTransactionIsolationLevel = 110;
  static constexpr int METHOD_getProcedures = 115;
  static constexpr int METHOD_getIndexInfo = 131;

  DatabaseMetaData(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::DatabaseMetaData> metaData)
      : scope_(std::move(scope)), md_(std::move(metaData)) {}
  ~DatabaseMetaData() override {
    auto hold = scope_->lock();
    md_ = nullptr;
  }
  DatabaseMetaData(const DatabaseMetaData&) = delete;
  DatabaseMetaData& operator=(const DatabaseMetaData&) = delete;

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::vector<Encoded> catalogQuery(int method, const ArgReader& a);

  std::shared_ptr<ObjectScope> scope_;
  plat::lang::Ref<plat::sql::DatabaseMetaData> md_;
};

}  // namespace testkit::middleware::sql
