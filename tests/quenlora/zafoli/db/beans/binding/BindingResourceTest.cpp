// The binding message bundle in four languages and its loader.
#include "quenlora/zafoli/db/beans/binding/BindingResource.h"

#include <gtest/gtest.h>

#include "platform/lang/System.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::text::Locale;
using plat::text::ResourceBundle;

std::size_t leadingBlanks(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' ');
}

std::size_t trailingBlanks(const std::string& s) {
  std::size_t n = 0;
  while (n < s.size() && s[s.size() - 1 - n] == ' ') ++n;
  return n;
}

void expectSameShape(const plat::text::ListResourceBundle& english,
                     std::initializer_list<const plat::text::ListResourceBundle*> variants) {
  const std::vector<std::string> keys = english.keySet();
  for (const auto* bundle : variants) {
    SCOPED_TRACE(bundle->getClassName());
    EXPECT_EQ(bundle->keySet(), keys);
    for (const auto& key : keys) {
      const auto& original = english.getObject(key);
      const auto& translated = bundle->getObject(key);
      ASSERT_EQ(original.index(), translated.index()) << key;
      if (const auto* text = std::get_if<std::string>(&original)) {
        const std::string& other = std::get<std::string>(translated);
        EXPECT_EQ(leadingBlanks(other), leadingBlanks(*text)) << key;
        EXPECT_EQ(trailingBlanks(other), trailingBlanks(*text)) << key;
        EXPECT_EQ(other.empty(), text->empty()) << key;
      }
    }
  }
}

TEST(BindingResource, FourLanguagesWithIdenticalKeysInOrder) {
  BindingResource english;
  BindingResource_de german;
  BindingResource_fr french;
  BindingResource_ja japanese;
  const std::vector<std::string> keys = english.keySet();
  ASSERT_EQ(keys.size(), 207u);
  EXPECT_EQ(keys.front(), "BindingModel_Row");
  EXPECT_EQ(keys[205], "AppTasks_Undo");
  EXPECT_EQ(keys.back(), "");
  EXPECT_EQ(english.getString(""), "");
  expectSameShape(english, {&german, &french, &japanese});
}

TEST(BindingResource, UtilityBundleHasSixKeysInEveryLanguage) {
  util::UtilResource english;
  util::UtilResource_de german;
  util::UtilResource_fr french;
  util::UtilResource_ja japanese;
  ASSERT_EQ(english.keySet().size(), 6u);
  expectSameShape(english, {&german, &french, &japanese});
  EXPECT_EQ(japanese.getString("Query Navigators"), "QueryNavigator");
  EXPECT_EQ(german.getString("Parse Exception while converting string to number"),
            "Analysierungsausnahme bei Konvertierung von String nach Zahl.");
}

TEST(BindingResource, FontSizesAreIntegers) {
  struct Case {
    const plat::text::ListResourceBundle* bundle;
    int size;
  };
  BindingResource en;
  BindingResource_de de;
  BindingResource_fr fr;
  BindingResource_ja ja;
  for (const Case& c : {Case{&en, 11}, Case{&de, 11}, Case{&fr, 11}, Case{&ja, 12}}) {
    EXPECT_EQ(c.bundle->getInteger("ColumnDefPanel_FontSize"), c.size) << c.bundle->getClassName();
    EXPECT_EQ(c.bundle->getInteger("TableBinding_TitleBorderFontSize"), c.size) << c.bundle->getClassName();
  }
}

TEST(BindingResource, GivenEnglishTexts) {
  struct Case {
    const char* key;
    const char* text;
  } cases[] = {
      {"DataBindEx_Noreason", "No reason"},
      {"DefSCDialog_Yes", " Yes "},
      {"DefSCDialog_No", "  No  "},
      {"SaveChange_Warning", " Warning"},
      {"QueryNavigator_SAIntern2", "] failed.\n"},
      {"QueryNavigator_SetValue3", "; change value in column: "},
      {"SaveChange_MessWithoutPeriod", ". Do you wish to save them before proceeding?"},
      {"AppTasks_Loading application", "Loading application"},
      {"ChainTasks_Gotorecord", "Goto record"},
  };
  BindingResource english;
  for (const auto& c : cases) EXPECT_EQ(english.getString(c.key), c.text) << c.key;
}

TEST(BindingResource, LookupChainPicksTheLanguageVariant) {
  struct Case {
    Locale locale;
    const char* text;
  } cases[] = {
      {Locale("de", "CH"), "Kein Grund"}, {Locale::GERMANY, "Kein Grund"}, {Locale::FRANCE, "Aucune raison"},
      {Locale::JAPAN, "理由なし"},        {Locale::US, "No reason"},       {Locale("it", "IT"), "No reason"},
  };
  // A locale without a variant falls back through the default locale's chain, so the default is English here.
  const Locale saved = Locale::getDefault();
  Locale::setDefault(Locale::US);
  for (const auto& c : cases) {
    auto bundle = ResourceBundle::getBundle(BindingResource::kBaseName, c.locale);
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->getString("DataBindEx_Noreason"), c.text) << c.locale.toString();
  }
  Locale::setDefault(saved);
}

TEST(BindingResourceLoader, OneLoaderForTheProcess) {
  EXPECT_EQ(&BindingResourceLoader::getInstance(), &BindingResourceLoader::getInstance());
  EXPECT_NE(BindingResourceLoader::getInstance().getBundle(), nullptr);
}

TEST(BindingResourceLoader, MissingFamilyIsReportedAndTextsFallBackToEnglish) {
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  auto loader = BindingResourceLoader::forBaseName("quenlora.zafoli.db.beans.binding.NoSuchResource");
  EXPECT_EQ(loader->getBundle(), nullptr);
  EXPECT_EQ(capture.text().rfind("Could not load [quenlora.zafoli.db.beans.binding.NoSuchResource]\n", 0), 0u)
      << capture.text();
  EXPECT_EQ(loader->getString("PositionExcep_Message"), "Position out of range");
  EXPECT_EQ(loader->getInteger("ColumnDefPanel_FontSize"), 11);
  EXPECT_EQ(loader->getString("no such key"), "");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
