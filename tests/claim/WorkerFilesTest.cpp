// The worker on real files without a clearing house: listing, format errors, rejects written as response files,
// and the file-system faults it must survive.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "claim/Claimora.h"
#include "claim/FileFilter.h"
#include "claim/FileFind.h"
#include "claim/FormatResponse.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;

#define REQUIRE_KEY_STORE() ASSERT_TRUE(installKeyStore()) << "the key store could not be made"

// The reject payload the worker must write for `file` and `message` (default framing, offset 0).
Bytes expectedReject(const Bytes& file, const std::string& message) {
  Claimora cutter;
  const Bytes head(file.begin(), file.begin() + static_cast<long>(std::min<std::size_t>(file.size(), 4096)));
  cutter.cutClaim(head, 0, 0, static_cast<std::int64_t>(file.size()));
  const int end = cutter.buildReject(message, 0);
  const auto rsp = cutter.getResponse();
  return end > 9 ? Bytes(rsp.begin() + 9, rsp.begin() + end) : Bytes{};
}

TEST(FileFind, ListsTheExtensionInThreeCasesOnce) {
  TempWorkDir wd;
  for (const char* name : {"a.clm", "a.CLM", "a.Clm", "a.b.clm", "b.rsp", "clm", ".clm", "c.clmx"}) {
    writeText(name, "x");
  }
  FileFind find;
  ASSERT_TRUE(find.setDir("."));
  ASSERT_TRUE(find.getList("clm"));
  std::vector<std::string> names;
  while (auto n = find.nextFile()) names.push_back(*n);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".clm", "a.CLM", "a.b.clm", "a.clm"}));
  EXPECT_FALSE(find.nextFile().has_value());
  EXPECT_FALSE(find.getList("nothing"));
  EXPECT_FALSE(find.setDir("no_such_dir"));
  EXPECT_FALSE(find.getList("clm"));
}

