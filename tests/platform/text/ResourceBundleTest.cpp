#include "platform/text/ResourceBundle.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/text/BundleLoader.h"
#include "platform/text/ListResourceBundle.h"
#include "platform/util/MissingResourceException.h"
#include "tests/platform/text/TextTestSupport.h"

namespace plat::text {
namespace {

constexpr const char* kBase = "plat.texttest.Messages";

class Messages : public ListResourceBundle {
 public:
  const std::vector<BundleEntry>& getContents() const override {
    static const std::vector<BundleEntry> rows = {
        {"greeting", "Hello"}, {"farewell", "Goodbye"}, {"size", 11}, {"only.base", "base"}, {"", ""}};
    return rows;
  }
};

class Messages_de : public ListResourceBundle {
 public:
  const std::vector<BundleEntry>& getContents() const override {
    static const std::vector<BundleEntry> rows = {{"greeting", "Hallo"}, {"farewell", "Tsch\xC3\xBCss"}, {"size", 12}};
    return rows;
  }
};

class Messages_de_CH : public ListResourceBundle {
 public:
  const std::vector<BundleEntry>& getContents() const override {
    static const std::vector<BundleEntry> rows = {{"greeting",
                                                   "Gr\xC3\xBC"
                                                   "ezi"},
                                                  {"greeting", "Sali"}};
    return rows;
  }
};

class Messages_fr : public ListResourceBundle {
 public:
  const std::vector<BundleEntry>& getContents() const override {
    static const std::vector<BundleEntry> rows = {{"greeting", "Bonjour"}};
    return rows;
  }
};

template <class T>
void registerBundle(const std::string& name) {
  plat::runvale::ClassInfo info;
  info.name = name;
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<T>()); };
  plat::runvale::ClassRegistry::instance().registerClass(std::move(info));
}

class ResourceBundleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string base = kBase;
    registerBundle<Messages>(base);
    registerBundle<Messages_de>(base + "_de");
    registerBundle<Messages_de_CH>(base + "_de_CH");
    registerBundle<Messages_fr>(base + "_fr");
  }
};

TEST_F(ResourceBundleTest, LookupChain) {
  testing::DefaultLocaleGuard english(Locale::US);
  struct Case {
    Locale locale;
    const char* bundleName;
    const char* greeting;
    const char* farewell;
  } cases[] = {
      {Locale("de", "CH"), "plat.texttest.Messages_de_CH", "Sali", "Tsch\xC3\xBCss"},
      {Locale("de", "AT"), "plat.texttest.Messages_de", "Hallo", "Tsch\xC3\xBCss"},
      {Locale::GERMANY, "plat.texttest.Messages_de", "Hallo", "Tsch\xC3\xBCss"},
      {Locale::FRANCE, "plat.texttest.Messages_fr", "Bonjour", "Goodbye"},
      {Locale::JAPAN, "plat.texttest.Messages", "Hello", "Goodbye"},
      {Locale(), "plat.texttest.Messages", "Hello", "Goodbye"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.toString());
    auto bundle = ResourceBundle::getBundle(kBase, c.locale);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->getBundleName(), c.bundleName);
    EXPECT_EQ(bundle->getString("greeting"), c.greeting);
    EXPECT_EQ(bundle->getString("farewell"), c.farewell);
    EXPECT_EQ(bundle->getString("only.base"), "base");
  }
}

TEST_F(ResourceBundleTest, FallsBackToTheDefaultLocaleBeforeTheBase) {
  testing::DefaultLocaleGuard french(Locale::FRANCE);
  EXPECT_EQ(ResourceBundle::getBundle(kBase, Locale::JAPAN)->getString("greeting"), "Bonjour");
  EXPECT_EQ(ResourceBundle::getBundle(kBase)->getString("greeting"), "Bonjour");
}

TEST_F(ResourceBundleTest, BundlesAreSharedAndKnowTheirLocale) {
  auto first = ResourceBundle::getBundle(kBase, Locale("de", "CH"));
  auto second = ResourceBundle::getBundle(kBase, Locale("de", "CH"));
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(first->getLocale(), Locale("de", "CH"));
  ASSERT_NE(first->getParent(), nullptr);
  EXPECT_EQ(first->getParent()->getLocale(), Locale("de"));
  EXPECT_EQ(first->getParent()->getParent()->getLocale(), Locale());
}

TEST_F(ResourceBundleTest, IntegersAndKinds) {
  auto german = ResourceBundle::getBundle(kBase, Locale::GERMANY);
  EXPECT_EQ(german->getInteger("size"), 12);
  EXPECT_EQ(ResourceBundle::getBundle(kBase, Locale::FRANCE)->getInteger("size"), 11);
  EXPECT_THROW(german->getString("size"), plat::lang::ClassCastException);
  EXPECT_THROW(german->getInteger("greeting"), plat::lang::ClassCastException);
  EXPECT_TRUE(std::holds_alternative<int>(german->getObject("size")));
  EXPECT_TRUE(german->containsKey(""));
}

TEST_F(ResourceBundleTest, KeySetKeepsOrder) {
  auto base = ResourceBundle::getBundle(kBase, Locale());
  EXPECT_EQ(base->keySet(), (std::vector<std::string>{"greeting", "farewell", "size", "only.base", ""}));
}

TEST_F(ResourceBundleTest, MissingKey) {
  auto german = ResourceBundle::getBundle(kBase, Locale::GERMANY);
  try {
    german->getString("nope");
    FAIL() << "no exception";
  } catch (const plat::util::MissingResourceException& e) {
    EXPECT_EQ(e.getMessage(), "Can't find resource for bundle plat.texttest.Messages_de, key nope");
    EXPECT_EQ(e.getResourceClassName(), "plat.texttest.Messages_de");
    EXPECT_EQ(e.getKey(), "nope");
  }
}

TEST_F(ResourceBundleTest, MissingBundle) {
  try {
    ResourceBundle::getBundle("plat.texttest.Absent", Locale::GERMANY);
    FAIL() << "no exception";
  } catch (const plat::util::MissingResourceException& e) {
    EXPECT_EQ(e.getMessage(), "Can't find bundle for base name plat.texttest.Absent, locale de_DE");
    EXPECT_EQ(e.getResourceClassName(), "plat.texttest.Absent_de_DE");
    EXPECT_EQ(e.getKey(), "");
  }
}

TEST(BundleLoader, ReportsAMissingBundleOnceOnStandardError) {
  testing::DefaultLocaleGuard german(Locale::GERMANY);
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  BundleLoader loader("plat.texttest.Nowhere");
  EXPECT_EQ(loader.getBundle(), nullptr);
  EXPECT_EQ(loader.getBundle(), nullptr);
  EXPECT_EQ(capture.text(),
            "Could not load [plat.texttest.Nowhere]\n"
            "plat::util::MissingResourceException: Can't find bundle for base name plat.texttest.Nowhere, locale de_DE"
            "\n");
}

TEST_F(ResourceBundleTest, LoaderFindsARegisteredBundleSilently) {
  testing::DefaultLocaleGuard german(Locale::GERMANY);
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  auto bundle = loadBundleOrReport(kBase);
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->getString("greeting"), "Hallo");
  EXPECT_EQ(capture.text(), "");
}

}  // namespace
}  // namespace plat::text
