// The maximum calculation: the largest input.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class MaxFunction : public NumberFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.number.MaxFunction";

  MaxFunction();
  // "max( ?,?,?,... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
