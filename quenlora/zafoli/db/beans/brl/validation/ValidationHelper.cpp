#include "quenlora/zafoli/db/beans/brl/validation/ValidationHelper.h"

#include <cstdint>

#include "platform/lang/Exceptions.h"
#include "platform/sql/Types.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBoundColMember.h"
#include "quenlora/zafoli/db/beans/brl/ResultMarkers.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/derivation/PrimitiveDataTypes.h"
#include "quenlora/zafoli/db/beans/brl/validation/ValidationOperators.h"
#include "quenlora/zafoli/db/beans/util/DataTypeHelper.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::validation {

using derivation::PrimitiveDataTypes;
using plat::lang::Value;

namespace {

// An instant to the millisecond, with the nanoseconds of a timestamp.
struct Moment {
  std::int64_t millis = 0;
  int nanos = 0;
  bool timestamp = false;
};

std::optional<Moment> momentOf(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::DateTime:
      return Moment{value.getDateTime().getTime(), 0, false};
    case Value::Kind::Date:
      return Moment{plat::time::DateTime::fromDate(value.getDate()).getTime(), 0, false};
    case Value::Kind::Time:
      return Moment{plat::time::DateTime::fromTime(value.getTime()).getTime(), 0, false};
    case Value::Kind::Timestamp: {
      const plat::time::Timestamp& ts = value.getTimestamp();
      return Moment{plat::time::DateTime::fromTimestamp(ts).getTime(), ts.getNanos(), true};
    }
    default:
      return std::nullopt;
  }
}

// -1, 0 or 1: the nanoseconds count only between two timestamps, so that every operator agrees with equals.
int compareMoments(const Moment& a, const Moment& b) {
  if (a.millis != b.millis) return a.millis < b.millis ? -1 : 1;
  if (a.timestamp && b.timestamp && a.nanos != b.nanos) return a.nanos < b.nanos ? -1 : 1;
  return 0;
}

template <class T>
bool compareNumbers(int code, T a, T b) {
  switch (code) {
    case ValidationOperators::NUMBER_GREATER_OP:
      return a > b;
    case ValidationOperators::NUMBER_LESSER_OP:
      return a < b;
    case ValidationOperators::NUMBER_EQUALITY_OP:
      return a == b;
    case ValidationOperators::NUMBER_GREATER_OR_EQUALTO_OP:
      return a >= b;
    case ValidationOperators::NUMBER_LESSER_OR_EQUALTO_OP:
      return a <= b;
    default:
      return a != b;
  }
}

Value parsed(const Value& value, int sqlType) {
  if (value.isNull()) throw plat::lang::NullPointerException();
  return util::LocalizedValueGenerator::parseNumberValue(value.toString(), sqlType);
}

}  // namespace

Value ValidationHelper::getObjectValue(const CompColMember* member) {
  if (dynamic_cast<const ConstantMember*>(member) != nullptr || dynamic_cast<const DataBoundColMember*>(member)) {
    return member->getValue();
  }
  return Value();
}

std::optional<std::string> ValidationHelper::getStringValue(const CompColMember* member) {
  const Value value = getObjectValue(member);
  if (value.isNull()) return std::nullopt;
  return value.toString();
}

std::optional<ValidationHelper::Comparison> ValidationHelper::comparisonOf(const ValidationRow& row) {
  if (row.getNumberOfSourceColumns() == 0 || row.getNumberOfOperators() == 0 || row.getNumberOfTargetColumns() == 0) {
    return std::nullopt;
  }
  Comparison c{getObjectValue(row.getSourceColumnMember(1).get()), row.getOperatorAt(1)->toString().value_or(""),
               getObjectValue(row.getTargetColumnMember(1).get())};
  // An input without a result (a failed or not-performed rule upstream) cannot be compared.
  if (isResultMarker(c.source) || isResultMarker(c.target)) {
    throw ValidationException(ValidationException::VALIDATION_NOT_PERFORMED);
  }
  return c;
}

