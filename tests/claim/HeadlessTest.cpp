// The program without a window, run as a child process: claims in and responses out (also when nobody reads the
// status lines), SIGHUP as Reset, SIGTERM as Exit with the log's stop lines (also in the middle of a connect that
// has no time-out), and the one-shot connectivity test with a stand-in ping on PATH.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "testkit/fixtures/CertificateFixtures.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;

constexpr int kWaitMs = 15000;

fs::path programPath() {
  return fs::read_symlink("/proc/self/exe").parent_path() / "Claimora";
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Where the child's standard output goes: "out.txt", or a pipe nobody reads, whose read end is closed at once.
enum class Output { File, ClosedPipe };

// The program in a working directory (the window when `arg` is empty), its standard output as `output` says;
// killed if the test leaves it running.
class Child {
 public:
  Child(const fs::path& dir, const std::string& arg, const std::string& path = "", Output output = Output::File) {
    int pipeFds[2] = {-1, -1};
    if (output == Output::ClosedPipe && ::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      if (::chdir(dir.c_str()) != 0) ::_exit(120);
      const int fd = output == Output::File ? ::open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644) : pipeFds[1];
      ::dup2(fd, 1);
      if (!path.empty()) ::setenv("PATH", path.c_str(), 1);
      ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it; this test process ignores the signal
      const std::string program = programPath().string();
      if (arg.empty()) {
        // The window, on the screen-less platform.
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      }
      ::execl(program.c_str(), program.c_str(), arg.c_str(), static_cast<char*>(nullptr));
      ::_exit(121);
    }
    for (int fd : pipeFds) {
      if (fd >= 0) ::close(fd);
    }
  }
  ~Child() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  void signal(int sig) const { ::kill(pid_, sig); }
  // The exit code, or -1 when the child did not end within timeoutMs.
  int waitExit(int timeoutMs = kWaitMs) {
    int status = 0;
    const bool ended = waitUntil([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, timeoutMs);
    if (!ended) return -1;
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

int countLines(const fs::path& file, const std::string& line) {
  std::ifstream in(file);
  std::string l;
  int n = 0;
  while (std::getline(in, l)) n += l == line ? 1 : 0;
  return n;
}

// The server answers every claim; the settings send to it in clear, claims from out\ and responses into in\.
void answerInClear(testkit::ClearingHouseServer& server) {
  server.setDefaultScript(
      testkit::ConnectionScript::answerAtOnce("51B11A01PHARMACY\x1c"
                                              "AM20"));
  fs::create_directories("out");
  fs::create_directories("in");
  writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() + "\nremote_clear_port=" +
                          std::to_string(server.port()) + "\nfile_wait=50\nsend_dir=out\\\nreceive_dir=in\\\n");
}

TEST(Headless, ClaimsInResponsesOutResetOnHangupExitOnTerm) {
  TempWorkDir dir;
  ASSERT_TRUE(installKeyStore());
  testkit::ClearingHouseServer server;
  answerInClear(server);
  Child child(dir.path(), "--headless");
  const auto out = dir.path() / "out.txt";
  ASSERT_TRUE(waitUntil([&] { return countLines(out, "System:  Clear") == 1; }));

  writeFile("out/one.clm", framedFile(claimOf(60)));
  ASSERT_TRUE(waitUntil([] { return fs::exists("in/one.rsp"); }));
  EXPECT_TRUE(waitUntil([&] { return countLines(out, "Results:  Claim Successfully Sent.") == 1; }));

  child.signal(SIGHUP);
  ASSERT_TRUE(waitUntil([&] { return countLines(out, "System:  Clear") == 2; }));
  EXPECT_EQ(countLines(out, "System:  Resetting"), 1);
  EXPECT_TRUE(dir.logHas("System resetting."));
  writeFile("out/two.clm", framedFile(claimOf(60)));
  ASSERT_TRUE(waitUntil([] { return fs::exists("in/two.rsp"); }));

  child.signal(SIGTERM);
  EXPECT_EQ(child.waitExit(), 0);
  const auto lines = dir.logMessages();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "System Log Stopped.");
  EXPECT_EQ(lines.back(), "System Stopped.");
  EXPECT_FALSE(fs::exists("jwin.dat")) << "no window, no position";
}

// Status lines that nobody reads any more fail quietly; the claims go on.
TEST(Headless, ClaimsAreAnsweredWhenNobodyReadsTheStatusLines) {
  TempWorkDir dir;
  ASSERT_TRUE(installKeyStore());
  testkit::ClearingHouseServer server;
  answerInClear(server);
  Child child(dir.path(), "--headless", "", Output::ClosedPipe);
  writeFile("out/one.clm", framedFile(claimOf(60)));
  ASSERT_TRUE(waitUntil([] { return fs::exists("in/one.rsp"); }));
  ASSERT_TRUE(waitUntil([&] { return dir.outcomes("one.clm").size() == 1; }));
  EXPECT_NE(dir.outcomes("one.clm").front().find(": sent with response <in/one.rsp>"), std::string::npos);

  child.signal(SIGTERM);
  EXPECT_EQ(child.waitExit(), 0);
  EXPECT_TRUE(dir.logHas("System Stopped."));
}

// A loopback port whose accept queue is full, so the system drops every further SYN and a connect to it waits;
// there is no thread, and the port closes with the object.
class SynDroppingPort {
 public:
  SynDroppingPort() {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (listener_ < 0 || filler_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(listener_, 0) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&sa), &len) != 0 ||
        ::connect(filler_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
      throw std::runtime_error("no loopback listener with a full accept queue");
    }
    port_ = ntohs(sa.sin_port);
  }
  ~SynDroppingPort() {
    ::close(filler_);
    ::close(listener_);
  }
  SynDroppingPort(const SynDroppingPort&) = delete;
  SynDroppingPort& operator=(const SynDroppingPort&) = delete;
  int port() const { return port_; }

 private:
  int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);  // the one connection the queue holds
  int port_ = 0;
};

