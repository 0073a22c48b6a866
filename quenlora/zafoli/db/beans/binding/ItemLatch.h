// The lock of a data item or member list. Its sections are short (a value's copy or comparison) and never call back
// into the binding: taking it is one atomic exchange and releasing it a plain store, so a reader of many items pays
// one locked instruction per item, not two.
// A waiter spins, then yields, then sleeps briefly; there is no queue and no fairness. Use with std::lock_guard.
#pragma once

#include <atomic>

namespace quenlora::zafoli::db::beans::binding {

class ItemLatch {
 public:
  ItemLatch() = default;
  ItemLatch(const ItemLatch&) = delete;
  ItemLatch& operator=(const ItemLatch&) = delete;

  void lock() noexcept {
    if (!held_.exchange(true, std::memory_order_acquire)) return;
    wait();
  }
  void unlock() noexcept { held_.store(false, std::memory_order_release); }

 private:
  // Takes the latch after the first attempt failed.
  void wait() noexcept;

  std::atomic<bool> held_{false};
};

}  // namespace quenlora::zafoli::db::beans::binding
