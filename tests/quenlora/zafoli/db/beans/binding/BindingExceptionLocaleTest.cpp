// The default texts of the exception family in the language of the process: run with LC_ALL set to each of the
// bundle's languages; the plain run checks the environment the tests were started in.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/BindingResource.h"
#include "quenlora/zafoli/db/beans/binding/DataBindingException.h"
#include "quenlora/zafoli/db/beans/binding/IllegalRelationshipException.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

// What the process's own language bundle says, or the English base for any other language.
std::string expectedText(const std::string& key) {
  static const std::string language = plat::text::Locale::getDefault().getLanguage();
  if (language == "de") return BindingResource_de().getString(key);
  if (language == "fr") return BindingResource_fr().getString(key);
  if (language == "ja") return BindingResource_ja().getString(key);
  return BindingResource().getString(key);
}

TEST(BindingExceptionLocale, DefaultTextsFollowTheLanguage) {
  SCOPED_TRACE(plat::text::Locale::getDefault().toString());
  EXPECT_EQ(DataBindingException().getMessage(), expectedText("DataBindEx_Noreason"));
  EXPECT_EQ(RelationshipPendingException().getMessage(), expectedText("SynchronizerExcept_String"));
  EXPECT_EQ(IllegalRelationshipException().getMessage(), expectedText("IllegalExp_Exception"));
  EXPECT_EQ(PositionOutOfRangeException().getMessage(), expectedText("PositionExcep_Message"));
}

TEST(BindingExceptionLocale, EnglishTextsReadAsTheLibraryWritesThem) {
  const std::string language = plat::text::Locale::getDefault().getLanguage();
  if (language == "de" || language == "fr" || language == "ja") GTEST_SKIP() << "not an English process";
  EXPECT_EQ(DataBindingException().getMessage(), "No reason");
  EXPECT_EQ(RelationshipPendingException().getMessage(), "Synchronizer exception.");
  EXPECT_EQ(IllegalRelationshipException().getMessage(), "Attempt to establish an illegal relationship.");
  EXPECT_EQ(PositionOutOfRangeException().getMessage(), "Position out of range");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
