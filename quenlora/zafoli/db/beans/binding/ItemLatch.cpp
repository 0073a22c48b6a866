#include "quenlora/zafoli/db/beans/binding/ItemLatch.h"

#include <chrono>
#include <thread>

namespace quenlora::zafoli::db::beans::binding {

void ItemLatch::wait() noexcept {
  // Most holds last well under a microsecond; a whole-list read lasts milliseconds, and then sleeping spares the
  // processor.
  int waits = 0;
  do {
    while (held_.load(std::memory_order_relaxed)) {
      if (++waits <= 64) {
        std::this_thread::yield();
      } else {
        std::this_thread::sleep_for(std::chrono::microseconds(50));
      }
    }
  } while (held_.exchange(true, std::memory_order_acquire));
}

}  // namespace quenlora::zafoli::db::beans::binding
