// A detail request on a master view: a parameterised query prepared on the server whose parameters are joined to
// master columns; executing it builds a detail view whose rows follow the master's current row. The detail's
// maximum record count is always 200. Holds its master's handle (and so the multi-view). One thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/pro/Request.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

class RelationView;

class AutoDetail : public Request {
 public:
  static constexpr int METHOD_execute = 0;
  static constexpr int METHOD_join = 2;
  static constexpr const char* kClassName = "PMVTPreparedRelView";
  static constexpr const char* kCardinality = "cardinality";
  static constexpr const char* ONE_TO_MANY = "1";
  static constexpr const char* ONE_TO_ONE = "2";
  static constexpr const char* MANY_TO_ONE = "3";
  static constexpr const char* MANY_TO_MANY = "4";
  static constexpr std::int32_t kMaxRecords = 200;

  AutoDetail(plat::lang::Ref<RelationView> master, plat::lang::Ref<ConnectionInfo> conn);

  void join(int paramIndex, int masterColumn);
  void join(int paramIndex, const std::string& masterColumnName);
  // Binds the next parameter index: successive calls bind 0, 1, 2 ...
  void join(const std::string& masterColumnName);
  // "One To One" stores "2", "One To Many" "1", "Many To Many" "4", anything else "3".
  void setCardinality(const std::string& text);
  plat::util::Properties& getDetailProperties() { return *this; }
  void setDetailProperties(const plat::util::Properties& p) {
    setProperty(kCardinality, p.getProperty(kCardinality, "1"));
  }
  const std::vector<std::string>& getJoinColumns() const { return joinColumns_; }

  // Prepares and runs the detail query (logon retry) and answers the new detail view, already in its initial
  // position under the master's current row.
  plat::lang::Ref<RelationView> executeRequest() override;

 private:
  ServerHandle& prepared();

  plat::lang::Ref<RelationView> master_;
  std::unique_ptr<ServerHandle> prepared_;  // made on first use
  int nextParam_ = 0;
  std::vector<std::string> joinColumns_;
};

}  // namespace quenlora::zafoli::db::pro
