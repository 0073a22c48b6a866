// The message bundle in four languages and its loader.
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

#include <gtest/gtest.h>

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"
#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

using plat::text::Locale;
using plat::text::ResourceBundle;

std::size_t leadingBlanks(const std::string& s) {
  std::size_t n = 0;
  while (n < s.size() && s[n] == ' ') ++n;
  return n;
}

std::size_t trailingBlanks(const std::string& s) {
  std::size_t n = 0;
  while (n < s.size() && s[s.size() - 1 - n] == ' ') ++n;
  return n;
}

TEST(QBEResource, FourLanguagesWithIdenticalKeys) {
  QBEResource english;
  QBEResource_de german;
  QBEResource_fr french;
  QBEResource_ja japanese;
  const std::vector<std::string> keys = english.keySet();
  ASSERT_EQ(keys.size(), 12u);
  EXPECT_EQ(keys.back(), "");
  EXPECT_EQ(english.getString(""), "");
  for (const plat::text::ListResourceBundle* bundle :
       std::initializer_list<const plat::text::ListResourceBundle*>{&german, &french, &japanese}) {
    SCOPED_TRACE(bundle->getClassName());
    EXPECT_EQ(bundle->keySet(), keys);
    for (const auto& key : keys) {
      std::string translated = bundle->getString(key);
      std::string original = english.getString(key);
      EXPECT_EQ(leadingBlanks(translated), leadingBlanks(original)) << key;
      EXPECT_EQ(trailingBlanks(translated), trailingBlanks(original)) << key;
      EXPECT_EQ(translated.empty(), original.empty()) << key;
    }
  }
}

TEST(QBEResource, GivenTexts) {
  struct Case {
    const char* key;
    const char* text;
  } cases[] = {
      {"TokenError_LexicalError1", "Lexical error at line "},
      {"TokenError_LexicalError2", ", column "},
      {"TokenError_LexicalError3", ".  Encountered: "},
      {"TokenError_LexicalError4", "<EOF> "},
      {"TokenError_LexicalError5", "after : "},
      {"ParseException_getMessage1", "Encountered "},
      {"ParseException_getMessage2", " at line "},
      {"ParseException_getMessage3", ", column "},
      {"ParseException_getMessage4", "Was expecting:"},
      {"ParseException_getMessage5", "Was expecting one of:"},
      {"QBExlator_SYNTAXERROR", "SYNTAX ERROR:"},
  };
  QBEResource english;
  for (const auto& c : cases) {
    EXPECT_EQ(english.getString(c.key), c.text);
    EXPECT_EQ(QBEResource::englishText(c.key), c.text);
    EXPECT_EQ(QBEResourceLoader::text(nullptr, c.key), c.text);  // no bundle: the English frame
  }
  EXPECT_EQ(QBEResource_de().getString("QBExlator_SYNTAXERROR"), "SYNTAXFEHLER:");
  EXPECT_EQ(QBEResource_fr().getString("QBExlator_SYNTAXERROR"), "ERREUR DE SYNTAXE :");
}

TEST(QBEResource, FoundByLocaleThroughTheRegistry) {
  testing::LocaleGuard english(Locale::US);
  struct Case {
    Locale locale;
    const char* syntaxError;
  } cases[] = {
      {Locale("de", "DE"), "SYNTAXFEHLER:"},
      {Locale("de", "CH"), "SYNTAXFEHLER:"},
      {Locale("fr", "FR"), "ERREUR DE SYNTAXE :"},
      {Locale("fr", "CA"), "ERREUR DE SYNTAXE :"},
      {Locale("ja", "JP"), nullptr},
      {Locale("en", "US"), "SYNTAX ERROR:"},
      {Locale("it", "IT"), "SYNTAX ERROR:"},
  };
  for (const auto& c : cases) {
    auto bundle = ResourceBundle::getBundle(QBEResource::kBaseName, c.locale);
    std::string expected = c.syntaxError ? c.syntaxError : QBEResource_ja().getString("QBExlator_SYNTAXERROR");
    EXPECT_EQ(bundle->getString("QBExlator_SYNTAXERROR"), expected) << c.locale.toString();
  }
}

TEST(QBEResourceLoader, OneLoaderWithABundle) {
  plat::lang::ConsoleCapture err(plat::lang::ConsoleCapture::Target::kErr);
  QBEResourceLoader& first = QBEResourceLoader::getInstance();
  QBEResourceLoader::main({});
  EXPECT_EQ(&first, &QBEResourceLoader::getInstance());
  ASSERT_TRUE(first.getBundle());
  EXPECT_TRUE(first.getBundle()->containsKey("QBExlator_SYNTAXERROR"));
  EXPECT_EQ(err.text(), "");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
