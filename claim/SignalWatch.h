// Brings SIGTERM, SIGINT and SIGHUP to the window's GUI thread: the signals are blocked in every thread, one
// thread of its own waits for them and passes each through a pipe that the GUI thread watches. No thread is ever
// interrupted by them, so no system call of the worker fails with EINTR. One per process, made by the window mode.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class SignalWatch : public QObject {
 public:
  // Blocks the three signals in the calling thread and so in every thread it starts later; call it before the
  // first thread starts.
  static void block();

  // `onSignal` runs on the thread that makes the watch, once per signal received.
  explicit SignalWatch(std::function<void(int)> onSignal, QObject* parent = nullptr);
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

 private:
  std::function<void(int)> onSignal_;
  int readFd_ = -1;  // the pipe lives as long as the process: the waiting thread is never joined
  QSocketNotifier* notifier_ = nullptr;
};
