// The built-in calculations through their public face: integer or double arithmetic chosen from the inputs, checked
// integer overflow and narrowing, the fold seeded by the first input that promotes, failures as the
// CalculationFailedValue marker with a log entry, and the date functions on the local calendar of a
// daylight-saving zone.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "platform/sql/Types.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentDateFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentTimeFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/DateAddFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/DateSubtractFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/DivisionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MaxFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MinFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/SubtractFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/string/StringConcatFunction.h"
#include "tests/quenlora/zafoli/db/beans/brl/RuleTestSupport.h"

namespace quenlora::zafoli::db::beans::brl::derivation {
namespace {

using plat::lang::Value;
using plat::sql::Types;
using testing::derivationRow;

using Maker = std::function<std::shared_ptr<Calculation>()>;
template <class T>
Maker make() {
  return [] { return std::make_shared<T>(); };
}

const Value kFailed = Value(plat::lang::makeRef<CalculationFailedValue>());  // stands for "the marker"
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct NumberCase {
  const char* name;
  Maker rule;
  std::vector<Value> inputs;
  int outputType;
  Value expected;  // kFailed: the marker and one log entry
  std::size_t dialogs;
};

class CalculationEngine : public testing::RuleTest {};

TEST_F(CalculationEngine, NumericFunctions) {
  const double inf = std::numeric_limits<double>::infinity();
  const NumberCase cases[] = {
      {"integer division truncates",
       make<number::DivisionFunction>(),
       {Value(7), Value(2)},
       Types::INTEGER,
       Value(3),
       0},
      {"integer division widened",
       make<number::DivisionFunction>(),
       {Value(7), Value(2)},
       Types::DOUBLE,
       Value(3.0),
       0},
      {"a text makes it double",
       make<number::DivisionFunction>(),
       {Value(7), Value("2")},
       Types::DOUBLE,
       Value(3.5),
       0},
      {"fraction truncates to INTEGER",
       make<number::DivisionFunction>(),
       {Value(7), Value("2")},
       Types::INTEGER,
       Value(3),
       0},
      {"integer division by zero", make<number::DivisionFunction>(), {Value(7), Value(0)}, Types::INTEGER, kFailed, 0},
      {"double division by zero",
       make<number::DivisionFunction>(),
       {Value(7.0), Value(0.0)},
       Types::DOUBLE,
       Value(inf),
       0},
      {"MIN / -1", make<number::DivisionFunction>(), {Value::ofLong(kMin), Value(-1)}, Types::BIGINT, kFailed, 0},
      {"sum overflows", make<number::AdditionFunction>(), {Value::ofLong(kMax), Value(1)}, Types::BIGINT, kFailed, 0},
      {"difference overflows",
       make<number::SubtractFunction>(),
       {Value::ofLong(kMin), Value(1)},
       Types::BIGINT,
       kFailed,
       0},
      {"product overflows",
       make<number::MultiplicationFunction>(),
       {Value::ofLong(kMax / 2 + 1), Value(2)},
       Types::BIGINT,
       kFailed,
       0},
      {"70000 as SMALLINT", make<number::AdditionFunction>(), {Value(70000)}, Types::SMALLINT, kFailed, 0},
      {"-32768 as SMALLINT",
       make<number::AdditionFunction>(),
       {Value(-32768)},
       Types::SMALLINT,
       Value::ofShort(-32768),
       0},
      {"too large for INTEGER", make<number::AdditionFunction>(), {Value(3.9e9)}, Types::INTEGER, kFailed, 0},
      {"NaN as INTEGER", make<number::AdditionFunction>(), {Value(std::nan(""))}, Types::INTEGER, kFailed, 0},
      {"infinity as BIGINT", make<number::AdditionFunction>(), {Value(inf)}, Types::BIGINT, kFailed, 0},
      {"long sum as BIGINT",
       make<number::AdditionFunction>(),
       {Value(1), Value::ofShort(2), Value::ofLong(3)},
       Types::BIGINT,
       Value::ofLong(6),
       0},
      {"FLOAT follows IEEE", make<number::AdditionFunction>(), {Value(1), Value(0.5)}, Types::REAL, Value(1.5f), 0},
      {"localized text",
       make<number::AdditionFunction>(),
       {Value("1,234.5"), Value(1)},
       Types::DOUBLE,
       Value(1235.5),
       0},
      {"subtract folds left",
       make<number::SubtractFunction>(),
       {Value(10), Value(3), Value(2)},
       Types::INTEGER,
       Value(5),
       0},
      {"max", make<number::MaxFunction>(), {Value(4), Value(9), Value(1)}, Types::INTEGER, Value(9), 0},
      {"min seeded past a bad text", make<number::MinFunction>(), {Value("zz"), Value(5)}, Types::INTEGER, Value(5), 1},
      {"subtract seeded past a bad text",
       make<number::SubtractFunction>(),
       {Value("zz"), Value(5)},
       Types::INTEGER,
       Value(5),
       1},
      {"no input promotes", make<number::MinFunction>(), {Value("zz"), Value("yy")}, Types::INTEGER, Value(), 2},
      {"empty row", make<number::AdditionFunction>(), {}, Types::INTEGER, Value(), 0},
      {"null input", make<number::AdditionFunction>(), {Value(1), Value()}, Types::INTEGER, kFailed, 0},
      {"failed input", make<number::AdditionFunction>(), {Value(1), kFailed}, Types::INTEGER, kFailed, 0},
  };
  std::size_t dialogsBefore = 0;
  std::size_t logBefore = 0;
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Value result = c.rule()->getComputedValue(derivationRow(c.inputs), c.outputType);
    const bool failed = CalculationFailedValue::isIn(c.expected);
    if (failed) {
      EXPECT_TRUE(CalculationFailedValue::isIn(result)) << result.toString();
      EXPECT_NE(result.getObject(), c.expected.getObject());  // a new marker for every failure
    } else {
      EXPECT_TRUE(result.equals(c.expected)) << result.toString() << " " << result.getClassName();
    }
    const auto entries = log->entries();
    ASSERT_EQ(entries.size(), logBefore + (failed ? 1 : 0));
    if (failed) {
      EXPECT_EQ(entries.back().rfind("Exception while performing calculation:|", 0), 0u) << entries.back();
    }
    logBefore = entries.size();
    const auto texts = dialogTexts();
    ASSERT_EQ(texts.size(), dialogsBefore + c.dialogs);
    for (std::size_t i = dialogsBefore; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].rfind("Exception in number conversion: ", 0), 0u) << texts[i];
    }
    dialogsBefore = texts.size();
  }
}

