#include "quenlora/zafoli/db/beans/brl/derivation/number/MaxFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

MaxFunction::MaxFunction() : NumberFunction(DerivationOperators::MAX) {}

std::string MaxFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("max( ?,?,?,... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
