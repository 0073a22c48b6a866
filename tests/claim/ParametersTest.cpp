#include "claim/Parameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using claimtest::TempWorkDir;
using claimtest::writeText;

Parameters& readSettings(const std::string& text) {
  writeText("cm.ini", text);
  auto p = Parameters::getInstance();
  p->read();
  return *p;
}

TEST(Parameters, DefaultsWithoutSettingsFile) {
  TempWorkDir wd;
  auto& p = *Parameters::getInstance();
  p.read();
  EXPECT_EQ(p.getClaimExtension(), "clm");
  EXPECT_EQ(p.getResponseExtension(), "rsp");
  EXPECT_EQ(p.getSendDirectory(), "working\\");
  EXPECT_EQ(p.getReceiveDirectory(), "working\\");
  EXPECT_EQ(p.getRemoteHosts(), Parameters::originalIP());
  EXPECT_EQ(p.getRemoteHosts().size(), 4u);
  EXPECT_EQ(p.getCurrentIP(), 0);
  EXPECT_EQ(p.getDataOffset(), 0);
  EXPECT_EQ(p.getFileWait(), 500);
  EXPECT_EQ(p.getConnectWait(), 15000);
  EXPECT_EQ(p.getResetTime(), 1800000);
  EXPECT_EQ(p.getRemoteTimeout(), 60000);
  EXPECT_EQ(p.getRemotePort(0), 1262);
  EXPECT_EQ(p.getRemotePort(1), 1261);
  EXPECT_FALSE(p.getSendAck());
  EXPECT_TRUE(p.getSecurity());
  EXPECT_TRUE(p.getReset());
  EXPECT_FALSE(p.getLogStats());
  EXPECT_FALSE(p.showSecurity());
  EXPECT_TRUE(p.writeCheckSum());
  EXPECT_FALSE(p.isFramed());
  EXPECT_FALSE(p.isNotFramed());
  EXPECT_THROW(p.getRemotePort(2), plat::lang::IndexOutOfBoundsException);
  // No settings file: nothing is logged beyond the log's own start line.
  EXPECT_EQ(wd.logMessages(), std::vector<std::string>{"System Log Started."});
}

struct KeyCase {
  std::string line;
  std::string logLine;  // empty: no line expected besides the closing one
  std::function<bool(const Parameters&)> check;
};

