#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentDateFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

CurrentDateFunction::CurrentDateFunction() : DateFunction(DateFunctionsHelper::DATEOP_CURRDATE) {}

std::string CurrentDateFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("Get current date as yyyy-mm-dd");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
