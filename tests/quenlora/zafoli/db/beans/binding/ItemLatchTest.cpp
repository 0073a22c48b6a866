// The items' latch excludes: threads counting under it lose no update, and a waiter kept out long enough to go to
// sleep stays out while the latch is held and gets in once it is released.
#include "quenlora/zafoli/db/beans/binding/ItemLatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace quenlora::zafoli::db::beans::binding {
namespace {

TEST(ItemLatch, ExcludesAndLetsWaitersIn) {
  ItemLatch latch;
  long counter = 0;  // guarded by latch
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        std::lock_guard<ItemLatch> hold(latch);
        ++counter;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 80000);

  std::atomic<bool> entered{false};
  latch.lock();
  std::thread waiter([&] {
    std::lock_guard<ItemLatch> hold(latch);
    entered.store(true);
  });
  // Long enough for the waiter to have given up yielding; nothing is asserted about the time.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered.load());
  latch.unlock();
  waiter.join();
  EXPECT_TRUE(entered.load());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
