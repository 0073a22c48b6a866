// The compiled fast paths of DateFormat against ICU's own parser: what format() writes reads back as the instant
// written, in every locale and style over four centuries, and the exact read agrees with parse() wherever it answers
// and refuses near misses.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/text/DateFormat.h"
#include "platform/text/Utf16.h"

namespace plat::text {
namespace {

constexpr int64_t kMillisPerDay = 86400000;
// 1583-01-01 and 9999-12-31 UTC, the years the exact read covers.
constexpr int64_t kFirst = -12175200000000;
constexpr int64_t kLast = 253402214400000;

const Locale kLocales[] = {Locale::US, Locale::GERMANY, Locale::FRANCE, Locale::JAPAN, Locale("de", "CH")};

struct Styled {
  std::string name;
  std::unique_ptr<DateFormat> format;
  bool showsTime;
  bool showsDate;
};

// Every date, time and date-time format of a locale.
std::vector<Styled> formatsOf(const Locale& locale) {
  std::vector<Styled> out;
  for (int style : {DateFormat::FULL, DateFormat::LONG, DateFormat::MEDIUM, DateFormat::SHORT}) {
    const std::string s = std::to_string(style);
    out.push_back({"date" + s, DateFormat::getDateInstance(style, locale), false, true});
    out.push_back({"time" + s, DateFormat::getTimeInstance(style, locale), true, false});
    out.push_back({"datetime" + s, DateFormat::getDateTimeInstance(style, style, locale), true, true});
  }
  return out;
}

// Whole seconds (no style shows milliseconds) spread over the years, with fixed edges of the day and the year.
std::vector<int64_t> instants(int count) {
  std::vector<int64_t> out = {0, 979560000000, 951782400000 /* 2000-02-29 */, kFirst + kMillisPerDay, kLast - 1000};
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int64_t> seconds(kFirst / 1000 + 86400, kLast / 1000 - 86400);
  while (static_cast<int>(out.size()) < count) out.push_back(seconds(random) * 1000);
  return out;
}

int64_t floorMod(int64_t a, int64_t b) {
  return ((a % b) + b) % b;
}

std::optional<int64_t> readsWhole(const DateFormat& format, const std::string& text) {
  ParsePosition pos(0);
  std::optional<int64_t> parsed = format.parse(text, pos);
  if (!parsed || pos.getIndex() != utf16::length(text)) return std::nullopt;
  return parsed;
}

TEST(DateFormatExact, WhatFormatWritesReadsBackInEveryLocaleAndStyle) {
  for (const Locale& locale : kLocales) {
    for (const Styled& f : formatsOf(locale)) {
      for (int64_t t : instants(150)) {
        const std::string text = f.format->format(t);
        SCOPED_TRACE(locale.toString() + " " + f.name + " «" + text + "»");
        std::optional<int64_t> back = readsWhole(*f.format, text);
        ASSERT_TRUE(back.has_value());
        // Styles without seconds or without a date lose those; what is shown must still be what was written.
        EXPECT_EQ(f.format->format(*back), text);
        if (f.showsTime && f.name.back() != '3') {
          EXPECT_EQ(floorMod(*back, 60000), floorMod(t, 60000));
        }
      }
    }
  }
}

TEST(DateFormatExact, ExactReadAgreesWithParseAndAnswersForFourDigitYears) {
  for (const Locale& locale : kLocales) {
    for (const Styled& f : formatsOf(locale)) {
      int answered = 0;
      const std::vector<int64_t> all = instants(100);
      for (int64_t t : all) {
        const std::string text = f.format->format(t);
        std::optional<int64_t> exact = f.format->parseExact(text);
        if (!exact) continue;
        ++answered;
        EXPECT_EQ(exact, readsWhole(*f.format, text)) << locale.toString() << " " << f.name << " «" << text << "»";
      }
      // The long and full styles write four-digit years, so the shortcut must serve them all.
      if (f.name.back() == '0' || f.name.back() == '1') {
        EXPECT_EQ(answered, static_cast<int>(all.size())) << locale.toString() << " " << f.name;
      }
    }
  }
}

TEST(DateFormatExact, NearMissesAreLeftToTheFullParse) {
  auto longDe = DateFormat::getDateInstance(DateFormat::LONG, Locale::GERMANY);
  auto fullDe = DateFormat::getDateInstance(DateFormat::FULL, Locale::GERMANY);
  auto mediumDe = DateFormat::getDateInstance(DateFormat::MEDIUM, Locale::GERMANY);
  auto shortUs = DateFormat::getDateInstance(DateFormat::SHORT, Locale::US);
  auto timeUs = DateFormat::getTimeInstance(DateFormat::MEDIUM, Locale::US);
  struct Case {
    const DateFormat* format;
    std::string text;
  } cases[] = {
      {mediumDe.get(), "15.3.2024"},                // not padded as written
      {mediumDe.get(), "32.03.2024"},               // out of range
      {mediumDe.get(), "15.03.2024 "},              // more than the rendering
      {mediumDe.get(), "15.03.02024"},              // five year digits
      {longDe.get(), "15. märz 2024"},              // another case
      {longDe.get(), "15. März 1400"},              // before the Gregorian years
      {longDe.get(), "15. März"},                   // less than the rendering
      {fullDe.get(), "Donnerstag, 15. März 2024"},  // the 15th was a Friday
      {shortUs.get(), "3/15/24"},                   // two-digit year
      {timeUs.get(), "13:30:05\u202FPM"},           // hour out of the 12-hour range
      {longDe.get(), ""},
  };
  for (const auto& c : cases) EXPECT_FALSE(c.format->parseExact(c.text).has_value()) << c.text;
  // The full parse still reads what it always read.
  EXPECT_TRUE(readsWhole(*mediumDe, "15.3.2024").has_value());
  EXPECT_EQ(mediumDe->format(*readsWhole(*mediumDe, "15.3.2024")), "15.03.2024");
}

TEST(DateFormatExact, ClonesKeepTheFastPathsAndTheirOwnState) {
  auto format = DateFormat::getDateTimeInstance(DateFormat::LONG, DateFormat::LONG, Locale::US);
  auto copy = format->clone();
  const int64_t a = 979560000000, b = 1710513005000;
  const std::string textA = format->format(a), textB = copy->format(b);
  EXPECT_EQ(copy->format(a), textA);
  EXPECT_EQ(copy->parseExact(textA), readsWhole(*format, textA));
  EXPECT_EQ(format->parseExact(textB), readsWhole(*copy, textB));
}

}  // namespace
}  // namespace plat::text
