// The shared body of the four date calculations: each runs one date operation through a fresh DateFunctionsHelper,
// so "now" is the moment of the call. None serves as an aggregate. One thread at a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

class DateFunction : public plat::lang::Object, public Calculation {
 public:
  plat::lang::Value getComputedValue(const DerivationRow& row, int outputType) override;
  bool isUsedForAggregate() const override { return false; }

 protected:
  explicit DateFunction(int dateOp) : dateOp_(dateOp) {}

 private:
  int dateOp_;  // a DateFunctionsHelper operation code
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
