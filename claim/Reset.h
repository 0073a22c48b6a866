// The host-reset thread: every reset interval (read anew before each sleep) it points the host rotation back at
// the first host; an interval of 0 turns that off. Halt() may be called from any thread; it also wakes the sleep,
// so the thread ends at once.
#pragma once

#include <atomic>

#include "platform/thread/Thread.h"

class Reset : public plat::thread::Thread {
 public:
  static constexpr int kOffRecheckMs = 1000;  // how often a thread with the reset off looks at the interval again

  Reset();
  ~Reset() override;
  Reset(const Reset&) = delete;
  Reset& operator=(const Reset&) = delete;

  void run() override;
  void Halt();
  bool isRunning() const { return running.load(); }

 private:
  std::atomic<bool> running{true};
};
