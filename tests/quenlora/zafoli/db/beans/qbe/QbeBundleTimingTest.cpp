// The translator takes its message bundle when the class is first used, from the default locale of that moment:
// a later change of the default locale does not change the language of its syntax errors. Runs as its own CTest
// entry, so that this test is the class's first use in the process.
#include <gtest/gtest.h>

#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

TEST(QbeBundleTiming, TheBundleIsTakenAtFirstConstruction) {
  const plat::text::Locale saved = plat::text::Locale::getDefault();
  plat::text::Locale::setDefault(plat::text::Locale("en", "US"));
  QBExlator translator;
  plat::text::Locale::setDefault(plat::text::Locale("de", "DE"));
  std::string message;
  try {
    QBExlator::xlatField(">>", "A");
  } catch (const QBExlatException& e) {
    message = e.getMessage();
  }
  plat::text::Locale::setDefault(saved);
  EXPECT_EQ(message.rfind("SYNTAX ERROR:", 0), 0u) << message;
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
