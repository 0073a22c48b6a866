// Server objects of the record-set protocol, made per client session: "PMVTClientSession" (constructor selector
// 1) creates multi-views over its own database connection; "PMVTMultiView" fetches, changes, saves, undoes,
// restarts and closes the rows of one query and its details; "PMVTRelView" and "PMVTPreparedRelView" name views
// and prepare detail queries joined to master columns. Every object of one session shares one scope (and lock).
#pragma once

#include <cstdint>
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
  plat::lang::Ref<plat::sql::Connection> db;
  // Category 8 (connection failed) when login checking is on and the user or password is wrong.
  void checkLogin(const std::string& user, const std::string& password) const;
};

class PMVTClientSession : public ServerObject {
 public:
  static constexpr int METHOD_close = 0;
  static constexpr int METHOD_getMetaData = 1;
  static constexpr int METHOD_createView = 2;
  static constexpr int METHOD_inquireDSN = 3;

  PMVTClientSession(MiddlewareServer& server, std::shared_ptr<const DriverSettings> settings,
                    std::shared_ptr<SqlScript> script, std::shared_ptr<RecordSetTerms> terms);
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
};

class PMVTMultiView : public ServerObject {
 public:
  PMVTMultiView(std::shared_ptr<RecordSetSession> session, std::shared_ptr<RecordSetModel> model)
      : session_(std::move(session)), model_(std::move(model)) {}
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
  std::shared_ptr<RecordSetModel> model_;
  bool closed_ = false;
};

class PMVTRelView : public ServerObject {
 public:
  PMVTRelView(std::shared_ptr<RecordSetSession> session, std::shared_ptr<RecordSetModel> model)
      : session_(std::move(session)), model_(std::move(model)) {}
  void setID(std::int32_t id) { id_ = id; }
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
  std::shared_ptr<RecordSetModel> model_;
  std::int32_t id_ = 0;
  std::string name_;  // guarded by the scope's lock
};

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

class PMVTPreparedRelView : public ServerObject {
 public:
  PMVTPreparedRelView(std::shared_ptr<RecordSetSession> session, std::shared_ptr<RecordSetModel> model,
                      std::int32_t masterID)
      : session_(std::move(session)), model_(std::move(model)), masterID_(masterID) {}
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
  std::shared_ptr<RecordSetModel> model_;
  std::int32_t masterID_;
  std::map<int, int> joins_;  // guarded by the scope's lock
};

}  // namespace testkit::middleware::sql