TEST(FileFilter, AcceptTable) {
  struct Case {
    std::string ext, name;
    bool accepted;
  };
  const std::vector<Case> cases = {{"clm", "a.clm", true}, {"clm", "a.CLM", false}, {"clm", "aclm", false},
                                   {"clm", "clm", false},  {"clm", ".clm", true},   {"", "abc", true},
                                   {"", "abc.", false},    {"CLM", "x.y.CLM", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(FileFilter(c.ext).accept(c.name), c.accepted) << c.ext << " " << c.name;
  }
  EXPECT_EQ(FileFind::concat({"a"}, {"b", "c"}), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(FileFind::concat({}, {}), std::vector<std::string>{});
}

struct FormatCase {
  std::string name;
  Bytes file;
  std::string message;  // the reject text; the file holds it upper-cased
  std::string logLine;
  Bytes prefix;  // the file's bytes through its STX
};

TEST(Worker, FormatErrorsGetARejectResponseFile) {
  const std::vector<FormatCase> cases = {
      {"46 bytes", framedFile(claimOf(46)), "QOV:  Claim Too Small.",
       "Claimora.getData():  Claim Too Small = 46 bytes.", one(kStx)},
      {"no STX", cat({claimOf(60), one(kEtx)}), "QOV:  <STX> Not Found.", "Claimora.getData():  <STX> not found.", {}},
      {"no ETX", cat({one(kStx), claimOf(60)}), "QOV:  <ETX> Not Found.", "Claimora.getData():  <ETX> not found.",
       one(kStx)},
      {"ETX before STX", cat({one(kEtx), claimOf(60), one(kStx), claimOf(60)}), "QOV:  Claim Too Small.",
       "Claimora.getData():  Claim Too Small = -62 bytes.", cat({one(kEtx), claimOf(60), one(kStx)})},
      {"4097 bytes", framedFile(claimOf(4095)), "QOV:  Claim Too Large.",
       "Claimora.getData():  File Too Large = 4097 bytes.", one(kStx)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir wd;
    REQUIRE_KEY_STORE();
    fs::create_directory("working");
    writeFile("working/a.clm", c.file);
    RecordingListener listener;
    Claimora worker(&listener);
    worker.setUp();
    settledRound(worker);

    EXPECT_FALSE(fs::exists("working/a.clm"));
    const Bytes payload = expectedReject(c.file, c.message);
    ASSERT_FALSE(payload.empty());
    // Default framing: the file through its STX, payload, ETX, check byte.
    const Bytes expected = cat({c.prefix, payload, one(kEtx), one(lrcOf(payload))});
    EXPECT_EQ(readFile("working/a.rsp"), expected);
    const std::string text(payload.begin(), payload.end());
    std::string upper = c.message;
    for (auto& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_NE(text.find("F4" + upper), std::string::npos);
    EXPECT_TRUE(wd.logHas(c.logLine));
    EXPECT_TRUE(wd.logHas("Claimora.run():  Claim File Not Properly Formatted, <a.clm>"));
    EXPECT_TRUE(listener.sawResult("Results:  Claim File Not Properly Formatted, <a.clm>"));
    EXPECT_EQ(listener.system(), std::vector<std::string>{"System:  Secure"});
    EXPECT_EQ(listener.cells(1).back(), " ");
  }
}

// Sets the process's file-mode mask for the life of the object.
class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
  ~UmaskScope() { ::umask(previous_); }
  UmaskScope(const UmaskScope&) = delete;
  UmaskScope& operator=(const UmaskScope&) = delete;

 private:
  mode_t previous_;
};

TEST(Worker, ResponseFileTakesTheModeOfAPlainCreate) {
  struct Case {
    mode_t umask;
    mode_t mode;
  };
  for (const Case c : {Case{027, 0640}, Case{022, 0644}, Case{007, 0660}}) {
    SCOPED_TRACE(testing::Message() << "umask 0" << std::oct << c.umask);
    TempWorkDir wd;
    REQUIRE_KEY_STORE();
    fs::create_directory("working");
    writeFile("working/a.clm", framedFile(claimOf(46)));
    Claimora worker;
    worker.setUp();
    {
      UmaskScope mask(c.umask);
      settledRound(worker);
    }
    struct stat st {};
    ASSERT_EQ(::stat("working/a.rsp", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.mode) << std::oct << "mode 0" << (st.st_mode & 07777);
  }
}

TEST(Worker, ClaimWithoutAFittingLayoutGetsNoResponseFile) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("working");
  writeFile("working/a.clm", framedFile(claimOf(46, "0007")));
  Claimora worker;
  worker.setUp();
  settledRound(worker);
  EXPECT_FALSE(fs::exists("working/a.clm"));
  EXPECT_FALSE(fs::exists("working/a.rsp"));
  EXPECT_TRUE(wd.logHas("Claimora.run():  Claim File Not Properly Formatted, <a.clm>"));
}

TEST(Worker, ListedNamesWithTheWrongExtensionAreLeftAlone) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("working");
  for (const char* name : {"a.CLM", "b.clm", "c.Clm", "d.b.clm"})
    writeFile(fs::path("working") / name, framedFile(claimOf(46)));
  Claimora worker;
  worker.setUp();
  settledRound(worker);
  EXPECT_FALSE(fs::exists("working/a.CLM"));
  EXPECT_FALSE(fs::exists("working/b.clm"));
  EXPECT_TRUE(fs::exists("working/a.rsp"));
  EXPECT_TRUE(fs::exists("working/b.rsp"));
  EXPECT_TRUE(fs::exists("working/c.Clm"));
  EXPECT_TRUE(fs::exists("working/d.b.clm"));
  EXPECT_FALSE(fs::exists("working/d.rsp"));
}

TEST(Worker, EmptyClaimIsSetAsideWithoutResponse) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("working");
  writeFile("working/e.clm", {});
  RecordingListener listener;
  Claimora worker(&listener);
  worker.setUp();
  settledRound(worker);
  settledRound(worker);
  EXPECT_FALSE(fs::exists("working/e.clm"));
  EXPECT_TRUE(fs::exists("working/e.clm.bad"));
  EXPECT_FALSE(fs::exists("working/e.rsp"));
  EXPECT_EQ(wd.logCount("Claimora.getData():  File Empty, will try again."), 1);
  EXPECT_TRUE(listener.sawResult("Results:  Claim File Not Properly Formatted, <e.clm>"));
}

TEST(Worker, EmptyClaimNeverReplacesAnEarlierBadFile) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("working");
  writeFile("working/e.clm", {});
  writeText("working/e.clm.bad", "earlier");
  Claimora worker;
  worker.setUp();
  settledRound(worker);
  EXPECT_FALSE(fs::exists("working/e.clm"));
  EXPECT_EQ(readFile("working/e.clm.bad"), bytesOf("earlier"));
  EXPECT_TRUE(fs::exists("working/e.clm~2.bad"));
  EXPECT_EQ(
      wd.outcomes("e.clm"),
      std::vector<std::string>{"Outcome <e.clm>, host none: set aside as <working/e.clm~2.bad>, the file is empty."});
}

