#include "platform/lang/System.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace plat::lang {
namespace {

TEST(ConsoleCapture, TakesOutputOfItsSinkOnly) {
  ConsoleCapture out(ConsoleCapture::Target::kOut);
  {
    ConsoleCapture err(ConsoleCapture::Target::kErr);
    System::out().println("a");
    System::out().print("b");
    System::out().println();
    System::err().println("problem");
    EXPECT_EQ(err.text(), "problem\n");
  }
  EXPECT_EQ(out.text(), "a\nb\n");
}

TEST(ConsoleCapture, BothKeepsTheOrderOfWriting) {
  ConsoleCapture both(ConsoleCapture::Target::kBoth);
  System::out().print("1");
  System::err().print("2");
  System::out().println("3");
  EXPECT_EQ(both.text(), "123\n");
  both.clear();
  System::err().println("x");
  EXPECT_EQ(both.text(), "x\n");
}

TEST(ConsoleCapture, NestedCapturesRestoreTheOuterOne) {
  ConsoleCapture outer;
  System::out().println("outer 1");
  {
    ConsoleCapture inner;
    System::out().println("inner");
    EXPECT_EQ(inner.text(), "inner\n");
  }
  System::out().println("outer 2");
  EXPECT_EQ(outer.text(), "outer 1\nouter 2\n");
}

TEST(ConsoleCapture, EndingOutOfOrderLeavesNoDanglingCapture) {
  ConsoleCapture outermost;
  auto older = std::make_unique<ConsoleCapture>();
  auto newer = std::make_unique<ConsoleCapture>();
  older.reset();  // ends while a newer capture is still alive
  System::out().println("to newer");
  newer.reset();
  System::out().println("to outermost");
  EXPECT_EQ(outermost.text(), "to outermost\n");
}

TEST(ConsoleCapture, LinesFromManyThreadsStayWhole) {
  constexpr int kThreads = 4;
  constexpr int kLines = 250;
  ConsoleCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) {
        System::out().println("thread " + std::to_string(t) + " line " + std::to_string(i) + " with some padding");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(capture.text());
  std::set<std::string> seen;
  std::string line;
  while (std::getline(lines, line)) {
    EXPECT_TRUE(seen.insert(line).second) << "repeated: " << line;
  }
  ASSERT_EQ(seen.size(), static_cast<size_t>(kThreads * kLines));
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kLines; ++i) {
      EXPECT_EQ(seen.count("thread " + std::to_string(t) + " line " + std::to_string(i) + " with some padding"), 1u);
    }
  }
}

TEST(System, Properties) {
  EXPECT_EQ(System::lineSeparator(), "\n");
  EXPECT_EQ(System::getProperty("line.separator"), std::optional<std::string>("\n"));
  EXPECT_EQ(System::getProperty("os.name"), std::optional<std::string>("Linux"));
  EXPECT_EQ(System::getProperty("user.dir"), std::optional<std::string>(std::filesystem::current_path().string()));
  EXPECT_EQ(System::getProperty("no.such.property"), std::nullopt);
  EXPECT_EQ(System::getProperty("no.such.property", "fallback"), "fallback");
  EXPECT_EQ(System::getProperty("os.name", "fallback"), "Linux");
}

TEST(System, CurrentTimeMillisIsTheWallClock) {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  const auto before = duration_cast<milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  const int64_t now = System::currentTimeMillis();
  const auto after = duration_cast<milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  EXPECT_LE(before, now);
  EXPECT_LE(now, after);
}

}  // namespace
}  // namespace plat::lang
