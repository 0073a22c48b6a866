#include "quenlora/zafoli/db/beans/brl/validation/date/DateValidation.h"

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/util/DataTypeHelper.h"

namespace quenlora::zafoli::db::beans::brl::validation::date {

void DateValidation::validate(const ValidationRow& row) {
  if (row.getNumberOfSourceColumns() == 0 || row.getNumberOfOperators() == 0 || row.getNumberOfTargetColumns() == 0) {
    return;
  }
  const plat::lang::Value source = ValidationHelper::getObjectValue(row.getSourceColumnMember(1).get());
  const plat::lang::Value target = ValidationHelper::getObjectValue(row.getTargetColumnMember(1).get());
  ValidationHelper::refuseFailedInputs(source, target);
  const std::string op = row.getOperatorAt(1)->toString().value_or("");
  const auto asDate = [](const plat::lang::Value& v) {
    return v.is(plat::lang::Value::Kind::String)
               ? util::DataTypeHelper::getJavaObjectForType(v.getString(), plat::sql::Types::DATE)
               : v;
  };
  if (!helper_.validateDate(asDate(source), op, asDate(target))) throw ValidationException();
}

std::string DateValidation::getDisplayString() const {
  static const std::string text = BRLResourceLoader::text("( {column/constant} {operator} {column/constant} )");
  return text;
}

}  // namespace quenlora::zafoli::db::beans::brl::validation::date
