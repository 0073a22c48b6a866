#include "quenlora/zafoli/db/beans/brl/derivation/string/StringConcatFunction.h"

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"
#include "quenlora/zafoli/db/beans/brl/ResultMarkers.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation::string {

plat::lang::Value StringConcatFunction::getComputedValue(const DerivationRow& row, int) {
  std::string joined;
  for (const auto& member : row.sourceMembers()) {
    const plat::lang::Value value = member->getValue();
    // The marker's text would pass for an ordinary text to everything that reads the output.
    if (isResultMarker(value)) {
      util::LogWindowHelper::getInstance().displayMsgToLog(
          BRLResourceLoader::text("Exception while performing calculation:"), value.toString());
      return plat::lang::Value(plat::lang::makeRef<CalculationFailedValue>());
    }
    if (!value.isNull()) joined += value.toString();
  }
  return plat::lang::Value(std::move(joined));
}

std::string StringConcatFunction::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("concat( ?,?,?... )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation::string
