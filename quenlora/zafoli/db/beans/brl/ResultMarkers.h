// What the two rule-result markers share: a value that stands in a rule output where no result exists. A rule that
// takes one as input has no result either.
#pragma once

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"

namespace quenlora::zafoli::db::beans::brl {

// Whether value carries a CalculationFailedValue or an UnKnownColValue.
inline bool isResultMarker(const plat::lang::Value& value) {
  return value.is(plat::lang::Value::Kind::Object) &&
         (CalculationFailedValue::isIn(value) || UnKnownColValue::isIn(value));
}

}  // namespace quenlora::zafoli::db::beans::brl
