#include "quenlora/zafoli/db/beans/brl/derivation/date/DateAddFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

DateAddFunction::DateAddFunction() : DateFunction(DateFunctionsHelper::DATEOP_ADD) {}

std::string DateAddFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("add( ?,? )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