// Without a time-out a connect or a handshake waits as long as the other side is silent; Exit still ends it, and
// the claim gets its reject.
TEST(Headless, ExitEndsAConnectOrHandshakeWithoutTimeOut) {
  constexpr int kExitWaitMs = 10000;  // far below how long the silence lasts
  for (const bool secure : {false, true}) {
    SCOPED_TRACE(secure ? "handshake with a server that stays silent" : "connect to a port that drops SYNs");
    TempWorkDir dir;
    ASSERT_TRUE(installKeyStore());
    SynDroppingPort dropping;
    testkit::ClearingHouseServer silent;  // clear TCP: it never answers a client hello
    testkit::ConnectionScript never;
    never.kind = testkit::ConnectionScript::Kind::NeverAnswer;
    never.pauseMs = testkit::ClearingHouseServer::kMaxHoldMs;
    silent.setDefaultScript(never);
    const std::string port = std::to_string(secure ? silent.port() : dropping.port());
    fs::create_directories("out");
    fs::create_directories("in");
    writeText("cm.ini", std::string("security=") + (secure ? "on" : "off") +
                            "\nremote_ipaddress=127.0.0.1\nremote_secure_port=" + port + "\nremote_clear_port=" + port +
                            "\nremote_timeout=0\nfile_wait=50\nsend_dir=out\\\nreceive_dir=in\\\n");
    Child child(dir.path(), "--headless");
    writeFile("out/one.clm", framedFile(claimOf(60)));
    ASSERT_TRUE(waitUntil([&] { return countLines(dir.path() / "out.txt", "Status:  Connecting") == 1; }));

    child.signal(SIGTERM);
    ASSERT_EQ(child.waitExit(kExitWaitMs), 0);
    const auto outcomes = dir.outcomes("one.clm");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0], "Outcome <one.clm>, host 127.0.0.1:" + port +
                               ": rejected with \"QOV:  FAILED TO SEND CLAIM.  CHECK INTERNET CONNECTION.\", "
                               "response <in/one.rsp>.");
    EXPECT_TRUE(fs::is_regular_file("in/one.rsp"));
    EXPECT_TRUE(dir.logHas("System Stopped."));
  }
}

