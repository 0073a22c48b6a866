#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"

namespace quenlora::zafoli::db::beans::brl::derivation::number {

MultiplicationFunction::MultiplicationFunction() : NumberFunction(DerivationOperators::MULTIPLICATION) {}

std::string MultiplicationFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("multiply( ?,?,?... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::number
