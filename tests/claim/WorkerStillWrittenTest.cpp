// A claim whose producer still holds it open for writing is never taken, however long the producer pauses: the
// worker on real files, a producer in a child process and the test clearing house; and the writer check itself,
// with and without the lease.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "claim/Claimora.h"
#include "claim/Parameters.h"
#include "claim/WriterCheck.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

constexpr int kBoundMs = 15000;
constexpr int kFileWaitMs = 100;
constexpr int kProducerLifeSeconds = 30;  // a producer left behind ends by itself

// A child process that creates `path`, writes the first `split` bytes of `bytes` and keeps the file open until
// finish(), when it writes the rest and closes it.
class Producer {
 public:
  Producer(const fs::path& path, const Bytes& bytes, std::size_t split) {
    int ready[2];
    int go[2];
    if (::pipe2(ready, O_CLOEXEC) != 0 || ::pipe2(go, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::alarm(kProducerLifeSeconds);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || ::write(fd, bytes.data(), split) != static_cast<ssize_t>(split)) ::_exit(1);
      char c = 'r';
      if (::write(ready[1], &c, 1) != 1) ::_exit(2);
      if (::read(go[0], &c, 1) != 1) ::_exit(3);  // the test went away: leave the file as it is
      const auto rest = static_cast<ssize_t>(bytes.size() - split);
      if (::write(fd, bytes.data() + split, bytes.size() - split) != rest || ::close(fd) != 0) ::_exit(4);
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(go[0]);
    goFd_ = go[1];
    pollfd p{ready[0], POLLIN, 0};
    char c = 0;
    const bool started = ::poll(&p, 1, kBoundMs) == 1 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
    if (!started) throw std::runtime_error("the producer did not start writing");
  }
  ~Producer() {
    if (goFd_ >= 0) ::close(goFd_);
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Producer(const Producer&) = delete;
  Producer& operator=(const Producer&) = delete;

  // Writes the rest, closes the file; true when the producer ended well.
  bool finish() {
    char c = 'g';
    if (::write(goFd_, &c, 1) != 1) return false;
    int status = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBoundMs);
    while (::waitpid(pid_, &status, WNOHANG) != pid_) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ended_ = true;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  pid_t pid_ = -1;
  int goFd_ = -1;
  bool ended_ = false;
};

const std::string kRecord =
    "51B11A01PHARMACY000001220261209\x1e\x1c"
    "AM20\x1c"
    "F4PAID";

TEST(StillWritten, ClaimHeldOpenByItsProducerIsTakenOnceClosedAndAnsweredOnce) {
  const Bytes claim = framedFile(claimOf(60));
  const struct {
    const char* name;
    std::size_t split;
  } cases[] = {{"producer pauses after 30 bytes", 30}, {"file created empty and held open", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir wd;
    ASSERT_TRUE(installKeyStore());
    fs::create_directory("working");
    ClearingHouseServer server;
    server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
    writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() + "\nremote_clear_port=" +
                            std::to_string(server.port()) + "\nfile_wait=" + std::to_string(kFileWaitMs) + "\n");
    Parameters::getInstance()->read();
    Claimora worker;
    worker.setUp();
    EXPECT_TRUE(wd.logHasPrefix("Claimora.run():  Claims still open for writing are found by a read lease"));

    Producer producer("working/a.clm", claim, c.split);
    // Dated back, the file passes the stillness rule from the second round on: only the writer check holds it.
    backdate("working");
    for (int round = 0; round < 4; ++round) {
      worker.processRound();
      std::this_thread::sleep_for(std::chrono::milliseconds(3 * kFileWaitMs));
    }
    EXPECT_EQ(readFile("working/a.clm"), Bytes(claim.begin(), claim.begin() + static_cast<long>(c.split)));
    EXPECT_FALSE(fs::exists("working/a.clm.bad"));
    EXPECT_FALSE(fs::exists("working/a.rsp"));
    EXPECT_TRUE(wd.outcomes("a.clm").empty());
    EXPECT_EQ(wd.logCount("a.clm is still being written; waiting"), 1) << "once per claim";
    EXPECT_EQ(server.connectionCount(), 0u);

    ASSERT_TRUE(producer.finish());
    settledRound(worker);
    ASSERT_TRUE(server.waitForConnections(1, kBoundMs));
    ASSERT_EQ(server.received().size(), 1u);
    EXPECT_EQ(server.received()[0].request, cat({bytesOf("006500000"), claimOf(60)}));
    const auto outcomes = wd.outcomes("a.clm");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_NE(outcomes[0].find("sent with response <working/a.rsp>"), std::string::npos) << outcomes[0];
    EXPECT_FALSE(fs::exists("working/a.clm"));
    EXPECT_FALSE(fs::exists("working/a.clm.sending")) << "the in-flight file goes once the answer is written";
  }
}

TEST(StillWritten, WriterCheckByLeaseAndByFolderEvents) {
  enum class File { WrittenAndOpen, EmptyAndOpen, Closed };
  using V = WriterCheck::Verdict;
  const struct {
    bool leases;
    File file;
    V verdict;
  } cases[] = {
      {true, File::WrittenAndOpen, V::Writing},
      {true, File::EmptyAndOpen, V::Writing},
      {true, File::Closed, V::Free},
      {false, File::WrittenAndOpen, V::Writing},
      {false, File::EmptyAndOpen, V::Writing},
      {false, File::Closed, V::Unknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.leases ? "lease, " : "events, ") + std::to_string(static_cast<int>(c.file)));
    TempWorkDir wd;
    WriterCheck check(wd.path().string(), c.leases);
    ASSERT_EQ(check.leases(), c.leases);
    ASSERT_TRUE(check.events());
    const int writer = ::open("x.clm", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(writer, 0);
    if (c.file != File::EmptyAndOpen) ASSERT_EQ(::write(writer, "abc", 3), 3);
    if (c.file == File::Closed) ::close(writer);
    const int reader = ::open("x.clm", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(check.check(reader, "x.clm"), c.verdict);
    ::close(reader);
    if (c.file != File::Closed) ::close(writer);
  }
}

}  // namespace

namespace {

// A claim that goes between the listing and its reading is logged as gone, never as badly formatted.
TEST(StillWritten, ClaimVanishedAfterTheListingIsLoggedAsVanished) {
  TempWorkDir wd;
  ASSERT_TRUE(installKeyStore());
  fs::create_directory("working");
  ClearingHouseServer server;
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
  writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() +
                          "\nremote_clear_port=" + std::to_string(server.port()) + "\n");
  Parameters::getInstance()->read();
  RecordingListener listener;
  std::string gone;
  listener.onCell = [&gone](int column, const std::string& text) {
    // The first claim read takes the other one away; both were listed.
    if (column == 0 && gone.empty() && (text == "a.clm" || text == "b.clm")) {
      gone = text == "a.clm" ? "b.clm" : "a.clm";
      fs::remove("working/" + gone);
    }
  };
  Claimora worker(&listener);
  worker.setUp();
  writeFile("working/a.clm", framedFile(claimOf(60)));
  writeFile("working/b.clm", framedFile(claimOf(60)));
  backdate("working");
  worker.processRound();
  worker.processRound();
  ASSERT_FALSE(gone.empty());
  EXPECT_TRUE(wd.logHas("Claimora.run():  Claim file <" + gone + "> vanished before it could be read."));
  EXPECT_FALSE(wd.logHas("Claimora.run():  Claim File Not Properly Formatted, <" + gone + ">"));
  EXPECT_EQ(wd.outcomes(gone),
            std::vector<std::string>{"Outcome <" + gone + ">, host none: gone before it could be read."});
  EXPECT_EQ(server.connectionCount(), 1u);
}

}  // namespace
