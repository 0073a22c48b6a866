#include "quenlora/zafoli/db/beans/brl/validation/string/StringValidation.h"

#include <optional>

#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"

namespace quenlora::zafoli::db::beans::brl::validation::string {

void StringValidation::validate(const ValidationRow& row) {
  if (row.getNumberOfSourceColumns() == 0 || row.getNumberOfOperators() == 0 || row.getNumberOfTargetColumns() == 0) {
    return;
  }
  const plat::lang::Value source = ValidationHelper::getObjectValue(row.getSourceColumnMember(1).get());
  const plat::lang::Value target = ValidationHelper::getObjectValue(row.getTargetColumnMember(1).get());
  ValidationHelper::refuseFailedInputs(source, target);
  const std::string op = row.getOperatorAt(1)->toString().value_or("");
  const auto text = [](const plat::lang::Value& v) {
    return v.isNull() ? std::optional<std::string>() : std::optional<std::string>(v.toString());
  };
  if (!helper_.validateString(text(source), op, text(target))) throw ValidationException();
}

std::string StringValidation::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("( {column/constant} {operator} {column/constant} )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::validation::string
