#include "claim/SignalWatch.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <stdexcept>
#include <thread>

namespace {

sigset_t watchedSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void SignalWatch::block() {
  const sigset_t set = watchedSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

SignalWatch::SignalWatch(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  block();
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the signals");
  readFd_ = fds[0];
  const int writeFd = fds[1];
  // Detached: it only waits and writes, and ends with the process.
  std::thread([writeFd] {
    const sigset_t set = watchedSignals();
    for (;;) {
      int sig = 0;
      if (sigwait(&set, &sig) != 0) continue;
      const auto byte = static_cast<unsigned char>(sig);
      while (::write(writeFd, &byte, 1) < 0 && errno == EINTR) {
      }
    }
  }).detach();
  notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    unsigned char byte = 0;
    if (::read(readFd_, &byte, 1) == 1 && onSignal_) onSignal_(byte);
  });
}
