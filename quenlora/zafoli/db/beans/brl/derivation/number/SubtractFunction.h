// The subtraction calculation: the first input minus all the others.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class SubtractFunction : public NumberFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.number.SubtractFunction";

  SubtractFunction();
  // "subtract( ?,?,?,... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