TEST_F(CalculationEngine, ConcatenationJoinsTheNonNullTexts) {
  string::StringConcatFunction concat;
  EXPECT_EQ(concat.getComputedValue(derivationRow({Value("a"), Value(), Value(1), Value(2.5)}), Types::INTEGER),
            Value("a12.5"));
  EXPECT_EQ(concat.getComputedValue(derivationRow({}), Types::INTEGER), Value(""));
  EXPECT_FALSE(concat.isUsedForAggregate());
  EXPECT_TRUE(number::AdditionFunction().isUsedForAggregate());
  EXPECT_EQ(number::SubtractFunction().getDisplayString(), date::DateSubtractFunction().getDisplayString());
}

struct DateCase {
  const char* name;
  Maker rule;
  std::vector<Value> inputs;
  int outputType;
  Value expected;       // kFailed: the marker
  const char* logText;  // the logged message of a failure
};

TEST_F(CalculationEngine, DateFunctions) {
  using plat::time::Date;
  using plat::time::Timestamp;
  const DateCase cases[] = {
      {"add rolls into the next month",
       make<date::DateAddFunction>(),
       {Value(Date(2001, 1, 30)), Value(3)},
       Types::DATE,
       Value(Date(2001, 2, 2)),
       nullptr},
      {"subtract rolls back",
       make<date::DateSubtractFunction>(),
       {Value(Date(2001, 3, 1)), Value("1")},
       Types::DATE,
       Value(Date(2001, 2, 28)),
       nullptr},
      {"add keeps the wall clock across the change",
       make<date::DateAddFunction>(),
       {Value(Timestamp(2021, 3, 13, 10, 30, 0)), Value(1)},
       Types::TIMESTAMP,
       Value(Timestamp(2021, 3, 14, 10, 30, 0)),
       nullptr},
      {"negative count",
       make<date::DateAddFunction>(),
       {Value(Timestamp(2021, 11, 8, 1, 15, 0)), Value(-1)},
       Types::TIMESTAMP,
       Value(Timestamp(2021, 11, 7, 1, 15, 0)),
       nullptr},
      {"three inputs to add",
       make<date::DateAddFunction>(),
       {Value(Date(2001, 1, 30)), Value(3), Value(1)},
       Types::DATE,
       kFailed,
       "DateAdd operation requires only two inputs"},
      {"three inputs to subtract",
       make<date::DateSubtractFunction>(),
       {Value(Date(2001, 1, 30)), Value(3), Value(1)},
       Types::DATE,
       kFailed,
       "DateSubtract operation requires only two inputs"},
      {"a number is no date",
       make<date::DateAddFunction>(),
       {Value(3), Value(3)},
       Types::DATE,
       kFailed,
       "Inputs should be of Date and integer type"},
      {"fractional day count",
       make<date::DateAddFunction>(),
       {Value(Date(2001, 1, 30)), Value("1.5")},
       Types::DATE,
       kFailed,
       "For input string: \"1.5\""},
      {"day count beyond 32 bits",
       make<date::DateAddFunction>(),
       {Value(Date(2001, 1, 30)), Value("2147483648")},
       Types::DATE,
       kFailed,
       "For input string: \"2147483648\""},
      {"INTEGER output",
       make<date::CurrentDateFunction>(),
       {},
       Types::INTEGER,
       kFailed,
       "Invalid output data type selected for date function"},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t logBefore = log->entries().size();
    const Value result = c.rule()->getComputedValue(derivationRow(c.inputs), c.outputType);
    if (c.logText != nullptr) {
      EXPECT_TRUE(CalculationFailedValue::isIn(result)) << result.toString();
      const auto entries = log->entries();
      ASSERT_EQ(entries.size(), logBefore + 1);
      EXPECT_EQ(entries.back(), std::string("Exception while performing date calculation:|") + c.logText);
    } else {
      EXPECT_TRUE(result.equals(c.expected)) << result.toString();
    }
  }
  // A day added across the spring change is 23 hours long.
  const Value start = Value(Timestamp(2021, 3, 13, 10, 30, 0));
  const Value moved = date::DateAddFunction().getComputedValue(derivationRow({start, Value(1)}), Types::BIGINT);
  EXPECT_EQ(moved.getLong() - plat::time::DateTime::fromTimestamp(start.getTimestamp()).getTime(), 23 * 3600000LL);
  const Value text = date::DateAddFunction().getComputedValue(derivationRow({start, Value(1)}), Types::VARCHAR);
  EXPECT_EQ(text.getString(), plat::time::DateTime(moved.getLong()).toString());
  EXPECT_TRUE(dialogTexts().empty());
}

