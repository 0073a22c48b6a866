#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"

#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"

namespace quenlora::zafoli::db::beans::brl::validation::number {

void NumberValidation::validate(const ValidationRow& row) {
  const auto c = ValidationHelper::comparisonOf(row);
  if (!c) return;
  if (!helper_.validateNumber(c->source, c->op, c->target)) throw ValidationException();
}

std::string NumberValidation::getDisplayString() const {
  return ValidationHelper::comparisonTemplate();
}

}  // namespace quenlora::zafoli::db::beans::brl::validation::number
