// Before any test of the binding and utility packages: their bundles are in the class registry, as the module
// entry of the library puts them there.
#include <gtest/gtest.h>

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingServices.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

class BindingEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { registerBindingServices(plat::runvale::ClassRegistry::instance()); }
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new BindingEnvironment);

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
