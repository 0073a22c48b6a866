#include "platform/text/DateFormat.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "platform/text/ParseException.h"

namespace plat::text {
namespace {

// 2001-01-15 12:00:00 UTC: the 15th of January in every time zone.
constexpr int64_t kMidJanuary = 979560000000;

TEST(DateFormat, StylesOfTheUsLocale) {
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::SHORT, Locale::US)->format(kMidJanuary), "1/15/01");
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::MEDIUM, Locale::US)->format(kMidJanuary), "Jan 15, 2001");
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::LONG, Locale::US)->format(kMidJanuary), "January 15, 2001");
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::FULL, Locale::US)->format(kMidJanuary), "Monday, January 15, 2001");
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::DEFAULT, Locale::US)->format(kMidJanuary), "Jan 15, 2001");
}

TEST(DateFormat, GermanLongDate) {
  EXPECT_EQ(DateFormat::getDateInstance(DateFormat::LONG, Locale::GERMANY)->format(kMidJanuary), "15. Januar 2001");
}

TEST(DateFormat, RoundTripsInEveryLocaleAndStyleWithSeconds) {
  for (const Locale& locale : {Locale::US, Locale::GERMANY, Locale::FRANCE, Locale::JAPAN, Locale("de", "CH")}) {
    for (int style : {DateFormat::FULL, DateFormat::LONG, DateFormat::MEDIUM}) {
      auto format = DateFormat::getDateTimeInstance(style, style, locale);
      std::string text = format->format(kMidJanuary + 3723000);  // 13:02:03 UTC
      EXPECT_EQ(format->parse(text), kMidJanuary + 3723000) << locale.toString() << " " << style << " " << text;
    }
  }
}

TEST(DateFormat, DateStyleDropsTheTime) {
  auto format = DateFormat::getDateInstance(DateFormat::MEDIUM, Locale::US);
  int64_t midnight = format->parse(format->format(kMidJanuary));
  EXPECT_EQ(format->format(midnight), "Jan 15, 2001");
  EXPECT_EQ(DateFormat::getTimeInstance(DateFormat::SHORT, Locale::US)->format(midnight).substr(0, 5), "12:00");
}

TEST(DateFormat, ParsePositionAndFailure) {
  auto format = DateFormat::getDateInstance(DateFormat::SHORT, Locale::US);
  ParsePosition pos(3);
  auto parsed = format->parse("on 1/15/01 at noon", pos);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(pos.getIndex(), 10);
  EXPECT_EQ(format->format(*parsed), "1/15/01");

  ParsePosition bad(0);
  EXPECT_FALSE(format->parse("yesterday", bad));
  EXPECT_EQ(bad.getIndex(), 0);
  EXPECT_GE(bad.getErrorIndex(), 0);
  try {
    format->parse("yesterday");
    FAIL() << "no exception";
  } catch (const ParseException& e) {
    EXPECT_EQ(e.getMessage(), "Unparseable date: \"yesterday\"");
  }
}

TEST(DateFormat, LenientRollsOverStrictRefuses) {
  auto format = DateFormat::getDateInstance(DateFormat::SHORT, Locale::US);
  EXPECT_TRUE(format->isLenient());
  EXPECT_EQ(format->format(format->parse("2/30/01")), "3/2/01");
  format->setLenient(false);
  EXPECT_FALSE(format->isLenient());
  EXPECT_THROW(format->parse("2/30/01"), ParseException);
  auto copy = format->clone();
  EXPECT_FALSE(copy->isLenient());
}

TEST(DateFormat, RefusesUnknownStyles) {
  EXPECT_THROW(DateFormat::getDateInstance(4, Locale::US), plat::lang::IllegalArgumentException);
  EXPECT_THROW(DateFormat::getTimeInstance(-1, Locale::US), plat::lang::IllegalArgumentException);
  EXPECT_THROW(DateFormat::getDateTimeInstance(0, 7, Locale::US), plat::lang::IllegalArgumentException);
}

}  // namespace
}  // namespace plat::text
