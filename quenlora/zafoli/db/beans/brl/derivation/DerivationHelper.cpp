#include "quenlora/zafoli/db/beans/brl/derivation/DerivationHelper.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/ResultMarkers.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationOperators.h"
#include "quenlora/zafoli/db/beans/brl/derivation/PrimitiveDataTypes.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation {

using plat::lang::Value;

namespace {

// Rows are short; a row longer than this borrows a vector.
constexpr std::size_t kInlineInputs = 8;

const std::string& calculationTitle() {
  static const std::string title = BRLResourceLoader::text("Exception while performing calculation:");
  return title;
}

[[noreturn]] void overflow() {
  throw plat::lang::ArithmeticException("long overflow");
}

std::int64_t foldLong(int op, std::int64_t acc, std::int64_t v) {
  std::int64_t out = acc;
  switch (op) {
    case DerivationOperators::ADDITION:
      if (__builtin_add_overflow(acc, v, &out)) overflow();
      return out;
    case DerivationOperators::MULTIPLICATION:
      if (__builtin_mul_overflow(acc, v, &out)) overflow();
      return out;
    case DerivationOperators::SUBTRACTION:
      if (__builtin_sub_overflow(acc, v, &out)) overflow();
      return out;
    case DerivationOperators::DIVISION:
      // The wrapped MIN / -1 of two's complement would report a wrong quotient as a result.
      if (acc == std::numeric_limits<std::int64_t>::min() && v == -1) overflow();
      return plat::lang::IntMath::divLong(acc, v);
    case DerivationOperators::MAX:
      return v > acc ? v : acc;
    case DerivationOperators::MIN:
      return v < acc ? v : acc;
    default:
      return acc;
  }
}

double foldDouble(int op, double acc, double v) {
  switch (op) {
    case DerivationOperators::ADDITION:
      return acc + v;
    case DerivationOperators::MULTIPLICATION:
      return acc * v;
    case DerivationOperators::SUBTRACTION:
      return acc - v;
    case DerivationOperators::DIVISION:
      return acc / v;
    // NaN wins and 0.0 is above -0.0, as the runtime's max and min have it.
    case DerivationOperators::MAX:
      if (std::isnan(acc) || std::isnan(v)) return std::numeric_limits<double>::quiet_NaN();
      if (acc == v) return std::signbit(acc) ? v : acc;
      return v > acc ? v : acc;
    case DerivationOperators::MIN:
      if (std::isnan(acc) || std::isnan(v)) return std::numeric_limits<double>::quiet_NaN();
      if (acc == v) return std::signbit(acc) ? acc : v;
      return v < acc ? v : acc;
    default:
      return acc;
  }
}

// The integral part of d when it lies in [low, high]; ArithmeticException otherwise (NaN and infinities too).
std::int64_t integralIn(double d, double low, double high, const char* typeName) {
  const double t = std::trunc(d);
  if (!(t >= low && t <= high)) {
    throw plat::lang::ArithmeticException(std::string("Value out of range for ") + typeName + ": " +
                                          Value::ofDouble(d).toString());
  }
  return static_cast<std::int64_t>(t);
}

std::int64_t longIn(std::int64_t v, std::int64_t low, std::int64_t high, const char* typeName) {
  if (v < low || v > high) {
    throw plat::lang::ArithmeticException(std::string("Value out of range for ") + typeName + ": " + std::to_string(v));
  }
  return v;
}

}  // namespace

DerivationHelper::DerivationHelper() : logHelper_(util::LogWindowHelper::getInstance()) {}

Value DerivationHelper::failed(const std::string& title, const std::string& message) {
  logHelper_.displayMsgToLog(title, message);
  return Value(plat::lang::makeRef<CalculationFailedValue>());
}

Value DerivationHelper::convertToOutputType(const Value& result, int outputType) {
  if (result.isNull()) return result;
  const bool isLong = result.is(Value::Kind::Long);
  switch (outputType) {
    case plat::sql::Types::TINYINT:
    case plat::sql::Types::SMALLINT: {
      const std::int64_t v = isLong ? longIn(result.getLong(), INT16_MIN, INT16_MAX, "SMALLINT")
                                    : integralIn(result.getDouble(), INT16_MIN, INT16_MAX, "SMALLINT");
      return Value::ofShort(static_cast<std::int16_t>(v));
    }
    case plat::sql::Types::INTEGER: {
      const std::int64_t v = isLong ? longIn(result.getLong(), INT32_MIN, INT32_MAX, "INTEGER")
                                    : integralIn(result.getDouble(), INT32_MIN, INT32_MAX, "INTEGER");
      return Value::ofInt(static_cast<std::int32_t>(v));
    }
    case plat::sql::Types::BIGINT: {
      if (isLong) return result;
      // 2^63 is the first double above the range; -2^63 is in it.
      const double d = result.getDouble();
      const double t = std::trunc(d);
      if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0)) {
        throw plat::lang::ArithmeticException("Value out of range for BIGINT: " + result.toString());
      }
      return Value::ofLong(static_cast<std::int64_t>(t));
    }
    case plat::sql::Types::FLOAT:
    case plat::sql::Types::REAL:
      return Value::ofFloat(isLong ? static_cast<float>(result.getLong()) : static_cast<float>(result.getDouble()));
    default:
      return Value::ofDouble(isLong ? static_cast<double>(result.getLong()) : result.getDouble());
  }
}

Value DerivationHelper::calculate(const DerivationRow& row, int outputType, int op) {
  try {
    const auto& members = row.sourceMembers();
    Value inline_[kInlineInputs];
    std::vector<Value> spill;
    Value* values = inline_;
    if (members.size() > kInlineInputs) {
      spill.resize(members.size());
      values = spill.data();
    }
    int promoted = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
      values[i] = members[i]->getValue();
      // An input without a result fails the result: folding around it would report a wrong value as computed.
      if (isResultMarker(values[i])) throw plat::lang::IllegalArgumentException(values[i].toString());
      const int pref = PrimitiveDataTypes::getPrefTypeForNumberCalculations(values[i]);
      if (pref > promoted) promoted = pref;
    }
    if (promoted == 0) return Value();

    // Seeded by the first input that promotes: a dropped text must not stand in as 0.
    bool seeded = false;
    std::int64_t longAcc = 0;
    double doubleAcc = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
      const Value number = PrimitiveDataTypes::promoteToNumber(values[i], promoted);
      if (number.isNull()) continue;
      if (promoted == PrimitiveDataTypes::LONG) {
        longAcc = seeded ? foldLong(op, longAcc, number.getLong()) : number.getLong();
      } else {
        doubleAcc = seeded ? foldDouble(op, doubleAcc, number.getDouble()) : number.getDouble();
      }
      seeded = true;
    }
    if (!seeded) return Value();
    const Value result = promoted == PrimitiveDataTypes::LONG ? Value::ofLong(longAcc) : Value::ofDouble(doubleAcc);
    return convertToOutputType(result, outputType);
  } catch (const plat::lang::Exception& e) {
    return failed(calculationTitle(), e.getMessage());
  }
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation
