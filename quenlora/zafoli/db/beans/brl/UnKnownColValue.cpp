#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"

namespace quenlora::zafoli::db::beans::brl {

std::string UnKnownColValue::toString() const {
  // Fetched once, at the class's first use, as the rule classes take their texts.
  static const std::string calculation = BRLResourceLoader::text("<Calculation Not Performed>");
  static const std::string validation = BRLResourceLoader::text("<Validation Not Performed>");
  return ruleType_ == kValidationRuleType ? validation : calculation;
}

}  // namespace quenlora::zafoli::db::beans::brl