TEST_F(CalculationEngine, CurrentDateAndTimeAreTheMomentOfTheCall) {
  const std::int64_t before = plat::time::DateTime::now().getTime();
  const Value dateMillis = date::CurrentDateFunction().getComputedValue(derivationRow({}), Types::BIGINT);
  const Value timeMillis = date::CurrentTimeFunction().getComputedValue(derivationRow({}), Types::DOUBLE);
  const Value time = date::CurrentDateFunction().getComputedValue(derivationRow({}), Types::TIME);
  const Value stamp = date::CurrentTimeFunction().getComputedValue(derivationRow({}), Types::VARCHAR);
  const Value day = date::CurrentDateFunction().getComputedValue(derivationRow({}), Types::VARCHAR);
  const std::int64_t after = plat::time::DateTime::now().getTime();
  for (const std::int64_t millis : {dateMillis.getLong(), static_cast<std::int64_t>(timeMillis.getDouble())}) {
    EXPECT_GE(millis, before - 1000);
    EXPECT_LE(millis, after + 1000);
  }
  ASSERT_TRUE(time.is(Value::Kind::Time));
  const std::int64_t secondOfDay = time.getTime().toSecondOfDay();
  const std::int64_t nowSecond = plat::time::DateTime(after).toTime().toSecondOfDay();
  EXPECT_LE(std::llabs(nowSecond - secondOfDay), 1);
  EXPECT_EQ(stamp.getString().substr(0, 11), day.getString() + " ") << stamp.getString();
  EXPECT_EQ(day.getString(), plat::time::DateTime(after).toDate().toString());
}

TEST_F(CalculationEngine, AnInputWithoutAResultFailsEveryFunction) {
  const std::pair<const char*, Maker> functions[] = {
      {"add", make<number::AdditionFunction>()},
      {"subtract", make<number::SubtractFunction>()},
      {"multiply", make<number::MultiplicationFunction>()},
      {"divide", make<number::DivisionFunction>()},
      {"max", make<number::MaxFunction>()},
      {"min", make<number::MinFunction>()},
      {"date add", make<date::DateAddFunction>()},
      {"date subtract", make<date::DateSubtractFunction>()},
      {"current date", make<date::CurrentDateFunction>()},
      {"current time", make<date::CurrentTimeFunction>()},
      {"concat", make<string::StringConcatFunction>()},
  };
  const Value markers[] = {Value(plat::lang::makeRef<CalculationFailedValue>()),
                           Value(plat::lang::makeRef<UnKnownColValue>())};
  for (const auto& [name, rule] : functions) {
    for (const Value& marker : markers) {
      SCOPED_TRACE(std::string(name) + " of " + marker.toString());
      const std::size_t entries = log->entries().size();
      // The marker is the second input, after one the function accepts.
      const Value first = std::string(name).rfind("date", 0) == 0 ? Value(plat::time::Date(2001, 1, 2)) : Value(4);
      const Value result = rule()->getComputedValue(derivationRow({first, marker}), Types::VARCHAR);
      EXPECT_TRUE(CalculationFailedValue::isIn(result)) << result.toString();
      ASSERT_EQ(log->entries().size(), entries + 1);
      EXPECT_NE(log->entries().back().find("|" + marker.toString()), std::string::npos) << log->entries().back();
    }
  }
  EXPECT_TRUE(dialogTexts().empty()) << "a marker is no text to convert";
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::derivation
