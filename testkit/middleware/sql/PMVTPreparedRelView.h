// Server object "PMVTPreparedRelView": a detail query of a master view, its parameters joined to master columns
// (2) and run into a new detail view (0). Called under its scope's lock.
#pragma once

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

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
