// A module that nothing links: the registry tests load it by name through a package prefix, with dlopen.
#include <string>
#include <vector>

#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"
#include "platform/runvale/ModuleInit.h"

namespace {

int initCount = 0;

class Greeter : public plat::lang::Object {
 public:
  std::string getClassName() const override { return "sample.Greeter"; }
  std::string greet(const std::string& who) const { return "Hello, " + who; }
};

}  // namespace

// How often the entry point ran, for the tests that check it runs once.
extern "C" int runvale_sample_init_count() {
  return initCount;
}

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  ++initCount;
  registry.registerClass({"sample.Greeter", [] { return plat::lang::makeRef<Greeter>(); }, {"sample.Greeting"}, ""});
  registry.registerClass({"sample.Greeting", nullptr, {}, ""});
  registry.addMethod("sample.Greeter",
                     {"greet",
                      {"java.lang.String"},
                      "java.lang.String",
                      [](plat::lang::Object& target, const std::vector<plat::lang::Value>& args) {
                        return plat::lang::Value(static_cast<Greeter&>(target).greet(args[0].getString()));
                      }});
  // An entry point that asks for its own module while it runs must not run again or wait for itself.
  plat::runvale::jpeLoadModule("RunvaleSample");
}
