// The shared body of the six numeric calculations: each folds its row with one operator through a fresh
// DerivationHelper and may serve as an aggregate. A subclass names its operator and its template key. One thread at
// a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

class NumberFunction : public plat::lang::Object, public Calculation {
 public:
  plat::lang::Value getComputedValue(const DerivationRow& row, int outputType) override;
  bool isUsedForAggregate() const override { return true; }

 protected:
  explicit NumberFunction(int op) : op_(op) {}

 private:
  int op_;  // a DerivationOperators code
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
