#include "quenlora/zafoli/db/beans/brl/derivation/string/StringConcatFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"

namespace quenlora::zafoli::db::beans::brl::derivation::string {

plat::lang::Value StringConcatFunction::getComputedValue(const DerivationRow& row, int) {
  std::string joined;
  for (const auto& member : row.sourceMembers()) {
    const plat::lang::Value value = member->getValue();
    if (!value.isNull()) joined += value.toString();
  }
  return plat::lang::Value(std::move(joined));
}

std::string StringConcatFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("concat( ?,?,?... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::string
