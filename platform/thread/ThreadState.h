// The wake-up point of one operating-system thread: its interrupt flag and the condition it blocks on. Every
// blocking operation of plat::thread (sleep, join, Monitor::wait) waits on the state of the waiting thread, so an
// interrupt only has to signal that one condition. Internal to plat::thread; all members are guarded by mutex.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

namespace plat::thread::detail {

struct ThreadState {
  std::mutex mutex;
  std::condition_variable wake;
  bool interrupted = false;  // guarded by mutex

  // Sets the flag and wakes the thread wherever it waits.
  void interrupt();
  // Clears the flag and answers whether it was set.
  bool takeInterrupt();
  // Wakes the thread so it re-tests what it waits for.
  void signal();
};

// The state of the calling thread: the one its Thread made, or one of its own for a thread we did not start.
const std::shared_ptr<ThreadState>& currentState();
// Makes state the calling thread's state; called once by a starting Thread.
void adoptState(std::shared_ptr<ThreadState> state);

}  // namespace plat::thread::detail
