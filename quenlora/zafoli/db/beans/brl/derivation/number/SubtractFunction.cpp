#include "quenlora/zafoli/db/beans/brl/derivation/number/SubtractFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

SubtractFunction::SubtractFunction() : NumberFunction(DerivationOperators::SUBTRACTION) {}

std::string SubtractFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("subtract( ?,?,?,... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
