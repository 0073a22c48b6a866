#include "platform/text/Locale.h"

#include <gtest/gtest.h>

#include "tests/platform/text/TextTestSupport.h"

namespace plat::text {
namespace {

struct PosixCase {
  const char* name;
  const char* language;
  const char* country;
  const char* text;
};

TEST(Locale, FromPosixName) {
  const PosixCase cases[] = {
      {"de_DE.UTF-8", "de", "DE", "de_DE"}, {"fr_FR", "fr", "FR", "fr_FR"}, {"ja_JP.eucJP", "ja", "JP", "ja_JP"},
      {"de_CH@euro", "de", "CH", "de_CH"},  {"C", "en", "US", "en_US"},     {"POSIX", "en", "US", "en_US"},
      {"C.UTF-8", "en", "US", "en_US"},     {"", "en", "US", "en_US"},      {"it", "it", "", "it"},
  };
  for (const auto& c : cases) {
    Locale locale = Locale::fromPosixName(c.name);
    EXPECT_EQ(locale.getLanguage(), c.language) << c.name;
    EXPECT_EQ(locale.getCountry(), c.country) << c.name;
    EXPECT_EQ(locale.toString(), c.text) << c.name;
  }
}

TEST(Locale, NormalisesCaseOfLanguageAndCountry) {
  Locale locale("DE", "ch");
  EXPECT_EQ(locale.getLanguage(), "de");
  EXPECT_EQ(locale.getCountry(), "CH");
  EXPECT_EQ(locale, Locale("de", "CH"));
}

TEST(Locale, TextForms) {
  EXPECT_EQ(Locale().toString(), "");
  EXPECT_EQ(Locale("", "DE").toString(), "_DE");
  EXPECT_EQ(Locale("ja", "JP", "X").toString(), "ja_JP_X");
}

TEST(Locale, DefaultFromEnvironmentHasALanguage) {
  // The C locale of a bare environment reads as en_US; never the root locale.
  EXPECT_FALSE(Locale::getDefault().getLanguage().empty());
  EXPECT_NE(Locale::getDefault().getVariant(), "POSIX");
}

TEST(Locale, SetDefaultIsSeenAndRestored) {
  Locale before = Locale::getDefault();
  {
    testing::DefaultLocaleGuard guard(Locale::JAPAN);
    EXPECT_EQ(Locale::getDefault(), Locale("ja", "JP"));
  }
  EXPECT_EQ(Locale::getDefault(), before);
}

}  // namespace
}  // namespace plat::text
