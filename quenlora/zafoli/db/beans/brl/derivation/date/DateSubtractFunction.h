// The date calculation that subtracts a day count (input 2) from a date (input 1).
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/date/DateFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

class DateSubtractFunction : public DateFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.date.DateSubtractFunction";

  DateSubtractFunction();
  // "subtract( ?,?,?,... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
