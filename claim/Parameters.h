// Every setting of the claim program: defaults, the settings file "cm.ini" of the working directory, and the list
// of clearing-house hosts with its rotation index. One shared instance used by the window, the worker, the reset
// thread and connectivity tests: every operation is guarded, getters hand out copies, and the rotation index is
// atomic. Each setter logs the value it takes; an out-of-range value throws IllegalArgumentException and changes
// nothing.
#pragma once

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Object.h"

class Parameters {
 public:
  static constexpr int kDefaultSecurePort = 1262;
  static constexpr int kDefaultClearPort = 1261;
  static constexpr int kMaxDataOffset = 4049;  // buffer size less the shortest claim
  static constexpr int kMinPort = 1;
  static constexpr int kMaxPort = 65535;
  static constexpr int kSecurePortIndex = 0;  // index of getRemotePort
  static constexpr int kClearPortIndex = 1;
  static constexpr int kMinFileWaitMs = 100;  // the worker never waits less between rounds

  enum FrameMode { kDefaultFrame = 0, kFramed = 1, kSimple = 2 };

  // Sets the defaults without reading any file (the shared instance reads "cm.ini" when it is made).
  Parameters();
  Parameters(const Parameters&) = delete;
  Parameters& operator=(const Parameters&) = delete;

  // The shared settings, made and read from the working directory on first call.
  static plat::lang::Ref<Parameters> getInstance();

  // Resets every setting to its default, then reads "cm.ini" from the working directory when it exists.
  void read();
  // Applies the lines of settings text as the file reader does, without resetting defaults and without the
  // closing "Read Initialization File" line. The reader and the fuzzer use it.
  void parseSettings(std::string_view text);
  // Applies one line (without its line end); logs "Error on line" when it fails.
  void parseLine(std::string_view line);

  std::string getFileName() const;
  std::string getClaimExtension() const;
  std::string getResponseExtension() const;
  std::string getSendDirectory() const;     // as configured, e.g. "working\"
  std::string getReceiveDirectory() const;  // as configured
  int getDataOffset() const;
  int getFileWait() const;
  int getConnectWait() const;
  int getResetTime() const;
  int getRemoteTimeout() const;
  int getRemotePort(int index) const;  // 0 secure, 1 clear; IndexOutOfBoundsException otherwise
  std::vector<std::string> getRemoteHosts() const;
  std::string getRemoteHost() const;  // the host at the rotation index
  int getCurrentIP() const;
  bool getSecurity() const;
  bool getSendAck() const;
  bool getReset() const;
  bool getLogStats() const;
  bool showSecurity() const;
  bool writeCheckSum() const;
  bool isFramed() const;     // frame mode 1
  bool isNotFramed() const;  // frame mode 2
  int getFrameMode() const;

  // Host rotation: the next host after a failed connect, and back to the first.
  void rollOver();
  void resetIPAddress();

  void setClaimExtension(const std::string& ext);
  void setResponseExtension(const std::string& ext);
  void setConnectWait(int ms);
  void setResetTime(int ms);
  void setDataOffset(int bytes);
  void setFileWait(int ms);
  void setRemoteIPAddresses(const std::vector<std::string>& hosts);  // at least one host
  void setSendAck(bool on);
  void setReset(bool on);
  void setLogStats(bool on);
  void setRemoteClearPort(int port);
  void setRemoteSecurePort(int port);
  void setRemoteTimeout(int ms);
  void setFrame();
  void setNoFrame();
  void setSecurity(bool on);
  void setDisplaySecurity(bool on);
  void setCheckSum(bool on);
  void setSendDirectory(const std::string& dir);
  void setReceiveDirectory(const std::string& dir);

  // The mistakes of the last read (unknown keys, refused values, missing folders, a file that does not read), as
  // they were logged; empty when the file read cleanly.
  std::vector<std::string> problems() const;

  // The four built-in clearing-house hosts, used when the settings name none.
  static const std::vector<std::string>& originalIP();

 private:
  struct Settings {
    std::string filename = "cm.ini";
    std::string claimExt = "clm";
    std::string claimResExt = "rsp";
    std::string sendDir = "working\\";
    std::string receiveDir = "working\\";
    std::vector<std::string> remoteIPAddress;
    int dataOffset = 0;
    int filewait = 500;
    int waitConnect = 15000;
    int resetTime = 1800000;
    int remoteTimeout = 60000;
    std::array<int, 2> remotePort{kDefaultSecurePort, kDefaultClearPort};
    bool sendAck = false;
    bool secure = true;
    bool reset = true;
    bool logStats = false;
    bool displaySecurity = false;
    bool checkSum = true;
    int frameSet = kDefaultFrame;
  };

  void initialize();
  void applyLine(std::string_view line);  // throws on a bad line
  void problem(const std::string& line);  // logs and keeps a settings mistake

  mutable std::recursive_mutex mu_;
  Settings s_;                         // guarded by mu_
  std::vector<std::string> problems_;  // guarded by mu_
  std::atomic<int> ip_{0};             // rotation index, always below the host count
};
