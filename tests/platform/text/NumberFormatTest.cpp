#include "platform/text/NumberFormat.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/text/Character.h"
#include "platform/text/DecimalFormat.h"
#include "platform/text/DecimalFormatSymbols.h"
#include "platform/text/ParseException.h"

namespace plat::text {
namespace {

// "1" grouping "234" decimal "5" in the locale's own symbols.
std::string grouped12345(const Locale& locale) {
  DecimalFormatSymbols s(locale);
  return "1" + s.getGroupingSeparatorText() + "234" + s.getDecimalSeparatorText() + "5";
}

TEST(DecimalFormatSymbols, PerLocale) {
  DecimalFormatSymbols us(Locale::US);
  EXPECT_EQ(us.getDecimalSeparator(), U'.');
  EXPECT_EQ(us.getGroupingSeparator(), U',');
  EXPECT_EQ(us.getMinusSign(), U'-');
  EXPECT_EQ(us.getZeroDigit(), U'0');
  DecimalFormatSymbols de(Locale::GERMANY);
  EXPECT_EQ(de.getDecimalSeparator(), U',');
  EXPECT_EQ(de.getGroupingSeparator(), U'.');
  DecimalFormatSymbols fr(Locale::FRANCE);
  EXPECT_EQ(fr.getDecimalSeparator(), U',');
  EXPECT_TRUE(Character::isSpaceChar(fr.getGroupingSeparator()));  // a no-break space of some width
  EXPECT_EQ(fr.getGroupingSeparatorText(), codePointToUtf8(fr.getGroupingSeparator()));
}

TEST(NumberFormat, FormatsWithTheLocaleSymbols) {
  for (const Locale& locale : {Locale::US, Locale::GERMANY, Locale::FRANCE, Locale::JAPAN, Locale("de", "CH")}) {
    auto format = NumberFormat::getInstance(locale);
    EXPECT_EQ(format->format(1234.5), grouped12345(locale)) << locale.toString();
  }
}

TEST(NumberFormat, GroupingAndFractionDigits) {
  auto format = NumberFormat::getInstance(Locale::US);
  EXPECT_EQ(format->getMaximumFractionDigits(), 3);
  EXPECT_EQ(format->format(2.0 / 3.0), "0.667");
  EXPECT_EQ(format->format(int64_t{-1234567}), "-1,234,567");
  format->setGroupingUsed(false);
  EXPECT_FALSE(format->isGroupingUsed());
  EXPECT_EQ(format->format(1234.5), "1234.5");
  format->setMaximumFractionDigits(1);
  EXPECT_EQ(format->format(0.25), "0.2");  // half-even
  EXPECT_EQ(format->format(0.75), "0.8");
  format->setMinimumFractionDigits(4);
  EXPECT_EQ(format->getMaximumFractionDigits(), 4);
  EXPECT_EQ(format->format(1.5), "1.5000");
  format->setMaximumFractionDigits(2);
  EXPECT_EQ(format->getMinimumFractionDigits(), 2);
}

TEST(NumberFormat, InstancesAreIndependent) {
  auto first = NumberFormat::getInstance(Locale::US);
  auto second = NumberFormat::getInstance(Locale::US);
  auto copy = first->clone();
  first->setGroupingUsed(false);
  EXPECT_EQ(second->format(1234.0), "1,234");
  EXPECT_EQ(copy->format(1234.0), "1,234");
  EXPECT_EQ(first->format(1234.0), "1234");
}

TEST(NumberFormat, IntegerInstanceRoundsHalfEven) {
  auto format = NumberFormat::getIntegerInstance(Locale::US);
  EXPECT_EQ(format->format(2.5), "2");
  EXPECT_EQ(format->format(3.5), "4");
  EXPECT_TRUE(format->isParseIntegerOnly());
  ParsePosition pos(0);
  auto parsed = format->parse("12.75", pos);
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->isLong());
  EXPECT_EQ(parsed->longValue(), 12);
  EXPECT_EQ(pos.getIndex(), 2);
}

TEST(NumberFormat, ParseWithPosition) {
  auto format = NumberFormat::getInstance(Locale::US);
  struct Case {
    const char* text;
    int32_t start;
    bool ok;
    bool isLong;
    double value;
    int32_t end;
  } cases[] = {
      {"12abc", 0, true, true, 12, 2}, {"1,234.5", 0, true, false, 1234.5, 7}, {"-7", 0, true, true, -7, 2},
      {"x=42", 2, true, true, 42, 4},  {"abc", 0, false, false, 0, 0},         {"1.0", 0, true, true, 1, 3},
      {"", 0, false, false, 0, 0},     {"12", 5, false, false, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ParsePosition pos(c.start);
    auto parsed = format->parse(c.text, pos);
    ASSERT_EQ(parsed.has_value(), c.ok);
    EXPECT_EQ(pos.getIndex(), c.end);
    if (!c.ok) {
      EXPECT_GE(pos.getErrorIndex(), 0);
      continue;
    }
    EXPECT_EQ(parsed->isLong(), c.isLong);
    EXPECT_DOUBLE_EQ(parsed->doubleValue(), c.value);
  }
}

TEST(NumberFormat, ParseInTheLocaleSymbols) {
  for (const Locale& locale : {Locale::GERMANY, Locale::FRANCE, Locale("de", "CH")}) {
    auto format = NumberFormat::getInstance(locale);
    EXPECT_DOUBLE_EQ(format->parse(grouped12345(locale)).doubleValue(), 1234.5) << locale.toString();
  }
}

TEST(NumberFormat, UnparseableTextThrows) {
  auto format = NumberFormat::getInstance(Locale::US);
  try {
    format->parse("abc");
    FAIL() << "no exception";
  } catch (const ParseException& e) {
    EXPECT_EQ(e.getMessage(), "Unparseable number: \"abc\"");
    EXPECT_EQ(e.getErrorOffset(), 0);
    EXPECT_EQ(e.getClassName(), "java.text.ParseException");
  }
}

TEST(NumberFormat, PatternFormat) {
  DecimalFormat format("#,##0.00", Locale::US);
  EXPECT_EQ(format.format(1234.5), "1,234.50");
  EXPECT_EQ(format.format(int64_t{0}), "0.00");
  DecimalFormat german("#,##0.00", Locale::GERMANY);
  EXPECT_EQ(german.format(1234.5), "1.234,50");
  EXPECT_EQ(german.getDecimalFormatSymbols().getDecimalSeparator(), U',');
}

TEST(NumberFormat, CurrencyInstanceShowsASymbol) {
  auto format = NumberFormat::getCurrencyInstance(Locale::US);
  EXPECT_EQ(format->format(1234.5), "$1,234.50");
}

TEST(NumberFormat, SeparateInstancesOnSeveralThreads) {
  std::vector<std::thread> threads;
  std::vector<std::string> results(8);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &results] {
      auto format = NumberFormat::getInstance(t % 2 ? Locale::GERMANY : Locale::US);
      std::string last;
      for (int i = 0; i < 200; ++i) last = format->format(1234.5);
      results[t] = last;
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(results[t], grouped12345(t % 2 ? Locale::GERMANY : Locale::US));
}

}  // namespace
}  // namespace plat::text
