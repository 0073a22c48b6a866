#include "quenlora/zafoli/db/beans/brl/derivation/number/NumberFunction.h"

#include "quenlora/zafoli/db/beans/brl/derivation/DerivationHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

plat::lang::Value NumberFunction::getComputedValue(const DerivationRow& row, int outputType) {
  return DerivationHelper().calculate(row, outputType, op_);
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
