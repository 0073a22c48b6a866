// The text calculation: the texts of the non-null inputs joined with no separator, whatever the output type. Not
// usable as an aggregate. One thread at a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"

namespace quenlora::zafoli::db::beans::brl::derivation::string {

class StringConcatFunction : public plat::lang::Object, public Calculation {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.derivation.string.StringConcatFunction";

  plat::lang::Value getComputedValue(const DerivationRow& row, int outputType) override;
  bool isUsedForAggregate() const override { return false; }
  // "concat( ?,?,?... )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::string
