#include "claim/Headless.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <mutex>
#include <ostream>
#include <string>

#include "claim/ClaimProgram.h"
#include "claim/Dialogs.h"
#include "claim/ErrorText.h"
#include "claim/IPTester.h"
#include "claim/Parameters.h"
#include "claim/SystemLog.h"
#include "platform/lang/Throwable.h"

namespace {

// Status lines on the stream; the worker, the host-reset thread and the main loop all print through it.
class LinePrinter : public StatusListener, public Dialogs {
 public:
  explicit LinePrinter(std::ostream& out) : out_(out) {}

  void statusCell(int column, const std::string& text) override {
    if (text.find_first_not_of(' ') == std::string::npos) return;  // a cleared cell says nothing
    print((column == 0 ? "File:  " : "Status:  ") + text);
  }
  void statusField(Field, const std::string& text) override { print(text); }
  bool askYesNo(const std::string&, const std::string&) override { return true; }
  void inform(const std::string&, const std::string& text) override { print(text); }

  void print(const std::string& line) {
    std::lock_guard<std::mutex> lock(mu_);
    out_ << line << std::endl;
  }

 private:
  std::mutex mu_;
  std::ostream& out_;  // guarded by mu_
};

std::string messageOf(const std::exception& e) {
  return ErrorText::messageOf(e);
}

}  // namespace

int Headless::run(std::ostream& out) {
  // Blocked before any thread starts, so every thread inherits the mask and the signals wait for sigwait here.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);

  LinePrinter printer(out);
  ClaimProgram program(&printer);
  printer.print("System:  Initializing");
  try {
    program.startThreads();
  } catch (const std::exception& e) {
    // Stays up, as the window does: SIGHUP may start the worker once the cause is mended.
    printer.print("System:  " + messageOf(e));
  }
  for (;;) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) continue;
    if (sig == SIGHUP) {
      try {
        program.reset();
      } catch (const std::exception& e) {
        printer.print("System:  " + messageOf(e));
      }
      continue;
    }
    program.shutDown(std::nullopt);
    return 0;
  }
}

int Headless::testConnection(std::ostream& out) {
  LinePrinter printer(out);
  Parameters::getInstance();
  auto tester = plat::lang::makeRef<IPTester>(&printer);
  tester->join();
  SystemLog::getInstance()->closeLog();
  return tester->isVerified() ? 0 : 1;
}
