#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

#include <gtest/gtest.h>

#include "platform/runvale/ClassRegistry.h"
#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"
#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"

namespace quenlora::zafoli::db::beans::qbe::testing {

std::string translate(Dialect dialect, const std::string& cell, int engine, const std::string& column) {
  std::u16string units = plat::text::utf16::fromUtf8(cell + "\n");
  CellParser parser(units, column, dialect, engine, nullptr);
  return parser.parseInput();
}

namespace {

// Before any test: the classes are in the registry, and the process's translator and message bundle are made
// under the locale of the environment, as a program that starts in that locale makes them.
class QbeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    registerQbeClasses(plat::runvale::ClassRegistry::instance());
    QBEResourceLoader::getInstance();
    QBExlator();
  }
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QbeEnvironment);

}  // namespace

}  // namespace quenlora::zafoli::db::beans::qbe::testing
