// The rule bundle (28 keys, the subtraction template twice, the same order in every language), the loader's report
// when a family is missing, and the texts of the two result markers.
#include <gtest/gtest.h>

#include "platform/lang/System.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/brl/BRLResource.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"

namespace quenlora::zafoli::db::beans::brl {
namespace {

TEST(BRLResourceBundle, EveryLanguageHasTheSameKeysInOrder) {
  BRLResource en;
  const auto& base = en.getContents();
  ASSERT_EQ(base.size(), 29u);  // 28 keys, one of them twice
  EXPECT_EQ(base.front().key, "");
  EXPECT_EQ(base[14].key, "subtract( ?,?,?,... )");
  EXPECT_EQ(base[15].key, "subtract( ?,?,?,... )");
  EXPECT_EQ(base[25].key, "Validation could not be performed due to exception while ");
  EXPECT_EQ(base.back().key, "Inputs to date validation should be of date type");
  for (const auto& entry : base) EXPECT_EQ(std::get<std::string>(entry.value), entry.key);
  BRLResource_de de;
  BRLResource_fr fr;
  BRLResource_ja ja;
  for (const plat::text::ListResourceBundle* variant :
       std::initializer_list<const plat::text::ListResourceBundle*>{&de, &fr, &ja}) {
    const auto& contents = variant->getContents();
    ASSERT_EQ(contents.size(), base.size()) << variant->getClassName();
    for (std::size_t i = 0; i < base.size(); ++i) EXPECT_EQ(contents[i].key, base[i].key) << i;
  }
}

TEST(BRLResourceBundle, AMissingFamilyIsReportedAndTheEnglishBaseAnswers) {
  plat::lang::ConsoleCapture err(plat::lang::ConsoleCapture::Target::kErr);
  auto loader = BRLResourceLoader::forBaseName("quenlora.zafoli.db.beans.brl.Missing");
  EXPECT_EQ(loader->getBundle(), nullptr);
  EXPECT_EQ(err.text().rfind("Could not load [quenlora.zafoli.db.beans.brl.Missing]\n", 0), 0u) << err.text();
  EXPECT_EQ(loader->getString("<Calculation Failed>"), "<Calculation Failed>");
}

TEST(RuleMarkers, TextsFollowTheRuleTypeAndTheyAreRecognisedInAValue) {
  EXPECT_EQ(UnKnownColValue().toString(), "<Calculation Not Performed>");
  EXPECT_EQ(UnKnownColValue(4).toString(), "<Validation Not Performed>");
  EXPECT_EQ(UnKnownColValue(7).toString(), "<Calculation Not Performed>");
  EXPECT_EQ(CalculationFailedValue().toString(), "<Calculation Failed>");

  plat::lang::Value unknown(plat::lang::makeRef<UnKnownColValue>(4));
  plat::lang::Value failed(plat::lang::makeRef<CalculationFailedValue>());
  EXPECT_TRUE(UnKnownColValue::isIn(unknown));
  EXPECT_FALSE(UnKnownColValue::isIn(failed));
  EXPECT_TRUE(CalculationFailedValue::isIn(failed));
  EXPECT_FALSE(CalculationFailedValue::isIn(plat::lang::Value("<Calculation Failed>")));
  EXPECT_EQ(failed.toString(), "<Calculation Failed>");
  EXPECT_EQ(unknown.getClassName(), "quenlora.zafoli.db.beans.brl.UnKnownColValue");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl
