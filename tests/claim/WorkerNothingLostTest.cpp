// No claim and no answer lost: the worker on real files against the test clearing house with scripted faults.
// Every scenario ends with each claim as exactly one of a response file, a set-aside ".bad" file or a claim still
// waiting in the send folder, and with the outcome line in system.log that names it.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "claim/ClaimProgram.h"
#include "claim/Claimora.h"
#include "claim/Parameters.h"
#include "claim/Reset.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

constexpr int kBoundMs = 15000;  // upper bound of every wait; nothing here is timed

const std::string kRecord =
    "51B11A01PHARMACY000001220261209\x1e\x1c"
    "AM20\x1c"
    "F4PAID";

enum class End { Response, SetAside, Waiting };

struct Expect {
  std::string claim;
  End end;
  std::string says;  // part of its outcome line
};

// The path named in an outcome line after `marker` ("response <", "set aside as <", ...), or empty.
std::string pathAfter(const std::string& line, const std::string& marker) {
  const auto at = line.find(marker);
  if (at == std::string::npos) return "";
  const auto from = at + marker.size();
  return line.substr(from, line.find('>', from) - from);
}

// Each claim name's outcome lines, in order, against its expected ends; the claim file itself is gone unless the
// last expectation of its name leaves it waiting.
void expectEnds(const TempWorkDir& wd, const fs::path& sendDir, const std::vector<Expect>& expects) {
  std::map<std::string, std::vector<Expect>> byName;
  for (const auto& e : expects) byName[e.claim].push_back(e);
  for (const auto& [name, list] : byName) {
    SCOPED_TRACE(name);
    const auto lines = wd.outcomes(name);
    ASSERT_EQ(lines.size(), list.size()) << "one outcome line per claim handled";
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string& line = lines[i];
      EXPECT_NE(line.find(list[i].says), std::string::npos) << line;
      switch (list[i].end) {
        case End::Response: {
          std::string path = pathAfter(line, "kept in the send folder as <");
          if (path.empty()) path = pathAfter(line, "response <");
          EXPECT_TRUE(!path.empty() && fs::is_regular_file(path)) << line;
          break;
        }
        case End::SetAside: {
          const std::string path = pathAfter(line, "set aside as <");
          EXPECT_TRUE(!path.empty() && fs::is_regular_file(path)) << line;
          EXPECT_EQ(line.find("response <"), std::string::npos) << line;
          break;
        }
        case End::Waiting:
          EXPECT_NE(line.find("left "), std::string::npos) << line;
          break;
      }
    }
    EXPECT_EQ(fs::exists(fs::symlink_status(sendDir / name)), list.back().end == End::Waiting);
  }
}

// Runs `body` on a thread of its own that has given up the capabilities that let root pass over permission bits.
// Capabilities belong to the thread and end with it, so a file's or folder's mode refuses the worker (which runs
// on that thread) whether or not the tests run as root; the rest of the process keeps them.
template <class Body>
void withoutPermissionOverride(Body body) {
  std::thread thread([&body] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    ASSERT_EQ(::syscall(SYS_capget, &header, data), 0);
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
      // The permitted set too: access() checks a real root against it.
      data[cap / 32].effective &= ~(1u << (cap % 32));
      data[cap / 32].permitted &= ~(1u << (cap % 32));
      data[cap / 32].inheritable &= ~(1u << (cap % 32));
    }
    ASSERT_EQ(::syscall(SYS_capset, &header, data), 0) << "the permission override could not be given up";
    body();
  });
  thread.join();
}

struct Context {
  TempWorkDir& wd;
  ClearingHouseServer& server;
  RecordingListener& listener;
  Claimora& worker;
};

struct Scenario {
  std::string name;
  std::string settings;  // added to the settings that point at the server
  std::function<void(Context&)> run;
  std::vector<Expect> expects;
  std::string sendDir = "working";
};

