// The connectivity test: the host-name check, the ping argument vector, and the verdict for each way the
// command can end (run through a stand-in command, never the real ping).
#include <gtest/gtest.h>

#include <filesystem>

#include "claim/IPTester.h"
#include "claim/Parameters.h"
#include "tests/claim/ClaimDialogsSupport.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;

TEST(IPTester, HostNameCheck) {
  const struct {
    std::string host;
    bool ok;
  } cases[] = {
      {"127.0.0.1", true},
      {"host-1.example.net", true},
      {"::1", true},
      {"fe80::1", true},
      {"", false},
      {"-c", false},
      {"a b", false},
      {"a;rm -rf x", false},
      {"$(touch x)", false},
      {"host|cat", false},
      {"h\nx", false},
      {std::string(254, 'a'), false},
      {std::string(253, 'a'), true},
  };
  for (const auto& c : cases) EXPECT_EQ(IPTester::isValidHost(c.host), c.ok) << c.host;
}

TEST(IPTester, PingCommandPerSystem) {
  using V = std::vector<std::string>;
  EXPECT_EQ(IPTester::pingCommand("h", "Linux"), (V{"ping", "-c", "4", "-W", "4", "--", "h"}));
  EXPECT_EQ(IPTester::pingCommand("h", "Windows 98"), (V{"command.com", "/c", "ping", "h"}));
  EXPECT_EQ(IPTester::pingCommand("h", "Windows NT"), (V{"cmd.exe", "/c", "ping", "h"}));
  EXPECT_EQ(IPTester::pingCommand("h", "Windows 10"), (V{"cmd.exe", "/c", "ping", "h"}));
}

TEST(IPTester, VerdictTexts) {
  EXPECT_EQ(IPTester::verifiedText("10.0.0.1"), "Connection to Varodex Server (10.0.0.1) Verified.");
  EXPECT_EQ(IPTester::unreachableText("10.0.0.1"),
            "Varodex Server (10.0.0.1) could not be reached.  \n                Please Verify Internet Connection.");
}

struct CommandCase {
  const char* name;
  std::vector<std::string> command;  // "{}" stands for the host
  bool verified;
};

TEST(IPTester, VerdictForEachEndOfTheCommand) {
  const CommandCase cases[] = {
      {"answers", {"sh", "-c", "echo Reply from $0; exit 0", "{}"}, true},
      {"timed out with exit 0", {"sh", "-c", "echo; echo Request timed out.; exit 0"}, false},
      {"exit 1", {"sh", "-c", "echo Reply; exit 1"}, false},
      {"killed", {"sh", "-c", "kill -9 $$"}, false},
      {"missing", {"/nonexistent/ping-command"}, false},
  };
  for (const auto& c : cases) {
    TempWorkDir dir;
    Parameters::getInstance()->setRemoteIPAddresses({"127.0.0.9"});
    ScriptedDialogs dialogs;
    auto tester = std::make_shared<IPTester>(&dialogs, [&](const std::string& host) {
      auto v = c.command;
      for (auto& arg : v) {
        if (arg == "{}") arg = host;
      }
      return v;
    });
    ASSERT_TRUE(tester->join(20000)) << c.name;
    ASSERT_TRUE(dialogs.waitForBoxes(1, 1000)) << c.name;
    const auto box = dialogs.boxes().front();
    EXPECT_EQ(box.title, "Claimora - Varodex Connectivity") << c.name;
    EXPECT_EQ(box.text, c.verified ? IPTester::verifiedText("127.0.0.9") : IPTester::unreachableText("127.0.0.9"))
        << c.name;
    EXPECT_EQ(tester->isVerified(), c.verified) << c.name;
    EXPECT_TRUE(dir.logHas("Testing IP connection...")) << c.name;
    // A failure says why in the log.
    const auto lines = dir.logMessages();
    const bool causeLogged = std::any_of(lines.begin(), lines.end(),
                                         [](const std::string& m) { return m.rfind("IPTester.run():  ", 0) == 0; });
    EXPECT_EQ(causeLogged, !c.verified) << c.name;
  }
}

TEST(IPTester, RefusedHostNameRunsNoCommand) {
  TempWorkDir dir;
  Parameters::getInstance()->setRemoteIPAddresses({"-rf"});
  ScriptedDialogs dialogs;
  bool ran = false;
  auto tester = std::make_shared<IPTester>(&dialogs, [&](const std::string&) {
    ran = true;
    return std::vector<std::string>{"true"};
  });
  ASSERT_TRUE(tester->join(10000));
  EXPECT_FALSE(ran);
  EXPECT_FALSE(tester->isVerified());
  ASSERT_TRUE(dialogs.waitForBoxes(1, 1000));
  EXPECT_EQ(dialogs.boxes().front().text, IPTester::unreachableText("-rf"));
  EXPECT_TRUE(dir.logHas("IPTester.run():  unknown or refused host name: -rf"));
}

TEST(IPTester, HaltEndsAHangingCommandWithoutABox) {
  TempWorkDir dir;
  ScriptedDialogs dialogs;
  auto tester = std::make_shared<IPTester>(&dialogs, [](const std::string&) {
    return std::vector<std::string>{"sleep", "30"};
  });
  tester->Halt();
  ASSERT_TRUE(tester->join(10000));
  EXPECT_TRUE(dialogs.boxes().empty());
}

}  // namespace
