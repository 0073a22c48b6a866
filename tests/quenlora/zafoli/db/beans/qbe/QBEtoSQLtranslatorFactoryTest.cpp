// Choice of the translator variant by the default locale's country.
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslatorFactory.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"
#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

using plat::text::Locale;

struct ChoiceCase {
  Locale locale;
  const char* className;  // null: no variant class for the country
  const char* made;       // the class of the translator made
};

TEST(QBEtoSQLtranslatorFactory, ChoosesByCountry) {
  const ChoiceCase cases[] = {
      {Locale("de", "DE"), QBEtoSQLtranslator_de::kClassName, QBEtoSQLtranslator_de::kClassName},
      {Locale("fr", "FR"), QBEtoSQLtranslator_fr::kClassName, QBEtoSQLtranslator_fr::kClassName},
      {Locale("en", "US"), QBEtoSQLtranslator_us::kClassName, QBEtoSQLtranslator_us::kClassName},
      {Locale("en", "DE"), QBEtoSQLtranslator_de::kClassName, QBEtoSQLtranslator_de::kClassName},
      {Locale("de", "CH"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("de", "AT"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("fr", "BE"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("fr", "CA"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("en", "GB"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("ja", "JP"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("de"), nullptr, QBEtoSQLtranslator_us::kClassName},
      {Locale("xx", "JA"), QBEtoSQLtranslator_ja::kClassName, QBEtoSQLtranslator_ja::kClassName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.toString());
    testing::LocaleGuard locale(c.locale);
    QBEtoSQLtranslatorFactory factory;
    EXPECT_EQ(factory.getCurrentLocale(), c.locale);
    const plat::runvale::ClassInfo* info = factory.getQBEtoSQLtranslatorClass();
    if (c.className == nullptr) {
      EXPECT_EQ(info, nullptr);
    } else {
      ASSERT_NE(info, nullptr);
      EXPECT_EQ(info->name, c.className);
      EXPECT_EQ(factory.getQBEtoSQLtranslatorClass(), info);  // cached
    }
    auto translator = factory.getQBEtoSQLtranslator();
    ASSERT_TRUE(translator);
    EXPECT_EQ(dynamic_cast<const plat::lang::Object&>(*translator).getClassName(), c.made);
  }
}

TEST(QBEtoSQLtranslatorFactory, TheLocaleIsTakenAtConstruction) {
  testing::LocaleGuard german(Locale::GERMANY);
  QBEtoSQLtranslatorFactory factory;
  plat::text::Locale::setDefault(Locale::US);
  EXPECT_EQ(factory.getQBEtoSQLtranslatorClass()->name, QBEtoSQLtranslator_de::kClassName);
}

TEST(QBEtoSQLtranslatorFactory, UnusableVariantsFallBackToUs) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  plat::runvale::ClassInfo notATranslator;
  notATranslator.name = std::string(QBEtoSQLtranslatorFactory::kVariantPrefix) + "zy";
  notATranslator.factory = [] { return plat::lang::makeRef<plat::lang::Object>(); };
  registry.registerClass(notATranslator);
  plat::runvale::ClassInfo failing;
  failing.name = std::string(QBEtoSQLtranslatorFactory::kVariantPrefix) + "zz";
  failing.factory = []() -> plat::lang::Ref<plat::lang::Object> {
    throw plat::lang::InstantiationException("cannot be made");
  };
  registry.registerClass(failing);
  plat::runvale::ClassInfo abstractClass;
  abstractClass.name = std::string(QBEtoSQLtranslatorFactory::kVariantPrefix) + "zx";
  registry.registerClass(abstractClass);

  for (const char* country : {"ZY", "ZZ", "ZX"}) {
    testing::LocaleGuard locale(Locale("en", country));
    QBEtoSQLtranslatorFactory factory;
    EXPECT_NE(factory.getQBEtoSQLtranslatorClass(), nullptr) << country;
    auto translator = factory.getQBEtoSQLtranslator();
    ASSERT_TRUE(translator) << country;
    EXPECT_EQ(dynamic_cast<const plat::lang::Object&>(*translator).getClassName(), QBEtoSQLtranslator_us::kClassName);
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
