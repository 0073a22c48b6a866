#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentTimeFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::date {

CurrentTimeFunction::CurrentTimeFunction() : DateFunction(DateFunctionsHelper::DATEOP_CURRTIME) {}

std::string CurrentTimeFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("Get the current time as hh:mi:ss");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::date
