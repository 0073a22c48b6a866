// Server object "ProxyListView": a lookup-list query whose "?" parameters take the master values of each request;
// method 0 runs it with one text argument (id 1) per parameter, in order, and answers a new read-only multi-view
// over the rows. Made by PMVTRelView method 6. Called under its scope's lock.
#pragma once

#include <string>

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

class ProxyListView : public ServerObject {
 public:
  static constexpr int METHOD_getListRelView = 0;
  static constexpr int kValueArgId = 1;

  ProxyListView(std::shared_ptr<RecordSetSession> session, std::string sql)
      : session_(std::move(session)), sql_(std::move(sql)) {}
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
  std::string sql_;
};

}  // namespace testkit::middleware::sql
