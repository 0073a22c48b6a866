#include "claim/SystemLog.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/claim/ClaimTestSupport.h"

namespace {

using claimtest::TempWorkDir;

std::vector<std::string> rawLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

TEST(SystemLog, LineIsEnglishDateSeparatorAndMessage) {
  TempWorkDir wd;
  SystemLog log("own.log");
  log.writeLog("Claimora.run():  something");
  const auto lines = rawLines("own.log");
  ASSERT_EQ(lines.size(), 2u);
  const std::regex form(
      "(Mon|Tue|Wed|Thu|Fri|Sat|Sun) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-3][0-9] "
      "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [A-Za-z0-9+:-]+ [0-9]{4}  --  Claimora\\.run\\(\\):  something");
  EXPECT_TRUE(std::regex_match(lines[1], form)) << lines[1];
  EXPECT_NE(lines[0].find("  --  System Log Started."), std::string::npos);
}

TEST(SystemLog, EachStartAppendsToTheSameFile) {
  TempWorkDir wd;
  {
    SystemLog first("twice.log");
    first.writeLog("one");
    first.closeLog();
  }
  {
    SystemLog second("twice.log");
    second.closeLog();
  }
  std::vector<std::string> messages;
  for (const auto& line : rawLines("twice.log")) messages.push_back(line.substr(line.find("  --  ") + 6));
  EXPECT_EQ(messages, (std::vector<std::string>{"System Log Started.", "one", "System Log Stopped.", "System Stopped.",
                                                "System Log Started.", "System Log Stopped.", "System Stopped."}));
}

TEST(SystemLog, WritingAfterCloseDoesNothing) {
  TempWorkDir wd;
  SystemLog log("closed.log");
  log.closeLog();
  log.writeLog("late");
  log.closeLog();
  EXPECT_TRUE(log.isClosed());
  EXPECT_EQ(rawLines("closed.log").size(), 3u);
}

TEST(SystemLog, UnopenableFileFallsBackToStandardError) {
  TempWorkDir wd;
  testing::internal::CaptureStderr();
  {
    SystemLog log("no/such/dir/system.log");
    EXPECT_TRUE(log.isFallback());
    log.writeLog("still visible");
    log.closeLog();
    log.writeLog("after close");
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("  --  System Log Started.\n"), std::string::npos);
  EXPECT_NE(err.find("  --  still visible\n"), std::string::npos);
  EXPECT_NE(err.find("  --  System Stopped.\n"), std::string::npos);
  EXPECT_EQ(err.find("after close"), std::string::npos);
}

TEST(SystemLog, SharedInstanceWritesIntoTheWorkingDirectory) {
  TempWorkDir wd;
  SystemLog::getInstance()->writeLog("shared");
  EXPECT_TRUE(wd.logHas("shared"));
}

TEST(SystemLog, LinesOfSeveralThreadsNeverInterleave) {
  TempWorkDir wd;
  constexpr int kThreads = 4;
  constexpr int kLines = 500;
  {
    SystemLog log("busy.log");
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&log, t] {
        const std::string text = "thread " + std::to_string(t) + " " + std::string(200, static_cast<char>('a' + t));
        for (int i = 0; i < kLines; ++i) log.writeLog(text);
      });
    }
    for (auto& th : threads) th.join();
  }
  const auto lines = rawLines("busy.log");
  ASSERT_EQ(lines.size(), 1u + kThreads * kLines);
  const std::regex form(".*  --  thread ([0-3]) (a{200}|b{200}|c{200}|d{200})");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, form)) << lines[i];
    EXPECT_EQ(m[2].str()[0], 'a' + (m[1].str()[0] - '0'));
  }
}

}  // namespace
