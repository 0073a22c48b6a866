// The date calculation that gives the current date.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/date/DateFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

class CurrentDateFunction : public DateFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.date.CurrentDateFunction";

  CurrentDateFunction();
  // "Get current date as yyyy-mm-dd" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
