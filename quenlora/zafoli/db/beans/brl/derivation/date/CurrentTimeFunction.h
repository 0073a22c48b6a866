// The date calculation that gives the current time.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/date/DateFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

class CurrentTimeFunction : public DateFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.date.CurrentTimeFunction";

  CurrentTimeFunction();
  // "Get the current time as hh:mi:ss" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