TEST(Parameters, EveryKeyTakesItsValueAndLogsIt) {
  const std::vector<KeyCase> cases = {
      {"claim_ext=abc", "Claim extension reset to abc.", [](auto& p) { return p.getClaimExtension() == "abc"; }},
      {"CLAIMRES_EXT  RES", "Response extension reset to RES.",
       [](auto& p) { return p.getResponseExtension() == "RES"; }},
      {"connect_wait=2999", "Wait connect reset to 2999 milliseconds.",
       [](auto& p) { return p.getConnectWait() == 2999; }},
      {"reset_time=119999", "System resets every 119999 milliseconds.",
       [](auto& p) { return p.getResetTime() == 119999; }},
      {"data_offset=2", "Data offset reset to 2.", [](auto& p) { return p.getDataOffset() == 2; }},
      {"data_offset=4049", "Data offset reset to 4049.", [](auto& p) { return p.getDataOffset() == 4049; }},
      {"file_wait=1999", "File wait reset to 1999 milliseconds.", [](auto& p) { return p.getFileWait() == 1999; }},
      {"file_wait=+1000", "File wait reset to 1 seconds.", [](auto& p) { return p.getFileWait() == 1000; }},
      {"file_wait=0", "File wait reset to 0 seconds.", [](auto& p) { return p.getFileWait() == 0; }},
      {"remote_clear_port=7001", "Remote clear port reset to 7001.",
       [](auto& p) { return p.getRemotePort(1) == 7001 && p.getRemotePort(0) == 1262; }},
      {"remote_secure_port=65535", "Remote secure port reset to 65535.",
       [](auto& p) { return p.getRemotePort(0) == 65535; }},
      {"remote_timeout=1500", "Remote timeout reset to 1500 milliseconds.",
       [](auto& p) { return p.getRemoteTimeout() == 1500; }},
      {"remote_ipaddress=a.example,b.example;c.example", "IP Addresses reset to ( a.example b.example c.example ).",
       [](auto& p) {
         return p.getRemoteHosts() == std::vector<std::string>{"a.example", "b.example", "c.example"};
       }},
      {"send_ack=ON", "Send ack is ON.", [](auto& p) { return p.getSendAck(); }},
      {"reset=off", "Reset is OFF.", [](auto& p) { return !p.getReset(); }},
      {"log_stats=On", "Log statistics is ON.", [](auto& p) { return p.getLogStats(); }},
      {"security=off", "Security is OFF.", [](auto& p) { return !p.getSecurity(); }},
      {"show_security=on", "Display security is ON.", [](auto& p) { return p.showSecurity(); }},
      {"write_checksum=OFF", "Write CheckSum is OFF.", [](auto& p) { return !p.writeCheckSum(); }},
      {"frame=TRUE", "Using Framed file format.", [](auto& p) { return p.isFramed() && !p.isNotFramed(); }},
      {"dovecrest true", "Using Framed file format.", [](auto& p) { return p.isFramed(); }},
      {"no_frame=true", "Using simple claim file format.", [](auto& p) { return p.isNotFramed() && !p.isFramed(); }},
      {"reset_time=1800000", "System resets every 30 minutes.", [](auto& p) { return p.getResetTime() == 1800000; }},
      {"reset_time=0", "System resets are OFF.", [](auto& p) { return p.getResetTime() == 0; }},
      {"file_wait=500", "File wait reset to 500 milliseconds.", [](auto& p) { return p.getFileWait() == 500; }},
      {"remote_timeout=0", "Remote timeout is OFF; a read waits until the server answers or the worker stops.",
       [](auto& p) { return p.getRemoteTimeout() == 0; }},
      // Mistakes: the value stays, and one line names the key or path.
      {"security=maybe",
       "Parameters.read():  Value <maybe> of <security> refused (on or off); the setting is unchanged.",
       [](auto& p) { return p.getSecurity() && p.problems().size() == 1; }},
      {"unknown_key=1", "Parameters.read():  Unknown key <unknown_key> on line <unknown_key=1>, ignored.",
       [](auto& p) { return p.getFileWait() == 500 && p.problems().size() == 1; }},
      {"send_dir=does_not_exist",
       "Parameters.read():  Send directory <does_not_exist> does not exist; it stays <working\\>.",
       [](auto& p) { return p.getSendDirectory() == "working\\" && p.problems().size() == 1; }},
      {"file_wait=x", "Parameters.read():  Error on line <file_wait=x>",
       [](auto& p) { return p.getFileWait() == 500 && p.problems().size() == 1; }},
      // Values that change nothing and log nothing.
      {"frame=false", "", [](auto& p) { return !p.isFramed() && p.problems().empty(); }},
      // A tab is no delimiter: the whole line is one token and is ignored.
      {"claim_ext\tabc", "", [](auto& p) { return p.getClaimExtension() == "clm"; }},
      {"claim_ext=a\tb", "Claim extension reset to a\tb.", [](auto& p) { return p.getClaimExtension() == "a\tb"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempWorkDir wd;
    auto& p = readSettings(c.line + "\n");
    EXPECT_TRUE(c.check(p));
    std::vector<std::string> expected{"System Log Started."};
    if (!c.logLine.empty()) expected.push_back(c.logLine);
    if (c.line == "file_wait=0")
      expected.push_back("File wait below 100 milliseconds; the worker waits 100 milliseconds.");
    expected.push_back("Read Initialization File <cm.ini>.");
    EXPECT_EQ(wd.logMessages(), expected);
  }
}

TEST(Parameters, BadValuesAreErrorsOnTheLineAndKeepTheDefault) {
  const std::vector<std::pair<std::string, std::function<bool(const Parameters&)>>> cases = {
      {"file_wait=abc", [](auto& p) { return p.getFileWait() == 500; }},
      {"file_wait=-1", [](auto& p) { return p.getFileWait() == 500; }},
      {"file_wait=99999999999", [](auto& p) { return p.getFileWait() == 500; }},
      {"file_wait=1.5", [](auto& p) { return p.getFileWait() == 500; }},
      {"connect_wait=-5", [](auto& p) { return p.getConnectWait() == 15000; }},
      {"reset_time=-60000", [](auto& p) { return p.getResetTime() == 1800000; }},
      {"remote_timeout=-1", [](auto& p) { return p.getRemoteTimeout() == 60000; }},
      {"data_offset=4050", [](auto& p) { return p.getDataOffset() == 0; }},
      {"data_offset=-1", [](auto& p) { return p.getDataOffset() == 0; }},
      {"remote_clear_port=0", [](auto& p) { return p.getRemotePort(1) == 1261; }},
      {"remote_clear_port=65536", [](auto& p) { return p.getRemotePort(1) == 1261; }},
      {"remote_secure_port=-1262", [](auto& p) { return p.getRemotePort(0) == 1262; }},
      {"data_offset=+", [](auto& p) { return p.getDataOffset() == 0; }},
  };
  for (const auto& [line, check] : cases) {
    SCOPED_TRACE(line);
    TempWorkDir wd;
    auto& p = readSettings(line + "\nclaim_ext=next\n");
    EXPECT_TRUE(check(p));
    EXPECT_TRUE(wd.logHas("Parameters.read():  Error on line <" + line + ">"));
    // Reading goes on with the next line.
    EXPECT_EQ(p.getClaimExtension(), "next");
  }
}

TEST(Parameters, SettersRefuseOutOfRangeValues) {
  TempWorkDir wd;
  auto& p = *Parameters::getInstance();
  EXPECT_THROW(p.setDataOffset(4050), plat::lang::IllegalArgumentException);
  EXPECT_THROW(p.setRemoteClearPort(70000), plat::lang::IllegalArgumentException);
  EXPECT_THROW(p.setFileWait(-1), plat::lang::IllegalArgumentException);
  EXPECT_THROW(p.setRemoteIPAddresses({}), plat::lang::IllegalArgumentException);
  EXPECT_EQ(p.getDataOffset(), 0);
  EXPECT_EQ(p.getRemotePort(1), 1261);
  EXPECT_EQ(p.getRemoteHosts().size(), 4u);
}

TEST(Parameters, OnlyTheFirstKeyOfALineIsRead) {
  TempWorkDir wd;
  auto& p = readSettings("security=off send_ack=ON\n");
  EXPECT_FALSE(p.getSecurity());
  EXPECT_FALSE(p.getSendAck());
}

TEST(Parameters, CommentsAndShortLinesAreIgnored) {
  TempWorkDir wd;
  auto& p = readSettings("REM claim_ext=a\nrem claim_ext=b\n//claim_ext=c\n// claim_ext d\nclaim_ext\n\n   \n");
  EXPECT_EQ(p.getClaimExtension(), "clm");
  EXPECT_EQ(wd.logMessages(), (std::vector<std::string>{"System Log Started.", "Read Initialization File <cm.ini>."}));
}

TEST(Parameters, LineEndsOfEveryKindReadAsWithout) {
  const std::vector<std::string> texts = {"claim_ext=abc\r\nclaimres_ext=xyz\r\n", "claim_ext=abc\rclaimres_ext=xyz\r",
                                          "claim_ext=abc\nclaimres_ext=xyz", "claim_ext=abc\r\n\r\nclaimres_ext=xyz"};
  for (const auto& text : texts) {
    TempWorkDir wd;
    auto& p = readSettings(text);
    EXPECT_EQ(p.getClaimExtension(), "abc");
    EXPECT_EQ(p.getResponseExtension(), "xyz");
  }
}

TEST(Parameters, LaterLineWinsAndFrameModesShareOneSetting) {
  TempWorkDir wd;
  auto& p = readSettings("file_wait=1000\nfile_wait=2000\nno_frame=true\nframe=true\n");
  EXPECT_EQ(p.getFileWait(), 2000);
  EXPECT_TRUE(p.isFramed());
  EXPECT_FALSE(p.isNotFramed());
  readSettings("frame=true\nno_frame=TRUE\n");
  EXPECT_TRUE(p.isNotFramed());
  EXPECT_FALSE(p.isFramed());
}

TEST(Parameters, DirectoryValuesTakeTildeAsBlankAndMustExist) {
  TempWorkDir wd;
  std::filesystem::create_directory("claims in");
  auto& p = readSettings("send_dir=claims~in\nreceive_dir=nowhere~at~all\n");
  EXPECT_EQ(p.getSendDirectory(), "claims in");
  EXPECT_EQ(p.getReceiveDirectory(), "working\\");
  EXPECT_TRUE(wd.logHas("Send directory reset to claims in."));

  // A path written with '\' names the directory with '/'; tokens split at a comma are joined again with one.
  std::filesystem::create_directories("out/a,b");
  readSettings("receive_dir=out\\a,b\\\n");
  EXPECT_EQ(p.getReceiveDirectory(), "out\\a,b\\");
}

TEST(Parameters, ReadResetsEverySettingIncludingRotation) {
  TempWorkDir wd;
  auto& p = readSettings("remote_clear_port=7001\nremote_ipaddress=h1 h2 h3\n");
  EXPECT_EQ(p.getRemotePort(1), 7001);
  p.rollOver();
  EXPECT_EQ(p.getCurrentIP(), 1);
  readSettings("claim_ext=abc\n");
  EXPECT_EQ(p.getRemotePort(1), 1261);
  EXPECT_EQ(p.getRemoteHosts(), Parameters::originalIP());
  EXPECT_EQ(p.getCurrentIP(), 0);
}

TEST(Parameters, RotationWrapsAfterEveryHost) {
  TempWorkDir wd;
  auto& p = readSettings("remote_ipaddress=h1 h2 h3\n");
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    seen.push_back(p.getRemoteHost());
    p.rollOver();
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"h1", "h2", "h3", "h1"}));
  p.resetIPAddress();
  EXPECT_EQ(p.getRemoteHost(), "h1");
}

