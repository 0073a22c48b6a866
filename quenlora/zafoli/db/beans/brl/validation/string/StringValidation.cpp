#include "quenlora/zafoli/db/beans/brl/validation/string/StringValidation.h"

#include <optional>

#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"

namespace quenlora::zafoli::db::beans::brl::validation::string {

void StringValidation::validate(const ValidationRow& row) {
  const auto c = ValidationHelper::comparisonOf(row);
  if (!c) return;
  const auto text = [](const plat::lang::Value& v) {
    return v.isNull() ? std::optional<std::string>() : std::optional<std::string>(v.toString());
  };
  if (!helper_.validateString(text(c->source), c->op, text(c->target))) throw ValidationException();
}

std::string StringValidation::getDisplayString() const {
  return ValidationHelper::comparisonTemplate();
}

}  // namespace quenlora::zafoli::db::beans::brl::validation::string
