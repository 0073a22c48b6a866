// Server object "PMVTMultiView": fetches, changes, deletes, undoes and makes rows of one query and its details by
// position path, saves or undoes all changes, restarts and closes. Called under its scope's lock.
#pragma once

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

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

}  // namespace testkit::middleware::sql
