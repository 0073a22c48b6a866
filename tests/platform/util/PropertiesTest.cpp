#include "platform/util/Properties.h"

#include <gtest/gtest.h>

#include "platform/util/Enumeration.h"
#include "platform/util/MissingResourceException.h"

namespace plat::util {
namespace {

using plat::lang::makeRef;

TEST(Properties, SetGetAndDefaultValue) {
  Properties p;
  EXPECT_EQ(p.getProperty("user"), std::nullopt);
  EXPECT_EQ(p.getProperty("user", ""), "");
  EXPECT_EQ(p.setProperty("user", "sa"), std::nullopt);
  EXPECT_EQ(p.setProperty("user", "admin"), std::optional<std::string>("sa"));
  EXPECT_EQ(p.getProperty("user", ""), "admin");
  EXPECT_EQ(p.getProperty("User"), std::nullopt);  // keys are case-sensitive
  EXPECT_EQ(p.remove("user"), std::optional<std::string>("admin"));
  EXPECT_TRUE(p.isEmpty());
}

TEST(Properties, DefaultsAnswerForMissingKeysOnly) {
  auto defaults = makeRef<Properties>();
  defaults->setProperty("optConc", "1");
  defaults->setProperty("recPosition", "3");
  Properties p(defaults);
  p.setProperty("optConc", "2");
  EXPECT_EQ(p.getProperty("optConc", ""), "2");
  EXPECT_EQ(p.getProperty("recPosition", ""), "3");
  EXPECT_FALSE(p.containsKey("recPosition"));
  EXPECT_EQ(p.size(), 1u);
  EXPECT_EQ(p.stringPropertyNames(), (std::vector<std::string>{"optConc", "recPosition"}));
  auto names = p.propertyNames();
  EXPECT_EQ(names.nextElement(), "optConc");
  EXPECT_EQ(names.nextElement(), "recPosition");
  EXPECT_FALSE(names.hasMoreElements());
  EXPECT_THROW(names.nextElement(), NoSuchElementException);
}

TEST(Properties, CopiesAreIndependent) {
  Properties p;
  p.setProperty("a", "1");
  Properties q(p);
  q.setProperty("a", "2");
  EXPECT_EQ(p.getProperty("a", ""), "1");
  EXPECT_EQ(q.toString(), "{a=2}");
}

TEST(MissingResourceException, CarriesBundleAndKey) {
  const MissingResourceException e("Can't find resource", "quenlora.Res", "key1");
  EXPECT_EQ(e.getResourceClassName(), "quenlora.Res");
  EXPECT_EQ(e.getKey(), "key1");
  EXPECT_EQ(e.toString(), "plat::util::MissingResourceException: Can't find resource");
  EXPECT_THROW(e.raise(), plat::lang::RuntimeException);
}

}  // namespace
}  // namespace plat::util
