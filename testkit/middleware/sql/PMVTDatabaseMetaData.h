// Server object "PMVTDatabaseMetaData": the snapshot of a data source's metadata, texts and tests of methods 3-9
// and 27, catalog queries 10-26 as new read-only multi-views. Called under its scope's lock.
#pragma once

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

// "PMVTDatabaseMetaData": texts and tests of methods 3-9 and 27, catalog queries 10-26 as new multi-views.
class PMVTDatabaseMetaData : public ServerObject {
 public:
  PMVTDatabaseMetaData(std::shared_ptr<RecordSetSession> session, plat::lang::Ref<plat::sql::DatabaseMetaData> md)
      : session_(std::move(session)), md_(std::move(md)) {}
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;
  // The snapshot reply: this object's id, then 74 flags, 21 limits and 12 texts.
  std::vector<Encoded> snapshot(std::int32_t id);

 private:
  std::shared_ptr<RecordSetSession> session_;
  plat::lang::Ref<plat::sql::DatabaseMetaData> md_;
};

}  // namespace testkit::middleware::sql
