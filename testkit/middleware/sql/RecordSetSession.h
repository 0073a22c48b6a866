// What the record-set server objects of one client session share (scope and lock, login settings, metadata
// terms, one database connection) and the steps they have in common: reading a position path, answering a new
// view. Called under the scope's lock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/Connection.h"
#include "platform/sql/DatabaseMetaData.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ObjectScope.h"
#include "testkit/middleware/sql/RecordSetModel.h"
#include "testkit/middleware/sql/SqlWire.h"
#include "testkit/middleware/sql/TRIVODriver.h"

namespace testkit::middleware::sql {

// Terms the metadata snapshot reports instead of the database's own, when set (tests of the term rule).
struct RecordSetTerms {
  std::mutex mu;
  std::optional<std::string> catalogTerm;  // guarded by mu
  std::optional<std::string> schemaTerm;   // guarded by mu
};

// What the objects of one client session share.
struct RecordSetSession {
  std::shared_ptr<ObjectScope> scope;
  std::shared_ptr<const DriverSettings> settings;
  std::shared_ptr<RecordSetTerms> terms;
  // Opened without SQLite's own lock: every use runs under the scope's lock, and every model lets its statements go
  // under it (see makeModel).
  plat::lang::Ref<plat::sql::Connection> db;
  // Category 8 (connection failed) when login checking is on and the user or password is wrong.
  void checkLogin(const std::string& user, const std::string& password) const;
  // A model on db whose statements are let go under the scope's lock, whichever server object drops it last.
  std::shared_ptr<RecordSetModel> makeModel(bool readOnly) const;
};

// The position path that ends the arguments from index at on.
RecordSetPath pathFrom(const ArgReader& a, std::size_t at);
// The reply of a new view: [multi-view id,] view id, name, column description.
std::vector<Encoded> openView(const std::shared_ptr<RecordSetSession>& session,
                              const std::shared_ptr<RecordSetModel>& model, const std::shared_ptr<RecordSetView>& view,
                              std::int32_t multiViewID);
std::vector<Encoded> openView(const std::shared_ptr<RecordSetSession>& session,
                              const std::shared_ptr<RecordSetModel>& model, std::int32_t masterID,
                              const std::string& sql, const std::map<int, int>& joins, std::int32_t multiViewID);
// A new read-only multi-view whose root view shows the rows make builds.
std::vector<Encoded> openRowsView(const std::shared_ptr<RecordSetSession>& session,
                                  const std::function<std::shared_ptr<RecordSetView>(RecordSetModel&)>& make);

}  // namespace testkit::middleware::sql
