// The lock of one row's values: sections under it are short and almost never contended, so taking and giving it
// back cost one inline atomic operation each, with no library call; a thread that finds it taken sleeps until it is
// given back. Not recursive. Meets the standard Lockable requirements (lock_guard, scoped_lock).
#pragma once

#include <atomic>

namespace quenlora::zafoli::db::net {

class RowLock {
 public:
  RowLock() = default;
  RowLock(const RowLock&) = delete;
  RowLock& operator=(const RowLock&) = delete;

  void lock() {
    int expected = kFree;
    if (!state_.compare_exchange_strong(expected, kTaken, std::memory_order_acquire, std::memory_order_relaxed)) {
      lockContended();
    }
  }
  bool try_lock() {
    int expected = kFree;
    return state_.compare_exchange_strong(expected, kTaken, std::memory_order_acquire, std::memory_order_relaxed);
  }
  void unlock() {
    if (state_.exchange(kFree, std::memory_order_release) == kWaited) state_.notify_one();
  }

 private:
  static constexpr int kFree = 0;
  static constexpr int kTaken = 1;
  static constexpr int kWaited = 2;  // taken, and a thread may be sleeping on it

  void lockContended() {
    // Marks the lock waited-on whenever it is taken here, so the holder's unlock wakes a sleeper.
    while (state_.exchange(kWaited, std::memory_order_acquire) != kFree)
      state_.wait(kWaited, std::memory_order_relaxed);
  }

  std::atomic<int> state_{kFree};
};

}  // namespace quenlora::zafoli::db::net
