// What a process gets from the locale of its environment: the dialect of its translator and the language of its
// messages. Run once per locale with LC_ALL set (en_US, de_DE, fr_FR, ja_JP, de_CH); the plain run checks the
// environment the tests were started in.
#include <gtest/gtest.h>

#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

// The process's default locale as it was at start-up: tests put back any locale they set.
const plat::text::Locale& startLocale() {
  static const plat::text::Locale locale = plat::text::Locale::getDefault();
  return locale;
}

bool commaDialectExpected() {
  const std::string& country = startLocale().getCountry();
  return country == "DE" || country == "FR";
}

std::string expectedSyntaxPrefix() {
  const std::string& language = startLocale().getLanguage();
  if (language == "de") return QBEResource_de().getString("QBExlator_SYNTAXERROR");
  if (language == "fr") return QBEResource_fr().getString("QBExlator_SYNTAXERROR");
  if (language == "ja") return QBEResource_ja().getString("QBExlator_SYNTAXERROR");
  return QBEResource().getString("QBExlator_SYNTAXERROR");
}

std::string expectedLexicalStart() {
  const std::string& language = startLocale().getLanguage();
  if (language == "de") return QBEResource_de().getString("TokenError_LexicalError1");
  if (language == "fr") return QBEResource_fr().getString("TokenError_LexicalError1");
  if (language == "ja") return QBEResource_ja().getString("TokenError_LexicalError1");
  return QBEResource().getString("TokenError_LexicalError1");
}

TEST(QbeProcessLocale, DialectFollowsTheCountry) {
  SCOPED_TRACE(startLocale().toString());
  if (commaDialectExpected()) {
    EXPECT_EQ(QBExlator::xlatField("1,5", "col"), "col = 1.5");
    EXPECT_EQ(QBExlator::xlatField(",5..,7", "col"), "col  BETWEEN .5 AND .7");
  } else {
    try {
      QBExlator::xlatField("1,5", "col");
      FAIL() << "the period dialect takes no comma";
    } catch (const QBExlatException& e) {
      EXPECT_EQ(e.getMessage().rfind(expectedLexicalStart() + "1", 0), 0u) << e.getMessage();
    }
  }
  EXPECT_EQ(QBExlator::xlatField("'a'..'m'", "col"), "col  BETWEEN 'a' AND 'm'");
}

TEST(QbeProcessLocale, MessagesFollowTheLanguage) {
  SCOPED_TRACE(startLocale().toString());
  try {
    QBExlator::xlatField("x=", "col");
    FAIL() << "no exception";
  } catch (const QBExlatException& e) {
    EXPECT_EQ(e.getMessage().rfind(expectedSyntaxPrefix(), 0), 0u) << e.getMessage();
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
