#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"

namespace quenlora::zafoli::db::beans::brl {

std::string CalculationFailedValue::toString() const {
  static const std::string text = BRLResourceLoader::text("<Calculation Failed>");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl
