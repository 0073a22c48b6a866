#include "quenlora/zafoli/db/beans/brl/validation/date/DateValidation.h"

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/util/DataTypeHelper.h"

namespace quenlora::zafoli::db::beans::brl::validation::date {

void DateValidation::validate(const ValidationRow& row) {
  const auto c = ValidationHelper::comparisonOf(row);
  if (!c) return;
  const auto asDate = [](const plat::lang::Value& v) {
    return v.is(plat::lang::Value::Kind::String)
               ? util::DataTypeHelper::getJavaObjectForType(v.getString(), plat::sql::Types::DATE)
               : v;
  };
  if (!helper_.validateDate(asDate(c->source), c->op, asDate(c->target))) throw ValidationException();
}

std::string DateValidation::getDisplayString() const {
  return ValidationHelper::comparisonTemplate();
}

}  // namespace quenlora::zafoli::db::beans::brl::validation::date
