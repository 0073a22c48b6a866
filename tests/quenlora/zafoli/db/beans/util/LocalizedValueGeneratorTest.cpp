// Formatting and parsing of column values in the four locales of the library, and the refusals.
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

#include <gtest/gtest.h>

#include "platform/lang/System.h"
#include "platform/sql/Types.h"
#include "platform/text/Locale.h"
#include "platform/text/ParseException.h"

namespace quenlora::zafoli::db::beans::util {
namespace {

using plat::lang::Value;
using plat::math::Decimal;
using plat::sql::Types;
using plat::text::Locale;
using G = LocalizedValueGenerator;

class LocaleGuard {
 public:
  explicit LocaleGuard(const Locale& l) : saved_(Locale::getDefault()) { Locale::setDefault(l); }
  ~LocaleGuard() { Locale::setDefault(saved_); }
  LocaleGuard(const LocaleGuard&) = delete;
  LocaleGuard& operator=(const LocaleGuard&) = delete;

 private:
  Locale saved_;
};

const std::string kNarrowNbsp = "\u202F";

std::string text(const Value& v) {
  return v.isNull() ? "<null>" : v.getString();
}

struct LocaleCase {
  Locale locale;
  std::string grouped;   // 1234.5 with grouping
  std::string plain;     // 1234.5 without
  std::string decimal;   // 2.500
  std::string negative;  // -1234567 grouped
};

const LocaleCase kLocales[] = {
    {Locale::US, "1,234.5", "1234.5", "2.5", "-1,234,567"},
    {Locale::GERMANY, "1.234,5", "1234,5", "2,5", "-1.234.567"},
    {Locale::FRANCE, "1" + kNarrowNbsp + "234,5", "1234,5", "2,5", "-1" + kNarrowNbsp + "234" + kNarrowNbsp + "567"},
    {Locale::JAPAN, "1,234.5", "1234.5", "2.5", "-1,234,567"},
};

TEST(LocalizedValueGenerator, FormatsNumbersInEachLocale) {
  for (const auto& c : kLocales) {
    SCOPED_TRACE(c.locale.toString());
    LocaleGuard guard(c.locale);
    EXPECT_EQ(text(G::formatValue(Value(1234.5), true)), c.grouped);
    EXPECT_EQ(text(G::formatValue(Value(1234.5), false)), c.plain);
    EXPECT_EQ(text(G::formatValue(Value(Decimal("2.500")), true)), c.decimal);
    EXPECT_EQ(text(G::formatValue(Value::ofLong(-1234567), true)), c.negative);
    EXPECT_EQ(text(G::formatValue(Value::ofFloat(1.5f), true)), "1" + c.decimal.substr(1));
  }
}

TEST(LocalizedValueGenerator, ScaleComesFromTheValue) {
  LocaleGuard guard(Locale::US);
  struct Case {
    Value value;
    int scale;
    std::string shown;
  } cases[] = {
      {Value::ofFloat(1.0E-5f), 6, "0.00001"},
      {Value(1.0E10), 0, "10,000,000,000"},
      {Value(0.125), 3, "0.125"},
      {Value(1.0 / 3.0), 8, "0.33333333"},
      {Value(Decimal("1.123456789")), 8, "1.12345679"},
      {Value(Decimal("12345678901234567890.25")), 2, "12,345,678,901,234,567,890.25"},  // beyond a double
      {Value::ofInt(7), 3, "7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(G::getScaleForNumber(c.value), c.scale) << c.value.toString();
    EXPECT_EQ(text(G::formatValue(c.value, true)), c.shown) << c.value.toString();
  }
}

TEST(LocalizedValueGenerator, FrenchDoublesKeepTheirDecimals) {
  LocaleGuard guard(Locale::FRANCE);
  EXPECT_EQ(G::getScaleForNumber(Value(1.5)), 1);
  EXPECT_EQ(text(G::formatValue(Value(1.5), true)), "1,5");
}

TEST(LocalizedValueGenerator, OtherValuesPassUnchangedAndNonFiniteIsRefused) {
  LocaleGuard guard(Locale::US);
  EXPECT_EQ(G::formatValue(Value("abc"), true), Value("abc"));
  EXPECT_TRUE(G::formatValue(Value(), true).isNull());
  plat::lang::ConsoleCapture capture;
  EXPECT_TRUE(G::formatValue(Value(std::numeric_limits<double>::infinity()), true).isNull());
  EXPECT_EQ(capture.text().rfind("Exception: ", 0), 0u);
}

TEST(LocalizedValueGenerator, ParsesIntoTheClassOfTheColumnType) {
  LocaleGuard guard(Locale::US);
  struct Case {
    const char* text;
    int type;
    Value expected;
  } cases[] = {
      {"7", Types::SMALLINT, Value::ofShort(7)},
      {"7", Types::TINYINT, Value::ofShort(7)},
      {"1,234", Types::INTEGER, Value::ofInt(1234)},
      {"-9,000,000,000", Types::BIGINT, Value::ofLong(-9000000000LL)},
      {"2.5", Types::REAL, Value::ofFloat(2.5f)},
      {"2.50", Types::DECIMAL, Value(Decimal("2.5"))},
      {"2.5", Types::DOUBLE, Value(2.5)},
      {"2.5", Types::FLOAT, Value(2.5)},
      {"", Types::INTEGER, Value::ofInt(0)},
      {"", Types::DECIMAL, Value(Decimal("0.0"))},
      {"-0", Types::INTEGER, Value::ofInt(0)},
      {"00", Types::INTEGER, Value::ofInt(0)},
      {"0.0", Types::DOUBLE, Value(0.0)},
      {"1.5E3", Types::INTEGER, Value::ofInt(1500)},
  };
  for (const auto& c : cases) {
    Value v = G::parseNumberValue(c.text, c.type);
    EXPECT_EQ(v, c.expected) << "'" << c.text << "' -> " << v.toString() << " " << v.getClassName();
  }
}

TEST(LocalizedValueGenerator, PartialAndImpossibleParsesAreRefused) {
  LocaleGuard guard(Locale::US);
  struct Case {
    const char* text;
    int type;
  } cases[] = {
      {"12abc", Types::INTEGER}, {"1.5", Types::INTEGER},    {"7.25", Types::SMALLINT}, {"0abc", Types::INTEGER},
      {"0.5.6", Types::DOUBLE},  {"0-", Types::INTEGER},     {"0.5.6", Types::INTEGER}, {"1E999", Types::DOUBLE},
      {"abc", Types::INTEGER},   {"40000", Types::SMALLINT}, {"1.5x", Types::DECIMAL},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(G::parseNumberValue(c.text, c.type), plat::text::ParseException) << c.text;
  }
  try {
    G::parseNumberValue("1E999", Types::DOUBLE);
  } catch (const plat::text::ParseException& e) {
    EXPECT_EQ(e.getErrorOffset(), 0);
    EXPECT_EQ(e.getMessage(), G::parseExceptionMessage());
  }
}

TEST(LocalizedValueGenerator, RoundTripsInEveryLocale) {
  const Value values[] = {Value::ofInt(-42), Value::ofLong(1234567890123LL), Value(1234.5),
                          Value(-0.001),     Value(Decimal("98765.4321")),   Value::ofShort(-300)};
  const int types[] = {Types::INTEGER, Types::BIGINT, Types::DOUBLE, Types::DOUBLE, Types::DECIMAL, Types::SMALLINT};
  for (const auto& c : kLocales) {
    SCOPED_TRACE(c.locale.toString());
    LocaleGuard guard(c.locale);
    for (std::size_t i = 0; i < std::size(values); ++i) {
      for (bool grouping : {true, false}) {
        std::string shown = text(G::formatValue(values[i], grouping));
        Value back = G::parseNumberValue(shown, types[i]);
        EXPECT_EQ(text(G::formatValue(back, grouping)), shown) << values[i].toString();
        EXPECT_EQ(back.doubleValue(), values[i].doubleValue()) << shown;
      }
    }
  }
}

TEST(LocalizedValueGenerator, EverySpaceGroupsInFrench) {
  LocaleGuard guard(Locale::FRANCE);
  for (const std::string& space : {std::string(" "), std::string("\u00A0"), kNarrowNbsp}) {
    EXPECT_EQ(G::parseNumberValue("1" + space + "234,5", Types::DOUBLE), Value(1234.5));
    EXPECT_EQ(G::parseNumberValue("1" + space + "234", Types::INTEGER), Value::ofInt(1234));
  }
}

TEST(LocalizedValueGenerator, ParsingDoesNotDependOnAnEarlierFormatsGrouping) {
  LocaleGuard guard(Locale::GERMANY);
  G::formatValue(Value(1234.5), false);
  EXPECT_EQ(G::parseNumberValue("1.234,5", Types::DOUBLE), Value(1234.5));
  G::formatValue(Value(1234.5), true);
  EXPECT_EQ(G::parseNumberValue("1234,5", Types::DOUBLE), Value(1234.5));
}

TEST(LocalizedValueGenerator, NormalisesNumberText) {
  LocaleGuard guard(Locale::US);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"1.500", "1.5"}, {"100", "100"}, {"1.5e+03", "1.5E3"}, {"1.50E+005", "1.5E5"}, {"2.0e-07", "2.0E-07"},
  };
  for (const auto& c : cases) EXPECT_EQ(G::formatNumber(c.in), c.out) << c.in;
  EXPECT_TRUE(G::isScientificNotation("1.5E3"));
  EXPECT_FALSE(G::isScientificNotation("15E3"));
  EXPECT_TRUE(G::isNumber("-1,234.5E+3"));
  EXPECT_FALSE(G::isNumber("12a"));
}

TEST(LocalizedValueGenerator, DatesFormatInTheLongStyleAndParseBack) {
  const plat::time::Date date(2024, 3, 15);
  const plat::time::Timestamp stamp(2024, 3, 15, 14, 30, 5);
  for (const auto& c : kLocales) {
    SCOPED_TRACE(c.locale.toString());
    LocaleGuard guard(c.locale);
    std::string shownDate = text(G::formatValue(Value(date), true));
    EXPECT_NE(shownDate.find("2024"), std::string::npos) << shownDate;
    auto back = G::parseDateValue(shownDate, Types::DATE);
    ASSERT_TRUE(back.has_value()) << shownDate;
    EXPECT_EQ(back->toDate(), date);
    std::string shownStamp = text(G::formatValue(Value(stamp), true));
    auto backStamp = G::parseDateValue(shownStamp, Types::TIMESTAMP);
    ASSERT_TRUE(backStamp.has_value()) << shownStamp;
    EXPECT_EQ(backStamp->toTimestamp(), stamp);
  }
}

TEST(LocalizedValueGenerator, DateLiteralsAndRefusals) {
  LocaleGuard guard(Locale::US);
  EXPECT_EQ(G::parseDateValue("2024-03-15", Types::DATE)->toDate(), plat::time::Date(2024, 3, 15));
  EXPECT_EQ(G::parseDateValue("10:15:30", Types::TIME)->toTime(), plat::time::Time(10, 15, 30));
  EXPECT_EQ(G::parseDateValue("2024-03-15 10:15:30", Types::TIMESTAMP)->toTimestamp(),
            plat::time::Timestamp(2024, 3, 15, 10, 15, 30));
  EXPECT_FALSE(G::parseDateValue("", Types::DATE).has_value());
  EXPECT_FALSE(G::parseDateValue("2024-03-15", Types::VARCHAR).has_value());
  EXPECT_THROW(G::parseDateValue("not a date", Types::DATE), plat::text::ParseException);
  EXPECT_THROW(G::parseDateValue("2024-03-15 junk", Types::DATE), plat::text::ParseException);
  // A failed parse leaves later ones working.
  EXPECT_TRUE(G::parseDateValue("2024-03-16", Types::DATE).has_value());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::util
