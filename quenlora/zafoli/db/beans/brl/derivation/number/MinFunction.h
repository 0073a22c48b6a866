// The minimum calculation: the smallest input.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class MinFunction : public NumberFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.number.MinFunction";

  MinFunction();
  // "min( ?,?,?,... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
