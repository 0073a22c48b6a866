// Entry point of the claim program: the window by default, "--headless" without one, "--test-connection" for
// one connectivity test, "--help" and "--version" for the operator.
#include <QApplication>
#include <QtGlobal>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "claim/Constants.h"
#include "claim/Headless.h"
#include "claim/InstanceLock.h"
#include "claim/JFrame1.h"
#include "claim/SignalWatch.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kAlreadyRunning = 1;

void printUsage(std::ostream& out) {
  out << "Usage: Claimora [--headless | --test-connection | --help | --version]\n"
         "\n"
         "Sends the claim files of the send folder to the Varodex clearing house and writes each answer into\n"
         "the receive folder.\n"
         "\n"
         "Modes:\n"
         "  (none)             the window, on the desktop's display\n"
         "  --headless         no window: status lines on standard output; SIGTERM or SIGINT exit,\n"
         "                     SIGHUP resets (re-reads cm.ini and restarts the worker)\n"
         "  --test-connection  ping the host the next claim would use once; exit 0 when it answers\n"
         "  --help             this text\n"
         "  --version          the program's version\n"
         "\n"
         "Files in the working folder (the folder the program is started in):\n"
         "  cm.ini       settings (optional; defaults apply without it)\n"
         "  jssecerts    key store, JKS or PKCS#12 (needed even with security off)\n"
         "  system.log   log, appended to; one \"Outcome <claim>\" line per claim\n"
         "  jwin.dat     the window's saved position\n";
}

bool hasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

QtMessageHandler qtHandler = nullptr;

// Qt ends the process when its platform plugin cannot open the display it was given; say so, point at the
// headless mode and end with the usage error's exit code instead. Installed only while the application starts.
void onStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (qtHandler != nullptr) qtHandler(type, context, message);
    return;
  }
  std::string display;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') display += std::string(display.empty() ? "" : ", ") + name + "=" + value;
  }
  std::cerr << "Claimora: the display cannot be opened (" << display
            << ").\n"
               "Run \"Claimora --headless\" to work without a window, e.g. as a service.\n";
  std::cerr.flush();
  std::_Exit(kUsageError);
}

// False, having said why, when another instance works in this folder already: two would each answer every claim.
bool onlyInstance() {
  std::string why;
  if (InstanceLock::acquire(why)) return true;
  std::cerr << "Claimora: " << why << "; this one exits.\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader of standard output that goes away (a pipe into `head`, a closed terminal) or a peer that closes its
  // socket must not end the program in the middle of a claim: the write fails with EPIPE instead, which the caller
  // handles as any failed write. Set before any thread starts, for every mode; child processes get the default.
  std::signal(SIGPIPE, SIG_IGN);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--headless") return onlyInstance() ? Headless::run(std::cout) : kAlreadyRunning;
    if (arg == "--test-connection") return Headless::testConnection(std::cout);
    if (arg == "--help" || arg == "-h") {
      printUsage(std::cout);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "Claimora " << Constants::Version << std::endl;
      return 0;
    }
    std::cerr << "Claimora: unknown option " << arg << "\n\n";
    printUsage(std::cerr);
    return kUsageError;
  }
  if (!hasDisplay()) {
    // The toolkit would abort without a display; say what to do instead.
    std::cerr << "Claimora: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                 "Run \"Claimora --headless\" to work without a window, e.g. as a service.\n";
    return kUsageError;
  }
  if (!onlyInstance()) return kAlreadyRunning;
  try {
    // Before the toolkit starts its threads, so that none of them is ever interrupted by these signals.
    SignalWatch::block();
    qtHandler = qInstallMessageHandler(onStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    app.setQuitOnLastWindowClosed(false);  // only Exit ends the program
    JFrame1 window;
    // SIGTERM and SIGINT exit as Exit does, without the question; SIGHUP resets.
    SignalWatch watch([&window](int sig) { window.onSignal(sig); });
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
}