// A run killed while the clearing house holds the answer leaves the claim in flight; the next start answers it
// with the reject for a missing response and never sends it again.
TEST(Headless, ClaimInFlightWhenKilledIsAnsweredAtTheNextStartAndNeverResent) {
  TempWorkDir dir;
  ASSERT_TRUE(installKeyStore());
  testkit::ClearingHouseServer server;
  answerInClear(server);
  testkit::ConnectionScript holding;
  holding.kind = testkit::ConnectionScript::Kind::NeverAnswer;
  holding.pauseMs = testkit::ClearingHouseServer::kMaxHoldMs;
  server.pushScript(holding);
  {
    Child child(dir.path(), "--headless");
    writeFile("out/a.clm", framedFile(claimOf(60)));
    ASSERT_TRUE(waitUntil([&] { return countLines(dir.path() / "out.txt", "Status:  Awaiting Response") == 1; }));
    child.signal(SIGKILL);
    EXPECT_EQ(child.waitExit(), 128 + SIGKILL);
  }
  EXPECT_TRUE(dir.logHas("Claimora.run():  Claim <a.clm> in flight as <out/a.clm.sending>."));
  EXPECT_TRUE(fs::exists("out/a.clm.sending"));
  EXPECT_FALSE(fs::exists("out/a.clm"));
  EXPECT_FALSE(fs::exists("in/a.rsp"));
  writeText("out/notes.sending", "not a claim of ours\n");

  Child again(dir.path(), "--headless");
  ASSERT_TRUE(waitUntil([] { return fs::exists("in/a.rsp"); }));
  writeFile("out/b.clm", framedFile(claimOf(60)));
  ASSERT_TRUE(waitUntil([] { return fs::exists("in/b.rsp"); }));
  again.signal(SIGTERM);
  EXPECT_EQ(again.waitExit(), 0);

  EXPECT_TRUE(
      dir.logHas("Claimora.run():  The earlier run ended during the exchange of <a.clm> (in flight as "
                 "<out/a.clm.sending>); it is answered as an exchange without response and never sent again."));
  const auto outcomes = dir.outcomes("a.clm");
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0], "Outcome <a.clm>, host unknown: rejected with \"QOV:  NO RESPONSE.\", response <in/a.rsp>.");
  const Bytes rsp = readFile("in/a.rsp");
  EXPECT_NE(std::string(rsp.begin(), rsp.end()).find("QOV:  NO RESPONSE."), std::string::npos);
  EXPECT_FALSE(fs::exists("out/a.clm.sending"));
  EXPECT_EQ(readFile("out/notes.sending"), bytesOf("not a claim of ours\n")) << "only in-flight claims are answered";
  // a once (the held connection), b once: nothing went twice.
  ASSERT_TRUE(server.waitForConnections(2, kWaitMs));
  EXPECT_EQ(server.connectionCount(), 2u);
}