TEST(NothingLost, EachClaimEndsAsResponseSetAsideOrWaiting) {
  const Bytes good = framedFile(claimOf(60));
  const Bytes unknownHeader = framedFile(claimOf(60, "0007"));
  // Names as long as a name may be (255 bytes): the claim and its response, or the claim and its set-aside file.
  const std::string longSent(251, 'n');
  const std::string longSmall(251, 's');
  const std::string longBad(247, 'b');
  const std::vector<Scenario> scenarios = {
      {"claim written in two parts with a pause",
       "file_wait=60000",
       [&](Context& c) {
         const Bytes first(good.begin(), good.begin() + 30);
         writeFile("working/a.clm", first);
         c.worker.processRound();
         c.worker.processRound();
         EXPECT_EQ(readFile("working/a.clm"), first) << "a claim still being written is never taken";
         EXPECT_TRUE(c.wd.outcomes("a.clm").empty());
         writeFile("working/a.clm", good);
         settledRound(c.worker);
         ASSERT_TRUE(c.server.waitForConnections(1, kBoundMs));
         EXPECT_EQ(c.server.received()[0].request, cat({bytesOf("006500000"), claimOf(60)}));
       },
       {{"a.clm", End::Response, "sent with response <working/a.rsp>"}}},
      {"file created empty, then filled",
       "file_wait=60000",
       [&](Context& c) {
         writeFile("working/e.clm", {});
         c.worker.processRound();
         c.worker.processRound();
         EXPECT_TRUE(fs::exists("working/e.clm"));
         EXPECT_FALSE(fs::exists("working/e.clm.bad"));
         writeFile("working/e.clm", good);
         settledRound(c.worker);
       },
       {{"e.clm", End::Response, "sent with response <working/e.rsp>"}}},
      {"junk and an unknown header with the server down",
       "",
       [&](Context& c) {
         c.server.stop();
         writeText("working/junk.clm", "this is no claim at all, nothing to frame\n");
         writeFile("working/odd.clm", unknownHeader);
         settledRound(c.worker);
         EXPECT_EQ(readFile("working/odd.clm.bad"), unknownHeader) << "the claim's own bytes are kept";
         EXPECT_EQ(readFile("working/junk.clm.bad"), bytesOf("this is no claim at all, nothing to frame\n"));
       },
       {{"junk.clm", End::SetAside, "no reject layout fits (QOV:  <STX> Not Found.)"},
        {"odd.clm", End::SetAside, "no reject layout fits (QOV:  Failed To Send Claim.  Check Internet Connection.)"}}},
      {"response folder removed after a good send",
       "receive_dir=out",
       [&](Context& c) {
         c.listener.onCell = [](int column, const std::string& text) {
           if (column == 1 && text == "Awaiting Response") fs::remove_all("out");
         };
         writeFile("working/a.clm", good);
         settledRound(c.worker);
         c.listener.onCell = nullptr;
         EXPECT_FALSE(c.listener.sawResult("Results:  Claim Successfully Sent."));
         EXPECT_TRUE(c.listener.sawResult("Results:  Response Kept In Send Folder, <working/a.rsp>"));
         const Bytes rsp = readFile("working/a.rsp");
         EXPECT_NE(std::string(rsp.begin(), rsp.end()).find("F4PAID"), std::string::npos);
       },
       {{"a.clm", End::Response, "kept in the send folder as <working/a.rsp> (receive folder: "}}},
      {"two claims with the same stem, and one stem sent twice",
       "",
       [&](Context& c) {
         writeFile("working/b.clm", good);
         writeFile("working/b.CLM", good);
         settledRound(c.worker);
         writeFile("working/b.clm", good);
         settledRound(c.worker);
         for (const char* n : {"working/b.rsp", "working/b~2.rsp", "working/b~3.rsp"}) {
           EXPECT_TRUE(fs::is_regular_file(n)) << n;
         }
         EXPECT_TRUE(c.wd.logHasPrefix("Claimora.logResponse():  <b.rsp> is taken;"));
       },
       {{"b.clm", End::Response, "sent with response <working/b"},
        {"b.CLM", End::Response, "sent with response <working/b"},
        {"b.clm", End::Response, "sent with response <working/b"}}},
      {"server closes without an answer",
       "",
       [&](Context& c) {
         ConnectionScript closing;
         closing.kind = ConnectionScript::Kind::CloseWithoutAnswer;
         c.server.setDefaultScript(closing);
         writeFile("working/a.clm", good);
         settledRound(c.worker);
         EXPECT_TRUE(c.wd.logHasPrefix("Varodex.getData():  Connection closed by the server [claim <a.clm>, host 127.0.0.1:"));
       },
       {{"a.clm", End::Response, "rejected with \"QOV:  NO RESPONSE.\", response <working/a.rsp>"}}},
      {"a claim that cannot be read stays",
       "",
       [&](Context& c) {
         fs::create_symlink("nowhere.clm", "working/lost.clm");
         settledRound(c.worker);
         c.worker.processRound();
       },
       {{"lost.clm", End::Waiting, "left for a retry, the file cannot be read"}}},
      {"an unreadable claim is taken once its mode is mended",
       "",
       [&](Context& c) {
         withoutPermissionOverride([&] {
           writeFile("working/a.clm", good);
           backdate("working");
           fs::permissions("working/a.clm", fs::perms::none);
           for (int i = 0; i < 3; ++i) c.worker.processRound();
           EXPECT_EQ(c.wd.logCount("Claimora.run():  Claim File Not Found, <a.clm>"), 1) << "a lasting cause, once";
           EXPECT_FALSE(fs::exists("working/a.rsp"));
           fs::permissions("working/a.clm", fs::perms::owner_read | fs::perms::owner_write);
           EXPECT_EQ(readFile("working/a.clm"), good);
           c.worker.processRound();
           c.worker.processRound();
         });
       },
       {{"a.clm", End::Waiting, "left for a retry, the file cannot be read"},
        {"a.clm", End::Response, "sent with response <working/a.rsp>"}}},
      {"an undeletable claim is sent once its folder takes the delete",
       "receive_dir=out",
       [&](Context& c) {
         withoutPermissionOverride([&] {
           writeFile("working/a.clm", good);
           backdate("working");
           fs::permissions("working", fs::perms::owner_read | fs::perms::owner_exec);
           for (int i = 0; i < 4; ++i) c.worker.processRound();
           EXPECT_EQ(c.wd.logCountPrefix("Claimora.run():  Claim File Not Deleted, <a.clm>"), 1);
           EXPECT_TRUE(c.server.received().empty()) << "a claim that cannot be deleted is not sent";
           EXPECT_EQ(readFile("working/a.clm"), good);
           fs::permissions("working", fs::perms::owner_all);
           c.worker.processRound();
           c.worker.processRound();
         });
       },
       {{"a.clm", End::Waiting, "left for a retry, the file could not be deleted before sending"},
        {"a.clm", End::Response, "sent with response <out/a.rsp>"}}},
      {"names of the longest length get their response, reject or set-aside file",
       "",
       [&](Context& c) {
         writeFile("working/" + longSent + ".clm", good);
         writeFile("working/" + longSmall + ".clm", framedFile(claimOf(46)));
         settledRound(c.worker);
         c.server.stop();
         writeFile("working/" + longBad + ".clm", unknownHeader);
         settledRound(c.worker);
         EXPECT_EQ(readFile("working/" + longBad + ".clm.bad"), unknownHeader);
       },
       {{longSent + ".clm", End::Response, "sent with response <working/" + longSent + ".rsp>"},
        {longSmall + ".clm", End::Response,
         "rejected with \"QOV:  CLAIM TOO SMALL.\", response <working/" + longSmall + ".rsp>"},
        {longBad + ".clm", End::SetAside, "set aside as <working/" + longBad + ".clm.bad>"}}},
      {"a format error is answered before the claim goes",
       "",
       [&](Context& c) {
         writeFile("working/small.clm", framedFile(claimOf(46)));
         settledRound(c.worker);
       },
       {{"small.clm", End::Response, "rejected with \"QOV:  CLAIM TOO SMALL.\", response <working/small.rsp>"}}},
  };
  for (const auto& s : scenarios) {
    SCOPED_TRACE(s.name);
    TempWorkDir wd;
    ASSERT_TRUE(installKeyStore());
    fs::create_directory("working");
    fs::create_directory("out");
    ClearingHouseServer server;
    server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
    writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() + "\nremote_clear_port=" +
                            std::to_string(server.port()) + "\nremote_timeout=5000\n" + s.settings + "\n");
    Parameters::getInstance()->read();
    ASSERT_TRUE(Parameters::getInstance()->problems().empty());
    RecordingListener listener;
    Claimora worker(&listener);
    worker.setUp();
    Context c{wd, server, listener, worker};
    s.run(c);
    expectEnds(wd, s.sendDir, s.expects);
  }
}

