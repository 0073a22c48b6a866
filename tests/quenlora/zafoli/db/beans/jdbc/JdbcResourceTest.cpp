// The JDBC beans bundle: 49 pairs, the same keys in the same order in every language, and the loader's report when
// a family is missing.
#include <gtest/gtest.h>

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResource.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

TEST(JdbcResourceBundle, EveryLanguageHasTheSameKeysInOrder) {
  JdbcResource en;
  const auto& base = en.getContents();
  ASSERT_EQ(base.size(), 49u);
  EXPECT_EQ(base.front().key, "ConnectFailed OK");
  EXPECT_EQ(base[17].key, "JDBC");
  EXPECT_EQ(std::get<std::string>(base[17].value), "Data Source");
  EXPECT_EQ(std::get<std::string>(base[43].value), " functionaly, you must implement the method \"");
  EXPECT_EQ(base.back().key, "");
  JdbcResource_de de;
  JdbcResource_fr fr;
  JdbcResource_ja ja;
  for (const plat::text::ListResourceBundle* variant :
       std::initializer_list<const plat::text::ListResourceBundle*>{&de, &fr, &ja}) {
    const auto& contents = variant->getContents();
    ASSERT_EQ(contents.size(), base.size()) << variant->getClassName();
    for (std::size_t i = 0; i < base.size(); ++i) EXPECT_EQ(contents[i].key, base[i].key) << i;
  }
  EXPECT_EQ(std::get<std::string>(de.getContents()[1].value), "Abbrechen");
}

TEST(JdbcResourceBundle, AMissingFamilyIsReportedAndTheEnglishBaseAnswers) {
  plat::lang::ConsoleCapture err(plat::lang::ConsoleCapture::Target::kErr);
  auto loader = JdbcResourceLoader::forBaseName("quenlora.zafoli.db.beans.jdbc.Missing");
  EXPECT_EQ(loader->getBundle(), nullptr);
  EXPECT_EQ(err.text().rfind("Could not load [quenlora.zafoli.db.beans.jdbc.Missing]\n", 0), 0u) << err.text();
  EXPECT_EQ(loader->getString("ConnectFailed Untitled"), "Untitled");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
