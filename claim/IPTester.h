// The connectivity test behind the Test button: runs the system ping command on the host the next claim would
// use, with the command's output drained by a StreamHandler, and shows the verdict in an information box. The
// command is an argument vector run without a shell, and the host name is checked first, because it comes from
// the settings file. One thread per test; Halt() (any thread) ends a running command so shut-down can join it.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "claim/Dialogs.h"
#include "platform/proc/Process.h"
#include "platform/thread/Thread.h"

class IPTester final : public plat::thread::Thread {
 public:
  // Builds the command for a host; the default is pingCommand() for this operating system. Tests put in their own.
  using CommandFor = std::function<std::vector<std::string>(const std::string& host)>;

  static constexpr const char* kTitle = "Claimora - Varodex Connectivity";
  static constexpr int kOutputWaitMs = 1000;  // for the drain to take the last lines after the command ended
  static constexpr std::size_t kMaxHostLength = 253;

  // Starts the test at once. `dialogs` (borrowed, may be null for no box) must outlive the thread.
  explicit IPTester(Dialogs* dialogs, CommandFor command = {});
  ~IPTester() override;
  IPTester(const IPTester&) = delete;
  IPTester& operator=(const IPTester&) = delete;

  void run() override;
  // Ends the command if one runs and skips the box; the thread then ends promptly.
  void Halt();

  // After the thread ended: whether the host was verified, and the verdict shown.
  bool isVerified() const { return verified_.load(); }
  std::string getVerdict() const;

  // Letters, digits, '.', '-' and ':' only, not empty, no leading '-' (it would read as an option).
  static bool isValidHost(const std::string& host);
  // The ping command for `osName` (as uname or the runtime names it): the Windows shells on Windows, else
  // "ping -c 4 -W 4 -- host".
  static std::vector<std::string> pingCommand(const std::string& host, const std::string& osName);
  static std::string systemName();
  static std::string verifiedText(const std::string& host);
  static std::string unreachableText(const std::string& host);

 private:
  // Runs the command; true when it ran, exited 0 and did not report "timed out". Throws with the cause otherwise.
  bool ping(const std::string& host);

  Dialogs* dialogs_;  // borrowed; may be null
  CommandFor command_;
  std::atomic<bool> halted_{false};
  std::atomic<bool> verified_{false};
  mutable std::mutex mu_;
  plat::lang::Ref<plat::proc::Process> process_;  // guarded by mu_; the running command
  std::string verdict_;                           // guarded by mu_
};