TEST(Worker, MissingReceiveDirectoryLeavesTheClaim) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("in");
  writeText("cm.ini", "send_dir=in\n");
  Parameters::getInstance()->read();
  const Bytes claim = framedFile(claimOf(46));
  writeFile("in/a.clm", claim);
  RecordingListener listener;
  Claimora worker(&listener);
  worker.setUp();
  settledRound(worker, "in");
  settledRound(worker, "in");
  EXPECT_EQ(readFile("in/a.clm"), claim);
  EXPECT_TRUE(listener.sawResult("Results:  Receive Directory Not Writable, <working\\>"));
  int reported = 0;
  for (const auto& m : wd.logMessages())
    reported += m.starts_with("Claimora.run():  Receive Directory Not Writable") ? 1 : 0;
  EXPECT_EQ(reported, 1);

  fs::create_directory("working");
  settledRound(worker, "in");
  EXPECT_FALSE(fs::exists("in/a.clm"));
  EXPECT_TRUE(fs::exists("working/a.rsp"));
}

TEST(Worker, DirectoryWithAClaimNameIsNoClaim) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directories("working/d.clm");
  Claimora worker;
  worker.setUp();
  for (int i = 0; i < 3; ++i) worker.processRound();
  EXPECT_TRUE(fs::is_directory("working/d.clm"));
  EXPECT_EQ(wd.logCount("Claimora.run():  Not A Claim File, <d.clm>"), 1);
  EXPECT_FALSE(fs::exists("working/d.rsp"));
}

TEST(Worker, HaltedWorkerFinishesTheFileInHandAndStops) {
  TempWorkDir wd;
  REQUIRE_KEY_STORE();
  fs::create_directory("working");
  writeFile("working/a.clm", framedFile(claimOf(46)));
  writeFile("working/b.clm", framedFile(claimOf(46)));
  RecordingListener listener;
  auto worker = std::make_shared<Claimora>(&listener);
  std::string first;
  listener.onCell = [&](int column, const std::string& text) {
    if (column == 0 && text != " " && first.empty()) {
      first = text;
      worker->Halt();
    }
  };
  worker->start();
  ASSERT_TRUE(worker->join(30000));
  ASSERT_FALSE(first.empty());
  const std::string other = first == "a.clm" ? "b.clm" : "a.clm";
  EXPECT_FALSE(fs::exists("working/" + first));
  EXPECT_TRUE(fs::exists("working/" + other));
  EXPECT_EQ(listener.system().back(), "System:  Stopped");
  EXPECT_EQ(listener.results().back(), "Results:  ");
}

TEST(Worker, MissingKeyStoreEndsTheWorker) {
  TempWorkDir wd;
  fs::create_directory("working");
  writeFile("working/a.clm", framedFile(claimOf(46)));
  RecordingListener listener;
  auto worker = std::make_shared<Claimora>(&listener);
  worker->start();
  ASSERT_TRUE(worker->join(30000));
  ASSERT_FALSE(listener.system().empty());
  EXPECT_EQ(listener.system().back(), "System:  Error -- jssecerts (No such file or directory)");
  bool logged = false;
  for (const auto& m : wd.logMessages()) logged = logged || m.starts_with("Claimora.run():  Error -- ");
  EXPECT_TRUE(logged);
  EXPECT_TRUE(fs::exists("working/a.clm"));
}

// Runs `body` in a child process under an unprivileged user, so that directory permissions bind even when the
// tests run as root; the child's exit code is the verdict.
template <class Body>
void asUnprivilegedChild(Body body) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
        std::_Exit(body() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(Worker, UnwritableReceiveDirectoryLeavesTheClaim) {
  asUnprivilegedChild([] {
    TempWorkDir wd;
    if (!installKeyStore()) return false;
    fs::create_directory("in");
    fs::create_directory("out");
    writeText("cm.ini", "send_dir=in\nreceive_dir=out\n");
    Parameters::getInstance()->read();
    writeFile("in/a.clm", framedFile(claimOf(46)));
    fs::permissions("out", fs::perms::owner_read | fs::perms::owner_exec);
    Claimora worker;
    worker.setUp();
    settledRound(worker, "in");
    const bool ok =
        fs::exists("in/a.clm") && !fs::exists("out/a.rsp") &&
        wd.logHas("Claimora.run():  Receive Directory Not Writable, <out>, claims left in the send directory.");
    fs::permissions("out", fs::perms::owner_all);
    return ok;
  });
}

}  // namespace
