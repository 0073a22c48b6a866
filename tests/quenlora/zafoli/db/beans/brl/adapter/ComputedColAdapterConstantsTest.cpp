// The adapters' constants: list conversions at their edges, the bundle-filled descriptions and layout numbers, and
// the adapter bundle's 44 keys in every language.
#include <gtest/gtest.h>

#include <algorithm>

#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"

namespace quenlora::zafoli::db::beans::brl::adapter {
namespace {

using Constants = ComputedColAdapterConstants;
using Texts = std::vector<std::string>;

TEST(ComputedColAdapterConstants, SplittingAndJoining) {
  const std::pair<std::string, Texts> cases[] = {
      {"", {}}, {",a", {}}, {"a", {"a"}}, {"a,b", {"a", "b"}}, {"a,,b", {"a", "", "b"}}, {"a,", {"a", ""}},
  };
  for (const auto& [text, pieces] : cases) {
    EXPECT_EQ(Constants::convCommaSepStringToArray(text), pieces) << text;
    std::string lines = text;
    std::replace(lines.begin(), lines.end(), ',', '\n');
    EXPECT_EQ(Constants::convNewLineSepStringToArray(lines), pieces) << text;
  }
  EXPECT_EQ(Constants::convArrayToCommaSepString({}), "");
  EXPECT_EQ(Constants::convArrayToCommaSepString({"a", "", "b"}), "a,,b");
}

TEST(ComputedColAdapterConstants, BundleFilledValues) {
  EXPECT_EQ(Constants::getOffSetToDerivationDescArray(Constants::DERIVATIONCOLUMN_DESC()[1]), 1);
  EXPECT_EQ(Constants::getOffSetToValidationDescArray("nothing"), -1);
  EXPECT_EQ(Constants::INPUTTYPES_DESC().size(), 2u);
  EXPECT_TRUE(Constants::isDerivationRule(1));
  EXPECT_FALSE(Constants::isValidationRule(1));
  EXPECT_EQ(Constants::WIZARDPANEL_WIDTH(), 480);
  EXPECT_EQ(Constants::PROPEDITOR_HEIGHT(), 350);
  EXPECT_EQ(Constants::getDefaultFont().name, "Dialog");
  EXPECT_EQ(Constants::getMargin().right, 4);
}

TEST(ComputedColAdapterConstants, AdapterBundleHasTheSameKeysEverywhere) {
  BRLAdapterResource en;
  const auto& base = en.getContents();
  ASSERT_EQ(base.size(), 44u);
  EXPECT_EQ(std::get<std::string>(base[0].value), "Apply Calculation To");
  EXPECT_EQ(std::get<int>(base[39].value), 11);
  BRLAdapterResource_de de;
  BRLAdapterResource_fr fr;
  BRLAdapterResource_ja ja;
  for (const plat::text::ListResourceBundle* variant :
       std::initializer_list<const plat::text::ListResourceBundle*>{&de, &fr, &ja}) {
    const auto& contents = variant->getContents();
    ASSERT_EQ(contents.size(), base.size()) << variant->getClassName();
    for (std::size_t i = 0; i < base.size(); ++i) EXPECT_EQ(contents[i].key, base[i].key) << i;
    for (std::size_t i = 40; i < base.size(); ++i) EXPECT_EQ(contents[i].value, base[i].value) << i;
  }
  EXPECT_EQ(std::get<int>(ja.getContents()[39].value), 12);
  EXPECT_EQ(std::get<int>(de.getContents()[39].value), 11);
  EXPECT_EQ(ComputedColAdapterUIHelper::aggNotValidText("quenlora.Concat", "a@b"),
            "Aggregate calculation cannot be applied to rule a@b\nusing quenlora.Concat.\n"
            "Change the adapter to perform the calculation for single row change");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::adapter
