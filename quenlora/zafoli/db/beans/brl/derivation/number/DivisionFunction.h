// The division calculation: the first input divided by each of the others in turn.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class DivisionFunction : public NumberFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.number.DivisionFunction";

  DivisionFunction();
  // "division( ... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
