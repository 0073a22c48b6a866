// The date calculation that adds a day count (input 2) to a date (input 1).
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/date/DateFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

class DateAddFunction : public DateFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.date.DateAddFunction";

  DateAddFunction();
  // "add( ?,? )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