// The window ends on SIGTERM as Exit does, without the question: the claim in hand gets its answer first. SIGHUP
// resets it, and a second program in the same folder says it is not needed and ends.
TEST(Window, TermExitsAfterTheClaimInHandHangupResetsSecondInstanceEnds) {
  TempWorkDir dir;
  ASSERT_TRUE(installKeyStore());
  testkit::ClearingHouseServer server;
  answerInClear(server);
  server.pushScript(
      testkit::ConnectionScript::twoParts("51B11A01PHARMACY\x1c"
                                          "AM20",
                                          3, 1000));
  Child child(dir.path(), "");
  ASSERT_TRUE(waitUntil([&] { return dir.logHasPrefix("Claimora.run():  Claims still open for writing"); }));

  std::string output;
  EXPECT_EQ(
      testkit::runCommand(
          {"sh", "-c", "cd '" + dir.path().string() + "' && exec '" + programPath().string() + "' --headless 2>&1"},
          kWaitMs, &output),
      1);
  EXPECT_NE(output.find("another Claimora is already running in " + dir.path().string()), std::string::npos) << output;

  child.signal(SIGHUP);
  ASSERT_TRUE(waitUntil([&] { return dir.logHas("System resetting."); }));
  writeFile("out/a.clm", framedFile(claimOf(60)));
  ASSERT_TRUE(
      waitUntil([&] { return dir.logHas("Claimora.run():  Claim <a.clm> in flight as <out/a.clm.sending>."); }));
  child.signal(SIGTERM);
  EXPECT_EQ(child.waitExit(), 0);
  const auto outcomes = dir.outcomes("a.clm");
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_NE(outcomes[0].find(": sent with response <in/a.rsp>"), std::string::npos) << outcomes[0];
  EXPECT_FALSE(fs::exists("out/a.clm.sending"));
  const auto lines = dir.logMessages();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), "System Stopped.");
  EXPECT_TRUE(fs::exists("jwin.dat")) << "the position is saved as at Exit";
}

struct CommandLineCase {
  std::vector<std::string> args;
  bool withDisplay;
  int exitCode;
  std::string says;  // part of what the program prints
};

TEST(CommandLine, OptionsAndTheMissingDisplay) {
  const std::vector<CommandLineCase> cases = {
      {{"--help"}, false, 0, "--headless"},          {{"--help"}, false, 0, "jssecerts"},
      {{"--version"}, false, 0, "Claimora v1.39"},   {{"--bogus"}, false, 2, "unknown option --bogus"},
      {{}, false, 2, "Run \"Claimora --headless\""},
  };
  for (const auto& c : cases) {
    TempWorkDir dir;
    std::vector<std::string> argv{"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY"};
    if (!c.withDisplay) argv.insert(argv.end(), {"-u", "QT_QPA_PLATFORM"});
    argv.push_back(programPath().string());
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(argv.back());
    std::string output;
    EXPECT_EQ(testkit::runCommand(argv, kWaitMs, &output), c.exitCode);
    EXPECT_NE(output.find(c.says), std::string::npos) << output;
  }
}

TEST(Headless, InterruptActsAsExitToo) {
  TempWorkDir dir;
  Child child(dir.path(), "--headless");
  ASSERT_TRUE(waitUntil([&] { return countLines(dir.path() / "out.txt", "System:  Initializing") == 1; }));
  child.signal(SIGINT);
  EXPECT_EQ(child.waitExit(), 0);
  EXPECT_TRUE(dir.logHas("System Stopped."));
}

TEST(Headless, TestConnectionExitCodeFollowsThePing) {
  const struct {
    const char* name;
    const char* script;
    int exitCode;
  } cases[] = {
      {"answers", "#!/bin/sh\necho \"Reply from $7\"\nexit 0\n", 0},
      {"timed out", "#!/bin/sh\necho 'Request timed out.'\nexit 0\n", 1},
      {"fails", "#!/bin/sh\nexit 1\n", 1},
  };
  for (const auto& c : cases) {
    TempWorkDir dir;
    writeText("cm.ini", "remote_ipaddress=127.0.0.1\n");
    fs::create_directory("bin");
    writeText("bin/ping", c.script);
    fs::permissions("bin/ping", fs::perms::owner_all);
    Child child(dir.path(), "--test-connection", (dir.path() / "bin").string() + ":/usr/bin:/bin");
    EXPECT_EQ(child.waitExit(), c.exitCode) << c.name;
    EXPECT_TRUE(dir.logHas("Testing IP connection...")) << c.name;
  }
}

}  // namespace