TEST(NothingLost, HostResetThreadMovesTheRotationBack) {
  TempWorkDir wd;
  ASSERT_TRUE(installKeyStore());
  fs::create_directory("working");
  ClearingHouseServer server;
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
  writeText("cm.ini", "security=off\nremote_ipaddress=127.0.0.2," + server.address() +
                          "\nremote_clear_port=" + std::to_string(server.port()) + "\n");
  auto& params = *Parameters::getInstance();
  params.read();
  Claimora worker;
  worker.setUp();
  writeFile("working/one.clm", framedFile(claimOf(60)));
  settledRound(worker);
  writeFile("working/two.clm", framedFile(claimOf(60)));
  settledRound(worker);
  ASSERT_EQ(params.getCurrentIP(), 1);

  params.setResetTime(1);
  {
    Reset reset;
    reset.start();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBoundMs);
    while (params.getCurrentIP() != 0 && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reset.Halt();
  }
  ASSERT_EQ(params.getCurrentIP(), 0);
  writeFile("working/three.clm", framedFile(claimOf(60)));
  settledRound(worker);

  const std::string port = std::to_string(server.port());
  expectEnds(wd, "working",
             {{"one.clm", End::Response, "host 127.0.0.2:" + port + ": rejected with \"QOV:  FAILED TO SEND CLAIM."},
              {"two.clm", End::Response, "host 127.0.0.1:" + port + ": sent with response"},
              {"three.clm", End::Response, "host 127.0.0.2:" + port + ": rejected"}});
}

