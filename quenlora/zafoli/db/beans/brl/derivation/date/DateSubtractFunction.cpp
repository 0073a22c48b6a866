#include "quenlora/zafoli/db/beans/brl/derivation/date/DateSubtractFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

DateSubtractFunction::DateSubtractFunction() : DateFunction(DateFunctionsHelper::DATEOP_SUBTRACT) {}

std::string DateSubtractFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("subtract( ?,?,?,... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
