#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"

namespace plat::runvale {
namespace {

using plat::lang::ClassNotFoundException;

int sampleInitCount() {
  auto count = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "runvale_sample_init_count"));
  return count ? count() : -1;
}

TEST(ModuleLoader, ForNameLoadsTheMappedModuleWithDlopenAndRunsItsEntryOnce) {
  auto& registry = ClassRegistry::instance();
  ASSERT_FALSE(registry.isRegistered("sample.Greeter"));
  ASSERT_EQ(sampleInitCount(), -1) << "the sample module must not be linked into the tests";
  registry.mapPackagePrefix("sample.", "RunvaleSample");

  auto greeter = registry.newInstance("sample.Greeter");
  ASSERT_NE(greeter, nullptr);
  EXPECT_EQ(greeter->getClassName(), "sample.Greeter");
  EXPECT_EQ(sampleInitCount(), 1);
  EXPECT_TRUE(registry.isAssignableTo("sample.Greeter", "sample.Greeting"));

  auto methods = registry.getMethods("sample.Greeter");
  ASSERT_EQ(methods.size(), 1u);
  EXPECT_EQ(methods[0]->invoke(*greeter, {plat::lang::Value("you")}).getString(), "Hello, you");

  jpeLoadModule("RunvaleSample");
  EXPECT_THROW(registry.forName("sample.Missing"), ClassNotFoundException);
  EXPECT_EQ(sampleInitCount(), 1);
}

TEST(ModuleLoader, MissingLibraryIsClassNotFoundWithTheLoaderText) {
  try {
    jpeLoadModule("RunvaleNoSuchModule");
    FAIL() << "no exception";
  } catch (const ClassNotFoundException& e) {
    EXPECT_NE(e.getMessage().find("libRunvaleNoSuchModule.so"), std::string::npos) << e.getMessage();
  }
}

TEST(ModuleLoader, LoadedLibraryWithoutEntryPointIsClassNotFound) {
  // The platform library is in the process already but is no module.
  try {
    jpeLoadModule("plat_core");
    FAIL() << "no exception";
  } catch (const ClassNotFoundException& e) {
    EXPECT_NE(e.getMessage().find("runvale_module_init"), std::string::npos) << e.getMessage();
  }
}

TEST(ModuleLoader, ForNameInAMappedPackageWhoseModuleIsMissingNamesTheClassAndKeepsTheCause) {
  auto& registry = ClassRegistry::instance();
  registry.mapPackagePrefix("loadertest.", "RunvaleAbsentA");
  registry.mapPackagePrefix("loadertest.deeper.", "RunvaleAbsentB");
  try {
    registry.forName("loadertest.deeper.Thing");
    FAIL() << "no exception";
  } catch (const ClassNotFoundException& e) {
    EXPECT_EQ(e.getMessage(), "loadertest.deeper.Thing");
    ASSERT_NE(e.getCause(), nullptr);
    EXPECT_NE(e.getCause()->getMessage().find("libRunvaleAbsentB.so"), std::string::npos);
  }
}

}  // namespace
}  // namespace plat::runvale