const std::string& ValidationHelper::comparisonTemplate() {
  static const std::string text = BRLResourceLoader::text("( {column/constant} {operator} {column/constant} )");
  return text;
}

void ValidationHelper::notPerformed(const std::string& message) {
  const auto text = [](const char* key) { return BRLResourceLoader::text(key); };
  logHelper_.displayMsgToLog(text("Exception while validating data"), message);
  logHelper_.displayMsgDialog(text("Validation could not be performed due to exception while ") +
                              text("converting data. Check the datatype for inputs to the ") +
                              text("validation formula."));
  throw ValidationException(message);
}

bool ValidationHelper::validateNumber(const Value& source, const std::string& op, const Value& target) {
  if (source.isNull()) return false;
  try {
    const int code = ValidationOperators::getKeyForNumberOperator(op);
    const bool asLong = PrimitiveDataTypes::getPrefTypeForNumberCalculations(source) == PrimitiveDataTypes::LONG &&
                        PrimitiveDataTypes::getPrefTypeForNumberCalculations(target) == PrimitiveDataTypes::LONG;
    if (source.isNumber() && target.isNumber()) {
      return asLong ? compareNumbers(code, source.longValue(), target.longValue())
                    : compareNumbers(code, source.doubleValue(), target.doubleValue());
    }
    // A number keeps its own value: its text is the machine form, which the parsers of comma locales refuse. Only
    // a text is read with the locale's rules.
    const int sqlType = asLong ? plat::sql::Types::BIGINT : plat::sql::Types::DOUBLE;
    const Value a = source.isNumber() ? source : parsed(source, sqlType);
    const Value b = target.isNumber() ? target : parsed(target, sqlType);
    return asLong ? compareNumbers(code, a.longValue(), b.longValue())
                  : compareNumbers(code, a.doubleValue(), b.doubleValue());
  } catch (const plat::lang::Exception& e) {
    notPerformed(e.getMessage());
  }
}

bool ValidationHelper::validateString(const std::optional<std::string>& source, const std::string& op,
                                      const std::optional<std::string>& target) {
  try {
    const int code = ValidationOperators::getKeyForStringOperator(op);
    if (!source || !target) throw plat::lang::NullPointerException();
    if (code == ValidationOperators::STRING_EQUALS_OP) return *source == *target;
    return source->find(*target) != std::string::npos;
  } catch (const plat::lang::Exception& e) {
    notPerformed(e.getMessage());
  }
}

bool ValidationHelper::validateDate(const Value& source, const std::string& op, const Value& target) {
  try {
    // Local midnights rise with the date: two dates compare by their fields, without the time-zone rules.
    if (source.is(Value::Kind::Date) && target.is(Value::Kind::Date)) {
      const auto order = source.getDate() <=> target.getDate();
      switch (ValidationOperators::getKeyForDateOperator(op)) {
        case ValidationOperators::DATE_EQUALS_OP:
          return order == 0;
        case ValidationOperators::DATE_AFTER_OP:
          return order > 0;
        default:
          return order < 0;
      }
    }
    const std::optional<Moment> a = momentOf(source);
    const std::optional<Moment> b = momentOf(target);
    if (!a || !b) {
      throw plat::lang::IllegalArgumentException(
          BRLResourceLoader::text("Inputs to date validation should be of date type"));
    }
    const int order = compareMoments(*a, *b);
    switch (ValidationOperators::getKeyForDateOperator(op)) {
      case ValidationOperators::DATE_EQUALS_OP:
        return order == 0;
      case ValidationOperators::DATE_AFTER_OP:
        return order > 0;
      default:
        return order < 0;
    }
  } catch (const plat::lang::Exception& e) {
    notPerformed(e.getMessage());
  }
}

bool ValidationHelper::validateDate(const Value& source, const std::string& op, const std::string& target) {
  return validateDate(source, op, util::DataTypeHelper::getJavaObjectForType(target, plat::sql::Types::DATE));
}

}  // namespace quenlora::zafoli::db::beans::brl::validation
