#include "claim/IPTester.h"

#include <sys/utsname.h>

#include <cctype>

#include "claim/ErrorText.h"
#include "claim/Parameters.h"
#include "claim/StreamHandler.h"
#include "claim/SystemLog.h"
#include "platform/lang/Throwable.h"
#include "platform/proc/ProcessBuilder.h"

namespace {

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string messageOf(const std::exception& e) {
  return ErrorText::messageOf(e);
}

// The command's last output line, as ": <line>", or nothing.
std::string lastLine(const std::string& output) {
  std::size_t end = output.find_last_not_of("\r\n");
  if (end == std::string::npos) return "";
  const std::size_t start = output.find_last_of('\n', end);
  return ": " + output.substr(start == std::string::npos ? 0 : start + 1,
                              end - (start == std::string::npos ? 0 : start + 1) + 1);
}

class TestFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace

IPTester::IPTester(Dialogs* dialogs, CommandFor command)
    : Thread("IPTester"), dialogs_(dialogs), command_(std::move(command)) {
  if (!command_) {
    command_ = [](const std::string& host) { return pingCommand(host, systemName()); };
  }
  start();
}

IPTester::~IPTester() {
  Halt();
  stopAndJoin();
}

void IPTester::Halt() {
  halted_.store(true);
  std::lock_guard<std::mutex> lock(mu_);
  if (process_) process_->destroyForcibly();
}

std::string IPTester::getVerdict() const {
  std::lock_guard<std::mutex> lock(mu_);
  return verdict_;
}

bool IPTester::isValidHost(const std::string& host) {
  if (host.empty() || host.size() > kMaxHostLength || host.front() == '-') return false;
  for (char c : host) {
    const bool ok = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':';
    if (!ok) return false;
  }
  return true;
}

std::vector<std::string> IPTester::pingCommand(const std::string& host, const std::string& osName) {
  const std::string os = lower(osName);
  if (os.rfind("windows 9", 0) == 0) return {"command.com", "/c", "ping", host};
  if (os.rfind("windows", 0) == 0) return {"cmd.exe", "/c", "ping", host};
  return {"ping", "-c", "4", "-W", "4", "--", host};
}

std::string IPTester::systemName() {
  struct utsname u {};
  if (::uname(&u) != 0) return "Linux";
  return u.sysname;
}

std::string IPTester::verifiedText(const std::string& host) {
  return "Connection to Varodex Server (" + host + ") Verified.";
}

std::string IPTester::unreachableText(const std::string& host) {
  return "Varodex Server (" + host + ") could not be reached." + "  " + "\n" + std::string(16, ' ') +
         "Please Verify Internet Connection.";
}

bool IPTester::ping(const std::string& host) {
  if (!isValidHost(host)) throw TestFailure("unknown or refused host name: " + host);
  plat::proc::ProcessBuilder builder(command_(host));
  builder.redirectErrorStream(true);
  auto process = builder.start();
  {
    std::lock_guard<std::mutex> lock(mu_);
    process_ = process;
  }
  if (halted_.load()) process->destroyForcibly();
  auto drain = std::make_shared<StreamHandler>(process->getInputStream());
  const int status = process->waitFor();
  {
    std::lock_guard<std::mutex> lock(mu_);
    process_.reset();
  }
  drain->join(kOutputWaitMs);
  const std::string output = drain->getOutput();
  if (status != 0) throw TestFailure("ping ended with exit status " + std::to_string(status) + lastLine(output));
  if (output.find("timed out") != std::string::npos) throw TestFailure("ping reported: timed out" + lastLine(output));
  return true;
}

void IPTester::run() {
  auto log = SystemLog::getInstance();
  log->writeLog("Testing IP connection...");
  const std::string host = Parameters::getInstance()->getRemoteHost();
  bool ok = false;
  std::string cause;
  try {
    ok = ping(host);
  } catch (const std::exception& e) {
    cause = messageOf(e);
    log->writeLog("IPTester.run():  " + cause);
  }
  verified_.store(ok);
  const std::string verdict = ok ? verifiedText(host) : unreachableText(host);
  {
    std::lock_guard<std::mutex> lock(mu_);
    verdict_ = verdict;
  }
  // The verdict and what it rests on, so an operator can tell a refused host from a silent one later.
  log->writeLog(
      "Test of " + host + ": " +
      (ok ? std::string("verified, ping ended with exit status 0.") : "could not be reached, " + cause + "."));
  if (!halted_.load() && dialogs_ != nullptr) {
    if (ok) {
      dialogs_->inform(kTitle, verdict);
    } else {
      dialogs_->warn(kTitle, verdict);
    }
  }
}
