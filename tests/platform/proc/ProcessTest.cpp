#include "platform/proc/ProcessBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/io/BufferedReader.h"
#include "platform/io/IOException.h"
#include "platform/io/InputStreamReader.h"
#include "platform/thread/ThreadExceptions.h"

namespace plat::proc {
namespace {

constexpr std::int64_t kHangGuardMs = 20'000;

std::string drain(plat::io::InputStream& in) {
  std::string text;
  std::uint8_t buf[256];
  for (int n; (n = in.read(buf, sizeof buf)) > 0;) text.append(reinterpret_cast<char*>(buf), static_cast<size_t>(n));
  return text;
}

TEST(Process, EchoOutputAndExitCode) {
  auto p = ProcessBuilder({"/bin/echo", "hello", "world"}).start();
  EXPECT_EQ(drain(*p->getInputStream()), "hello world\n");
  EXPECT_EQ(p->waitFor(), 0);
  EXPECT_FALSE(p->isAlive());
  EXPECT_EQ(p->exitValue(), 0);
}

TEST(Process, ArgumentsReachTheProgramUnchanged) {
  // No shell: blanks, quotes and dollars are plain characters.
  auto p = ProcessBuilder({"printf", "%s|", "a b", "'c'", "$HOME", ""}).start();
  EXPECT_EQ(drain(*p->getInputStream()), "a b|'c'|$HOME||");
  EXPECT_EQ(p->waitFor(), 0);
}

TEST(Process, ExitCodes) {
  struct Case {
    std::vector<std::string> command;
    int code;
  };
  const Case cases[] = {
      {{"true"}, 0},
      {{"false"}, 1},
      {{"sh", "-c", "exit 42"}, 42},
      {{"sh", "-c", "kill -9 $$"}, 128 + 9},
  };
  for (const auto& c : cases) {
    auto p = ProcessBuilder(c.command).start();
    EXPECT_EQ(p->waitFor(), c.code) << c.command.back();
  }
}

TEST(Process, ErrorStreamSeparateOrMerged) {
  auto separate = ProcessBuilder({"sh", "-c", "echo out; echo err 1>&2"}).start();
  EXPECT_EQ(drain(*separate->getInputStream()), "out\n");
  EXPECT_EQ(drain(*separate->getErrorStream()), "err\n");
  EXPECT_EQ(separate->waitFor(), 0);

  auto merged = ProcessBuilder({"sh", "-c", "echo out; echo err 1>&2"}).redirectErrorStream(true).start();
  EXPECT_EQ(drain(*merged->getInputStream()), "out\nerr\n");
  EXPECT_EQ(merged->getErrorStream()->read(), -1);
  EXPECT_EQ(merged->waitFor(), 0);
}

TEST(Process, StandardInputReachesTheChild) {
  auto p = ProcessBuilder({"cat"}).start();
  const std::string text = "line one\nline two\n";
  p->getOutputStream()->write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  p->getOutputStream()->close();
  plat::io::BufferedReader reader(plat::lang::makeRef<plat::io::InputStreamReader>(p->getInputStream()));
  EXPECT_EQ(reader.readLine(), std::optional<std::string>("line one"));
  EXPECT_EQ(reader.readLine(), std::optional<std::string>("line two"));
  EXPECT_EQ(reader.readLine(), std::nullopt);
  EXPECT_EQ(p->waitFor(), 0);
}

TEST(Process, WritingToAnEndedChildIsAnIOExceptionNotASignal) {
  auto p = ProcessBuilder({"true"}).start();
  ASSERT_EQ(p->waitFor(), 0);
  const std::vector<std::uint8_t> block(1 << 16, 'x');
  EXPECT_THROW(p->getOutputStream()->write(block), plat::io::IOException);
}

TEST(Process, BoundedWaitAndKill) {
  auto p = ProcessBuilder({"sleep", "60"}).start();
  EXPECT_THROW(p->exitValue(), plat::thread::IllegalThreadStateException);
  EXPECT_FALSE(p->waitFor(1));
  EXPECT_TRUE(p->isAlive());
  p->destroyForcibly();
  ASSERT_TRUE(p->waitFor(kHangGuardMs));
  EXPECT_EQ(p->exitValue(), 128 + 9);
}

TEST(Process, DiscardingARunningProcessKillsIt) {
  pid_t pid = 0;
  {
    auto p = ProcessBuilder({"sleep", "60"}).start();
    pid = p->pid();
  }
  // The child was reaped: its id no longer names a child of ours.
  EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
}

TEST(Process, MissingCommandCannotStart) {
  try {
    ProcessBuilder({"no-such-command-xyz", "-c", "1"}).start();
    ADD_FAILURE() << "started";
  } catch (const plat::io::IOException& e) {
    EXPECT_EQ(e.getMessage(), "Cannot run program \"no-such-command-xyz\": error=2, No such file or directory");
  }
  EXPECT_THROW(ProcessBuilder({}).start(), plat::io::IOException);
  EXPECT_THROW(ProcessBuilder({"/etc/passwd"}).start(), plat::io::IOException);
}

}  // namespace
}  // namespace plat::proc