TEST(Parameters, SettingsFileThatIsADirectoryIsLoggedAsAFailure) {
  TempWorkDir wd;
  std::filesystem::create_directory("cm.ini");
  auto& p = *Parameters::getInstance();
  p.read();
  EXPECT_TRUE(wd.logHas("Parameters.read():  Cannot open cm.ini (Is a directory)"));
  EXPECT_EQ(p.getClaimExtension(), "clm");
}

// The rotation index is moved by the worker and by the reset thread while the host list may be replaced: the
// current host must stay a listed one.
TEST(Parameters, RotationStaysInsideTheHostListUnderConcurrentUse) {
  TempWorkDir wd;
  auto& p = *Parameters::getInstance();
  SystemLog::setInstance(std::make_shared<SystemLog>("/dev/null"));
  std::atomic<bool> bad{false};
  std::thread roller([&] {
    for (int i = 0; i < 20000; ++i) p.rollOver();
  });
  std::thread resetter([&] {
    for (int i = 0; i < 2000; ++i) {
      p.resetIPAddress();
      p.setRemoteIPAddresses(i % 2 ? std::vector<std::string>{"x"} : std::vector<std::string>{"a", "b", "c", "d"});
    }
  });
  for (int i = 0; i < 20000; ++i) {
    const std::string host = p.getRemoteHost();
    if (host != "x" && host != "a" && host != "b" && host != "c" && host != "d" &&
        std::find(Parameters::originalIP().begin(), Parameters::originalIP().end(), host) ==
            Parameters::originalIP().end()) {
      bad = true;
    }
  }
  roller.join();
  resetter.join();
  EXPECT_FALSE(bad.load());
  EXPECT_LT(p.getCurrentIP(), static_cast<int>(p.getRemoteHosts().size()));
}

}  // namespace
