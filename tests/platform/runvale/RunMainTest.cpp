#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MainClass.h"

namespace plat::runvale {
namespace {

std::vector<std::string> lastArgs;

class EchoMain : public plat::lang::Object, public MainClass {
 public:
  int main(const std::vector<std::string>& args) override {
    lastArgs = args;
    return static_cast<int>(args.size()) + 40;
  }
};

class ThrowingMain : public plat::lang::Object, public MainClass {
 public:
  int main(const std::vector<std::string>&) override { throw plat::lang::IllegalStateException("boom"); }
};

class NotAMain : public plat::lang::Object {};

void registerMains() {
  auto& registry = ClassRegistry::instance();
  registry.registerClass({"runmain.Echo", [] { return plat::lang::makeRef<EchoMain>(); }, {}, ""});
  registry.registerClass({"runmain.Throwing", [] { return plat::lang::makeRef<ThrowingMain>(); }, {}, ""});
  registry.registerClass({"runmain.NotAMain", [] { return plat::lang::makeRef<NotAMain>(); }, {}, ""});
}

TEST(RunMain, CallsMainWithTheArgumentsAndReturnsItsCode) {
  registerMains();
  EXPECT_EQ(jpeRunMain("runmain.Echo", {"a", "b"}), 42);
  EXPECT_EQ(lastArgs, (std::vector<std::string>{"a", "b"}));
}

TEST(RunMain, FailuresEndWithCodeOneAndTheRuntimeText) {
  registerMains();
  struct Case {
    const char* mainClass;
    const char* text;
  };
  const Case cases[] = {
      {"runmain.Missing",
       "Error: Could not find or load main class runmain.Missing\n"
       "Caused by: plat::lang::ClassNotFoundException: runmain.Missing\n"},
      {"runmain.NotAMain", "Error: Main method not found in class runmain.NotAMain\n"},
      {"runmain.Throwing", "Exception in thread \"main\" plat::lang::IllegalStateException: boom\n"},
  };
  for (const auto& c : cases) {
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
    EXPECT_EQ(jpeRunMain(c.mainClass, {}), 1) << c.mainClass;
    EXPECT_EQ(capture.text(), c.text);
  }
}

TEST(RunMainDeathTest, SysExitFlushesBufferedOutputAndEndsWithTheCode) {
  auto file = std::filesystem::temp_directory_path() / ("sysexit_" + std::to_string(::getpid()) + ".txt");
  EXPECT_EXIT(
      {
        if (!std::freopen(file.c_str(), "w", stdout)) std::_Exit(99);
        std::printf("buffered ");
        plat::lang::System::out().print("sink");
        sysExit(3);
      },
      ::testing::ExitedWithCode(3), "");
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(file);
  EXPECT_EQ(text, "buffered sink");
}

}  // namespace
}  // namespace plat::runvale
