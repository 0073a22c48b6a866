#include "quenlora/zafoli/db/beans/brl/derivation/PrimitiveDataTypes.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/Types.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation {

using plat::lang::Value;

int PrimitiveDataTypes::getPrimitiveType(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::Char:
      return CHAR;
    case Value::Kind::String:
      return STRING;
    case Value::Kind::Boolean:
      return BOOLEAN;
    case Value::Kind::Byte:
      return BYTE;
    case Value::Kind::Short:
      return SHORT;
    case Value::Kind::Int:
      return INTEGER;
    case Value::Kind::Long:
      return LONG;
    case Value::Kind::Float:
      return FLOAT;
    default:
      return DOUBLE;
  }
}

int PrimitiveDataTypes::getPrefTypeForNumberCalculations(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::Short:
    case Value::Kind::Int:
    case Value::Kind::Long:
      return LONG;
    default:
      return DOUBLE;
  }
}

Value PrimitiveDataTypes::promoteToNumber(const Value& value, int type) {
  bool integral = false;
  switch (type) {
    case CHAR:
    case STRING:
    case SHORT:
    case INTEGER:
    case LONG:
      integral = true;
      break;
    case FLOAT:
    case DOUBLE:
      break;
    default:
      return Value();
  }
  if (value.isNull()) throw plat::lang::NullPointerException();
  if (value.isNumber()) return integral ? Value::ofLong(value.longValue()) : Value::ofDouble(value.doubleValue());
  try {
    const Value parsed = util::LocalizedValueGenerator::parseNumberValue(
        value.toString(), integral ? plat::sql::Types::BIGINT : plat::sql::Types::DOUBLE);
    return integral ? Value::ofLong(parsed.longValue()) : Value::ofDouble(parsed.doubleValue());
  } catch (const plat::text::ParseException& e) {
    util::LogWindowHelper::getInstance().displayMsgDialog("Exception in number conversion: " + e.getMessage());
    return Value();
  }
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation
