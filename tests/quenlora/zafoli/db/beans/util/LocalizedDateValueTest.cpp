// Dates, times and timestamps through the value formatter against a reference built from the formats alone: the
// parse answers what the whole sequence of styles answers for every rendering of every style, and the formatted
// instants are the C library's local instants, across daylight-saving changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/sql/Types.h"
#include "platform/text/DateFormat.h"
#include "platform/text/Locale.h"
#include "platform/text/ParseException.h"
#include "platform/text/Utf16.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::util {
namespace {

using plat::lang::Value;
using plat::sql::Types;
using plat::text::DateFormat;
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

// Sets the process time zone for one test and puts the old one back.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

 private:
  std::optional<std::string> old_;
};

const Locale kLocales[] = {Locale::US, Locale::GERMANY, Locale::FRANCE, Locale::JAPAN, Locale("de", "CH")};
const int kStyles[] = {DateFormat::DEFAULT, DateFormat::FULL, DateFormat::LONG, DateFormat::MEDIUM, DateFormat::SHORT};

std::unique_ptr<DateFormat> formatOf(char kind, int style, const Locale& locale) {
  if (kind == 'd') return DateFormat::getDateInstance(style, locale);
  if (kind == 't') return DateFormat::getTimeInstance(style, locale);
  return DateFormat::getDateTimeInstance(style, style, locale);
}

// The documented sequence, on the full parse alone: per style the formats in the column type's order, the first
// that reads the whole text answering.
std::optional<int64_t> sequence(const std::string& text, int sqlType, const Locale& locale) {
  const char* order = sqlType == Types::DATE ? "dxt" : sqlType == Types::TIME ? "txd" : "xdt";
  for (int style : kStyles) {
    for (const char* kind = order; *kind != '\0'; ++kind) {
      auto format = formatOf(*kind, style, locale);
      plat::text::ParsePosition pos(0);
      std::optional<int64_t> read = format->parse(text, pos);
      if (read && pos.getIndex() == plat::text::utf16::length(text)) return read;
    }
  }
  return std::nullopt;
}

std::optional<int64_t> viaGenerator(const std::string& text, int sqlType) {
  try {
    std::optional<plat::time::DateTime> read = G::parseDateValue(text, sqlType);
    if (!read) return std::nullopt;
    return read->getTime();
  } catch (const plat::text::ParseException&) {
    return std::nullopt;
  }
}

TEST(LocalizedDateValue, ParsingAnswersWhatTheWholeSequenceOfStylesAnswers) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int64_t> seconds(-12000000000LL, 253000000000LL);  // years 1589 to 9987
  std::vector<int64_t> instants = {979560000000, 1710513005000, 0};
  while (instants.size() < 25) instants.push_back(seconds(random) * 1000);
  for (const Locale& locale : kLocales) {
    LocaleGuard guard(locale);
    for (int64_t t : instants) {
      for (int style : {DateFormat::FULL, DateFormat::LONG, DateFormat::MEDIUM, DateFormat::SHORT}) {
        for (char kind : {'d', 't', 'x'}) {
          const std::string text = formatOf(kind, style, locale)->format(t);
          for (int type : {Types::DATE, Types::TIME, Types::TIMESTAMP}) {
            EXPECT_EQ(viaGenerator(text, type), sequence(text, type, locale))
                << locale.toString() << " «" << text << "» as " << type;
          }
        }
      }
    }
  }
}

TEST(LocalizedDateValue, AGermanDateInATimeColumnReadsAsTheTimeFormatReadsIt) {
  LocaleGuard guard(Locale::GERMANY);
  // The lenient time format reads 15.03.2024 as 15:03 and 2024 seconds; the date it also is comes later.
  std::optional<int64_t> read = viaGenerator("15.03.2024", Types::TIME);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read, sequence("15.03.2024", Types::TIME, Locale::GERMANY));
  EXPECT_EQ(plat::time::DateTime(*read).toDate(), plat::time::Date(1970, 1, 1));
  EXPECT_EQ(viaGenerator("15.03.2024", Types::DATE),
            plat::time::DateTime::fromDate(plat::time::Date(2024, 3, 15)).getTime());
}

TEST(LocalizedDateValue, FormattedInstantsAreTheLocalOnesAcrossDaylightSavingChanges) {
  LocaleGuard guard(Locale::GERMANY);
  using plat::time::Date;
  using plat::time::Time;
  using plat::time::Timestamp;
  struct Zone {
    const char* name;
    std::vector<Timestamp> stamps;
    std::vector<Date> dates;
  } zones[] = {
      {"Europe/Berlin",
       {Timestamp(2024, 1, 15, 10, 0, 0), Timestamp(2024, 3, 31, 1, 59, 59), Timestamp(2024, 3, 31, 2, 30, 0),
        Timestamp(2024, 3, 31, 3, 0, 0), Timestamp(2024, 10, 27, 1, 59, 59), Timestamp(2024, 10, 27, 2, 30, 0),
        Timestamp(2024, 10, 27, 3, 0, 0), Timestamp(1980, 4, 6, 2, 15, 0, 250000000)},
       {Date(2024, 3, 31), Date(2024, 10, 27), Date(1970, 1, 1)}},
      // Daylight saving began at midnight: that local midnight does not exist.
      {"America/Sao_Paulo", {Timestamp(2018, 11, 4, 0, 30, 0)}, {Date(2018, 11, 4), Date(2018, 2, 17)}},
  };
  auto dateTimes = DateFormat::getDateTimeInstance(DateFormat::LONG, DateFormat::LONG, Locale::GERMANY);
  auto dates = DateFormat::getDateInstance(DateFormat::LONG, Locale::GERMANY);
  auto times = DateFormat::getTimeInstance(DateFormat::LONG, Locale::GERMANY);
  for (auto& zone : zones) {
    ZoneGuard tz(zone.name);
    std::mt19937_64 random(3);
    for (int i = 0; i < 200; ++i) {
      const auto r = random();
      zone.stamps.emplace_back(1970 + static_cast<int>(r % 68), 1 + static_cast<int>((r >> 8) % 12),
                               1 + static_cast<int>((r >> 16) % 28), static_cast<int>((r >> 24) % 24),
                               static_cast<int>((r >> 32) % 60), static_cast<int>((r >> 40) % 60));
      zone.dates.emplace_back(1970 + static_cast<int>((r >> 44) % 68), 1 + static_cast<int>((r >> 50) % 12),
                              1 + static_cast<int>((r >> 54) % 28));
    }
    for (const Timestamp& stamp : zone.stamps) {
      EXPECT_EQ(G::formatValue(Value(stamp), true).getString(),
                dateTimes->format(plat::time::DateTime::fromTimestamp(stamp).getTime()))
          << zone.name << " " << stamp.toString();
      EXPECT_EQ(G::formatValue(Value(stamp.getTime()), true).getString(),
                times->format(plat::time::DateTime::fromTime(stamp.getTime()).getTime()))
          << zone.name << " " << stamp.toString();
    }
    for (const Date& date : zone.dates) {
      EXPECT_EQ(G::formatValue(Value(date), true).getString(),
                dates->format(plat::time::DateTime::fromDate(date).getTime()))
          << zone.name << " " << date.toString();
    }
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::util
