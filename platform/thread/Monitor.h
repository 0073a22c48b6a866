// A re-entrant lock with wait and notify, the runtime's object monitor: the owning thread may lock it again, and
// wait() gives it up entirely until notified, interrupted or timed out. Lock it through Synchronized. All
// operations may be called from any thread; wait, notify and unlock need the calling thread to own the monitor.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace plat::thread {

namespace detail {
struct ThreadState;
}

class Monitor {
 public:
  Monitor() = default;
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;
  ~Monitor();

  // Re-entry and leaving an inner level touch only the count, inline: the owner is the only thread that reads or
  // writes it, and a row's operations re-enter the monitor many times per value.
  void lock() {
    if (isHeldByCurrentThread()) {
      ++depth_;
      return;
    }
    lockUnowned();
  }
  // IllegalMonitorStateException when the calling thread does not own the monitor.
  void unlock() {
    if (isHeldByCurrentThread() && depth_ > 1) {
      --depth_;
      return;
    }
    unlockOutermost();
  }
  bool tryLock();
  bool isHeldByCurrentThread() const { return owner_.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

  // Gives up the monitor (every level of re-entry), waits for a notify, an interrupt or timeoutMs (0 waits
  // without limit), and takes the monitor back at the same level. InterruptedException when the wait ended by an
  // interrupt (the flag is cleared); a notify that arrived first wins over a later interrupt.
  void wait(std::int64_t timeoutMs = 0);
  void notify();
  void notifyAll();

 private:
  struct Waiter {
    std::shared_ptr<detail::ThreadState> state;
    bool notified = false;  // guarded by state->mutex
  };

  void lockUnowned();
  void unlockOutermost();
  void checkOwner() const;
  // Takes ownership at the given depth; needs mutex_ held.
  void acquire(std::unique_lock<std::mutex>& lock, int depth);
  // Leaves the monitor unowned and tells whether a thread is blocked in acquire(); needs mutex_ held.
  bool release();
  // Signals one waiter; needs mutex_ held.
  static void wakeWaiter(Waiter& waiter);

  // What only a contended or waited-on monitor needs, made at the first such use: most monitors (one per row)
  // never block anyone, and they stay a cache line smaller.
  struct Contention {
    std::condition_variable free;  // signalled when the monitor becomes unowned
    std::list<Waiter*> waiters;    // in arrival order, each on its waiting thread's stack
  };
  // Needs mutex_ held.
  Contention& contention();

  mutable std::mutex mutex_;
  std::unique_ptr<Contention> contention_;  // guarded by mutex_; made once, kept until the monitor goes
  // Default id when unowned. Written only under mutex_; read without it to recognise re-entry, which is safe
  // because a thread can only find its own id there while it owns the monitor (it stored the id itself).
  std::atomic<std::thread::id> owner_{};
  int depth_ = 0;    // re-entry count; touched only by the owner (under mutex_ when ownership moves)
  int blocked_ = 0;  // guarded by mutex_; threads waiting in acquire() for the monitor to come free
};

// Holds a Monitor for one scope.
class Synchronized {
 public:
  explicit Synchronized(Monitor& monitor) : monitor_(monitor) { monitor_.lock(); }
  ~Synchronized() { monitor_.unlock(); }
  Synchronized(const Synchronized&) = delete;
  Synchronized& operator=(const Synchronized&) = delete;

 private:
  Monitor& monitor_;
};

}  // namespace plat::thread
