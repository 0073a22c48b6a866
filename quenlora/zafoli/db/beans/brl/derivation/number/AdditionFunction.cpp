#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

AdditionFunction::AdditionFunction() : NumberFunction(DerivationOperators::ADDITION) {}

std::string AdditionFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("add( ?,?,?,... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
