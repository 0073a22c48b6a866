#include "quenlora/zafoli/db/beans/brl/derivation/number/MinFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

MinFunction::MinFunction() : NumberFunction(DerivationOperators::MIN) {}

std::string MinFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("min( ?,?,?,... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