TEST(NothingLost, HaltEndsAnExchangeWithoutTimeOutAtOnce) {
  TempWorkDir wd;
  ASSERT_TRUE(installKeyStore());
  fs::create_directory("working");
  ClearingHouseServer server;
  ConnectionScript silent;
  silent.kind = ConnectionScript::Kind::NeverAnswer;
  silent.pauseMs = ClearingHouseServer::kMaxHoldMs;
  server.setDefaultScript(silent);
  writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() + "\nremote_clear_port=" +
                          std::to_string(server.port()) + "\nremote_timeout=0\nfile_wait=100\n");
  Parameters::getInstance()->read();
  writeFile("working/a.clm", framedFile(claimOf(60)));
  backdate("working");
  RecordingListener listener;
  std::atomic<bool> waiting{false};
  listener.onCell = [&](int column, const std::string& text) {
    if (column == 1 && text == "Awaiting Response") waiting = true;
  };
  auto worker = std::make_shared<Claimora>(&listener);
  worker->start();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBoundMs);
  while (!waiting && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(waiting);
  worker->Halt();
  // The server would stay silent for kMaxHoldMs; the stop must not wait for it.
  ASSERT_TRUE(worker->join(kBoundMs));
  EXPECT_EQ(listener.system().back(), "System:  Stopped");
  expectEnds(wd, "working", {{"a.clm", End::Response, "rejected with \"QOV:  NO RESPONSE.\""}});
}

TEST(NothingLost, ResetWithoutAWorkerStartsOne) {
  TempWorkDir wd;
  ASSERT_TRUE(installKeyStore());
  fs::create_directory("working");
  writeText("cm.ini", "security=off\n");
  Parameters::getInstance()->read();
  RecordingListener listener;
  ClaimProgram program(&listener);
  EXPECT_EQ(program.worker(), nullptr);
  program.reset();
  ASSERT_NE(program.worker(), nullptr);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBoundMs);
  while (listener.system().size() < 2 && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(listener.system(), (std::vector<std::string>{"System:  Resetting", "System:  Clear"}));
  EXPECT_TRUE(wd.logHas("System resetting."));
}

struct SettingsCase {
  std::string settings;
  std::string logLine;  // a line that names the mistake
};

TEST(NothingLost, SettingsMistakesShowInTheSystemField) {
  const std::vector<SettingsCase> cases = {
      {"colour=blue", "Parameters.read():  Unknown key <colour> on line <colour=blue>, ignored."},
      {"send_ack=perhaps",
       "Parameters.read():  Value <perhaps> of <send_ack> refused (on or off); the setting is "
       "unchanged."},
      {"receive_dir=nowhere", "Parameters.read():  Receive directory <nowhere> does not exist; it stays <working\\>."},
      {"", "Claimora.run():  Send directory <working\\> does not exist."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    TempWorkDir wd;
    ASSERT_TRUE(installKeyStore());
    if (!c.settings.empty()) fs::create_directory("working");
    writeText("cm.ini", "security=off\n" + c.settings + "\n");
    Parameters::getInstance()->read();
    RecordingListener listener;
    Claimora worker(&listener);
    worker.setUp();
    EXPECT_TRUE(wd.logHas(c.logLine));
    EXPECT_EQ(listener.system(), std::vector<std::string>{"System:  Settings Error, see system.log"});
  }
}

}  // namespace
