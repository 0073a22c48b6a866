#include "platform/thread/Monitor.h"

#include <algorithm>
#include <chrono>

#include "platform/lang/Exceptions.h"
#include "platform/thread/ThreadExceptions.h"
#include "platform/thread/ThreadState.h"

// Under ThreadSanitizer, with PLAT_TSAN_MONITORS set in the environment, the monitor tells the sanitizer when it
// is taken and given up (the outermost level), so that lock-order inversions through monitors are seen. It does
// so while it holds no inner mutex, which the sanitizer sees as it is: no monitor is ever taken while that mutex is
// held, so it closes no lock cycle.
#if defined(__SANITIZE_THREAD__)
#define PLAT_MONITOR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define PLAT_MONITOR_TSAN 1
#endif
#endif
#ifdef PLAT_MONITOR_TSAN
#include <sanitizer/tsan_interface.h>

#include <cstdlib>
namespace {
bool monitorsShown() {
  static const bool shown = std::getenv("PLAT_TSAN_MONITORS") != nullptr;
  return shown;
}
}  // namespace
#define PLAT_TSAN(call) (monitorsShown() ? static_cast<void>(call) : static_cast<void>(0))
// The sanitizer's name of the monitor: an address of its own that is no mutex or atomic (the inner mutex sits at
// the monitor's own address).
#define PLAT_TSAN_ID (static_cast<void*>(&depth_))
#else
#define PLAT_TSAN(call) static_cast<void>(0)
#endif

namespace plat::thread {

namespace {

// The calling thread's id is read relaxed from owner_: only the owner itself can find its own id there, and its
// own stores are visible to it in program order; every change of owner goes through mutex_.
constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

Monitor::~Monitor() {
  // A monitor made later at the same address is another lock.
  PLAT_TSAN(__tsan_mutex_destroy(PLAT_TSAN_ID, 0));
}

Monitor::Contention& Monitor::contention() {
  if (!contention_) contention_ = std::make_unique<Contention>();
  return *contention_;
}

void Monitor::acquire(std::unique_lock<std::mutex>& lock, int depth) {
  if (owner_.load(kRelaxed) != std::thread::id()) {
    Contention& waiting = contention();
    ++blocked_;
    waiting.free.wait(lock, [this] { return owner_.load(kRelaxed) == std::thread::id(); });
    --blocked_;
  }
  owner_.store(std::this_thread::get_id(), kRelaxed);
  depth_ = depth;
}

bool Monitor::release() {
  depth_ = 0;
  owner_.store(std::thread::id(), kRelaxed);
  return blocked_ > 0;
}

void Monitor::lockUnowned() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    acquire(lock, 1);
  }
  PLAT_TSAN(__tsan_mutex_pre_lock(PLAT_TSAN_ID, 0));
  PLAT_TSAN(__tsan_mutex_post_lock(PLAT_TSAN_ID, 0, 0));
}

bool Monitor::tryLock() {
  if (owner_.load(kRelaxed) == std::this_thread::get_id()) {
    ++depth_;
    return true;
  }
  bool taken = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (owner_.load(kRelaxed) == std::thread::id()) {
      owner_.store(std::this_thread::get_id(), kRelaxed);
      depth_ = 1;
      taken = true;
    }
  }
  if (!taken) return false;
  PLAT_TSAN(__tsan_mutex_pre_lock(PLAT_TSAN_ID, __tsan_mutex_try_lock));
  PLAT_TSAN(__tsan_mutex_post_lock(PLAT_TSAN_ID, __tsan_mutex_try_lock, 0));
  return true;
}

void Monitor::unlockOutermost() {
  checkOwner();
  PLAT_TSAN(__tsan_mutex_pre_unlock(PLAT_TSAN_ID, 0));
  PLAT_TSAN(__tsan_mutex_post_unlock(PLAT_TSAN_ID, 0));
  std::unique_lock<std::mutex> lock(mutex_);
  // A blocked thread made the contention state before counting itself.
  std::condition_variable* wake = release() ? &contention_->free : nullptr;
  lock.unlock();
  // A thread that blocks later counts itself under mutex_ first and then sees the monitor free.
  if (wake) wake->notify_one();
}

void Monitor::checkOwner() const {
  if (owner_.load(kRelaxed) != std::this_thread::get_id()) {
    throw IllegalMonitorStateException("current thread is not owner");
  }
}

void Monitor::wakeWaiter(Waiter& waiter) {
  {
    std::lock_guard<std::mutex> lock(waiter.state->mutex);
    waiter.notified = true;
  }
  waiter.state->wake.notify_all();
}

void Monitor::wait(std::int64_t timeoutMs) {
  if (timeoutMs < 0) throw plat::lang::IllegalArgumentException("timeout value is negative");
  Waiter me{detail::currentState()};
  std::unique_lock<std::mutex> lock(mutex_);
  checkOwner();
  if (me.state->takeInterrupt()) throw plat::lang::InterruptedException();
  const int depth = depth_;
  Contention& waiting = contention();
  waiting.waiters.push_back(&me);
  // Given up before another thread can take it; taken back below once the inner mutex is let go.
  PLAT_TSAN(__tsan_mutex_pre_unlock(PLAT_TSAN_ID, 0));
  PLAT_TSAN(__tsan_mutex_post_unlock(PLAT_TSAN_ID, 0));
  if (release()) waiting.free.notify_one();
  lock.unlock();

  bool interrupted = false;
  {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> wait(me.state->mutex);
    while (!me.notified && !me.state->interrupted) {
      if (timeoutMs == 0) {
        me.state->wake.wait(wait);
      } else if (me.state->wake.wait_until(wait, deadline) == std::cv_status::timeout) {
        break;
      }
    }
    if (!me.notified && me.state->interrupted) {
      me.state->interrupted = false;
      interrupted = true;
    }
  }

  lock.lock();
  // A waiter that timed out or was interrupted is still listed; a notified one was taken off by notify. A notify
  // that came in after the interrupt was seen still counts, so no notification is lost; the flag stays set.
  const auto it = std::find(waiting.waiters.begin(), waiting.waiters.end(), &me);
  if (it != waiting.waiters.end()) {
    waiting.waiters.erase(it);
  } else if (interrupted) {
    interrupted = false;
    me.state->interrupt();
  }
  acquire(lock, depth);
  lock.unlock();
  PLAT_TSAN(__tsan_mutex_pre_lock(PLAT_TSAN_ID, 0));
  PLAT_TSAN(__tsan_mutex_post_lock(PLAT_TSAN_ID, 0, 0));
  if (interrupted) throw plat::lang::InterruptedException();
}

void Monitor::notify() {
  std::lock_guard<std::mutex> lock(mutex_);
  checkOwner();
  if (!contention_ || contention_->waiters.empty()) return;
  Waiter* first = contention_->waiters.front();
  contention_->waiters.pop_front();
  wakeWaiter(*first);
}

void Monitor::notifyAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  checkOwner();
  if (!contention_) return;
  for (Waiter* w : contention_->waiters) wakeWaiter(*w);
  contention_->waiters.clear();
}

}  // namespace plat::thread
