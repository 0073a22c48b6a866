// The built-in validations through their public face: holds, broken (performed) or not performed with its log
// entry and one advice dialog; symmetric date comparison; a failed calculation as input; the operator tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/lang/Exceptions.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/validation/ValidationOperators.h"
#include "quenlora/zafoli/db/beans/brl/validation/date/DateValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/string/StringValidation.h"
#include "tests/quenlora/zafoli/db/beans/brl/RuleTestSupport.h"

namespace quenlora::zafoli::db::beans::brl::validation {
namespace {

using plat::lang::Value;
using plat::time::Date;
using plat::time::Timestamp;

enum class Outcome { kHolds, kBroken, kNotPerformed, kNotPerformedQuietly };

using Maker = std::function<std::shared_ptr<Validation>()>;
template <class T>
Maker make() {
  return [] { return std::make_shared<T>(); };
}

struct Case {
  const char* name;
  Maker rule;
  Value source;
  const char* op;
  Value target;
  Outcome outcome;
  const char* logText = nullptr;  // the logged message of a not-performed run, when it matters
};

class ValidationEngine : public testing::RuleTest {};

Outcome run(Validation& rule, const ValidationRow& row) {
  try {
    rule.validate(row);
    return Outcome::kHolds;
  } catch (const ValidationException& e) {
    return e.getValidationType() == ValidationException::VALIDATION_PERFORMED ? Outcome::kBroken
                                                                              : Outcome::kNotPerformed;
  }
}

TEST_F(ValidationEngine, Outcomes) {
  const Value failed = Value(plat::lang::makeRef<CalculationFailedValue>());
  const Value notPerformed = Value(plat::lang::makeRef<UnKnownColValue>(UnKnownColValue::kValidationRuleType));
  const Value nan = Value(std::nan(""));
  const std::int64_t noon = plat::time::DateTime::fromTimestamp(Timestamp(2001, 1, 2, 12, 0, 0)).getTime();
  const Value stampA = Value(Timestamp(2001, 1, 2, 12, 0, 0, 1));
  const Value stampB = Value(Timestamp(2001, 1, 2, 12, 0, 0, 2));
  const Value instant = Value(plat::time::DateTime(noon));
  const char* dateText = "Inputs to date validation should be of date type";
  const Case cases[] = {
      {"5 > 3", make<number::NumberValidation>(), Value(5), ">", Value(3), Outcome::kHolds},
      {"5 > text 3.5 as doubles", make<number::NumberValidation>(), Value(5), ">", Value("3.5"), Outcome::kHolds},
      {"long 3 == int 3", make<number::NumberValidation>(), Value::ofLong(3), "==", Value(3), Outcome::kHolds},
      {"3 >= 4", make<number::NumberValidation>(), Value(3), ">=", Value(4), Outcome::kBroken},
      {"null source is broken", make<number::NumberValidation>(), Value(), ">", Value(3), Outcome::kBroken},
      {"null target", make<number::NumberValidation>(), Value(5), ">", Value(), Outcome::kNotPerformed},
      {"operator outside the table", make<number::NumberValidation>(), Value(5), "=>", Value(3),
       Outcome::kNotPerformed},
      {"unparsable text", make<number::NumberValidation>(), Value("abc"), "<", Value(3), Outcome::kNotPerformed},
      {"NaN == NaN", make<number::NumberValidation>(), nan, "==", nan, Outcome::kBroken},
      {"NaN != 1", make<number::NumberValidation>(), nan, "!=", Value(1.0), Outcome::kHolds},
      {"failed calculation as source", make<number::NumberValidation>(), failed, ">", Value(3),
       Outcome::kNotPerformedQuietly},
      {"failed calculation as target", make<date::DateValidation>(), Value(Date(2001, 1, 2)), "equals", failed,
       Outcome::kNotPerformedQuietly},
      {"calculation not performed as target", make<number::NumberValidation>(), Value(5), "<", notPerformed,
       Outcome::kNotPerformedQuietly},
      {"validation not performed as source", make<string::StringValidation>(), notPerformed, "contains", Value(""),
       Outcome::kNotPerformedQuietly},
      {"contains", make<string::StringValidation>(), Value("ABC"), "contains", Value("B"), Outcome::kHolds},
      {"the empty text is contained", make<string::StringValidation>(), Value("ABC"), "contains", Value(""),
       Outcome::kHolds},
      {"equals is case-sensitive", make<string::StringValidation>(), Value("abc"), "equals", Value("ABC"),
       Outcome::kBroken},
      {"null text", make<string::StringValidation>(), Value(), "equals", Value("ABC"), Outcome::kNotPerformed},
      {"text date before a date", make<date::DateValidation>(), Value("2001-01-02"), "before", Value(Date(2001, 1, 3)),
       Outcome::kHolds},
      {"a number is no date", make<date::DateValidation>(), Value(5), "equals", Value(Date(2001, 1, 3)),
       Outcome::kNotPerformed, dateText},
      {"a date is its local midnight", make<date::DateValidation>(), Value(Date(2001, 1, 2)), "equals",
       Value(Timestamp(2001, 1, 2, 0, 0, 0)), Outcome::kHolds},
      {"nanoseconds count between timestamps", make<date::DateValidation>(), stampA, "equals", stampB,
       Outcome::kBroken},
      {"earlier nanoseconds are before", make<date::DateValidation>(), stampA, "before", stampB, Outcome::kHolds},
      {"later nanoseconds are after", make<date::DateValidation>(), stampB, "after", stampA, Outcome::kHolds},
      {"timestamp equals the instant", make<date::DateValidation>(), stampA, "equals", instant, Outcome::kHolds},
      {"instant equals the timestamp", make<date::DateValidation>(), instant, "equals", stampA, Outcome::kHolds},
      {"instant is not after the timestamp", make<date::DateValidation>(), instant, "after", stampA, Outcome::kBroken},
  };
  std::size_t dialogsBefore = 0;
  std::size_t logBefore = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto rule = c.rule();
    const Outcome outcome = run(*rule, testing::validationRow(c.source, c.op, c.target));
    const Outcome expected = c.outcome == Outcome::kNotPerformedQuietly ? Outcome::kNotPerformed : c.outcome;
    EXPECT_EQ(static_cast<int>(outcome), static_cast<int>(expected));
    const bool announced = c.outcome == Outcome::kNotPerformed;
    const auto entries = log->entries();
    ASSERT_EQ(entries.size(), logBefore + (announced ? 1 : 0));
    if (announced) {
      EXPECT_EQ(entries.back().rfind("Exception while validating data|", 0), 0u) << entries.back();
    }
    if (c.logText != nullptr) {
      EXPECT_EQ(entries.back(), std::string("Exception while validating data|") + c.logText);
    }
    logBefore = entries.size();
    const auto texts = dialogTexts();
    ASSERT_EQ(texts.size(), dialogsBefore + (announced ? 1 : 0));
    if (announced) {
      EXPECT_EQ(texts.back(),
                "Validation could not be performed due to exception while converting data. Check the datatype for "
                "inputs to the validation formula.");
    }
    dialogsBefore = texts.size();
  }
}

TEST_F(ValidationEngine, AnIncompleteRowHolds) {
  ValidationRow row;
  row.addSourceColumnMember(testing::constant(Value(1)));
  row.addTargetColumnMember(testing::constant(Value(2)));
  number::NumberValidation rule;
  EXPECT_NO_THROW(rule.validate(row));
}

TEST(ValidationOperators, TablesAndKinds) {
  EXPECT_EQ(ValidationOperators::getKeyForNumberOperator("!="), ValidationOperators::NUMBER_NOT_EQUAL_TO);
  EXPECT_EQ(ValidationOperators::getKeyForDateOperator("before"), ValidationOperators::DATE_BEFORE_OP);
  EXPECT_THROW(ValidationOperators::getKeyForStringOperator(">"), plat::lang::IllegalArgumentException);
  auto numbers = ValidationOperators::getOpersListForNumber();
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, (std::vector<std::string>{"!=", "<", "<=", "==", ">", ">="}));
  EXPECT_EQ(ValidationOperators::getOpersListForString().size(), 2u);
  EXPECT_EQ(ValidationOperators::getOpersListForDate().size(), 3u);
  const std::pair<const char*, int> kinds[] = {
      {"quenlora.zafoli.db.beans.brl.validation.string.StringValidation", 0},
      {"com.example.MyNumberValidation", 1},
      {"DateValidation", 2},
      {"com.example.NumberValidationRule", -1},
      {"", -1},
  };
  for (const auto& [name, kind] : kinds) EXPECT_EQ(ValidationOperators::getOperatorType(name), kind) << name;
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::validation
