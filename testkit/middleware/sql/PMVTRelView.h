// Server object "PMVTRelView": one view of a multi-view; names it (3), prepares detail queries on it (1) and makes
// lookup-list proxies (6).
// Called under its scope's lock.
#pragma once

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

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

}  // namespace testkit::middleware::sql
