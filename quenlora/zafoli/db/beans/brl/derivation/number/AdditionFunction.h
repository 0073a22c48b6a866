// The addition calculation: the sum of the inputs.
#pragma once

#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class AdditionFunction : public NumberFunction {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.number.AdditionFunction";

  AdditionFunction();
  // "add( ?,?,?,... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
