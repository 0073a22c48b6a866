#include "quenlora/zafoli/db/beans/brl/derivation/date/DateFunction.h"

#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

plat::lang::Value DateFunction::getComputedValue(const DerivationRow& row, int outputType) {
  return DateFunctionsHelper().calculate(row, outputType, dateOp_);
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
