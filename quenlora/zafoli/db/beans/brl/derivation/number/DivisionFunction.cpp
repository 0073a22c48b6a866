#include "quenlora/zafoli/db/beans/brl/derivation/number/DivisionFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

DivisionFunction::DivisionFunction() : NumberFunction(DerivationOperators::DIVISION) {}

std::string DivisionFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("division( ... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
