#include "platform/thread/Thread.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "platform/lang/Exceptions.h"
#include "platform/thread/ThreadExceptions.h"
#include "platform/thread/ThreadState.h"

namespace plat::thread {

namespace {

thread_local Thread* tlsCurrent = nullptr;
std::atomic<long> threadNumber{0};

std::string nextDefaultName() {
  return "Thread-" + std::to_string(threadNumber.fetch_add(1));
}

using Clock = std::chrono::steady_clock;

}  // namespace

Thread::Thread() : Thread(std::string()) {}

Thread::Thread(std::string name)
    : state_(std::make_shared<detail::ThreadState>()), name_(name.empty() ? nextDefaultName() : std::move(name)) {}

Thread::Thread(std::function<void()> body, std::string name) : Thread(std::move(name)) {
  body_ = std::move(body);
}

Thread::~Thread() {
  try {
    stopAndJoin();
  } catch (...) {
  }
  std::lock_guard<std::mutex> lock(reapMutex_);
  // Only the thread's own body can still hold it here (it dropped the last reference): let it finish unjoined.
  if (thread_.joinable()) thread_.detach();
}

void Thread::start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (started_) throw IllegalThreadStateException();
  // A thread owned by a Ref keeps itself alive while it runs; one owned otherwise is joined by its destructor.
  std::shared_ptr<plat::lang::Object> self = weak_from_this().lock();
  std::lock_guard<std::mutex> reapLock(reapMutex_);
  try {
    thread_ = std::thread([this, self = std::move(self)]() mutable {
      runBody();
      self.reset();  // may destroy this Thread; nothing below touches it
    });
  } catch (const std::system_error&) {
    throw plat::lang::OutOfMemoryError("unable to create new native thread");
  }
  started_ = true;
}

void Thread::run() {
  if (body_) body_();
}

void Thread::runBody() {
  detail::adoptState(state_);
  tlsCurrent = this;
  try {
    run();
  } catch (const plat::lang::Throwable& t) {
    std::fprintf(stderr, "Exception in thread \"%s\" %s\n", getName().c_str(), t.toString().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Exception in thread \"%s\" %s\n", getName().c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "Exception in thread \"%s\"\n", getName().c_str());
  }
  tlsCurrent = nullptr;
  std::vector<std::shared_ptr<detail::ThreadState>> joiners;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    joiners = joiners_;
  }
  for (const auto& j : joiners) j->signal();
}

void Thread::reap() {
  std::lock_guard<std::mutex> lock(reapMutex_);
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Thread::join() {
  join(0);
}

bool Thread::join(std::int64_t timeoutMs) {
  if (timeoutMs < 0) throw plat::lang::IllegalArgumentException("timeout value is negative");
  // The runtime would wait forever here; a thread cannot outlive its own body.
  if (currentThread() == this) throw IllegalThreadStateException("a thread cannot join itself");
  const std::shared_ptr<detail::ThreadState>& me = detail::currentState();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) return true;  // the runtime's join returns at once for a thread never started
    if (!finished_) joiners_.push_back(me);
  }
  bool ended = false;
  bool wasInterrupted = false;
  {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> wait(me->mutex);
    auto done = [&] {
      std::lock_guard<std::mutex> lock(mutex_);
      return finished_;
    };
    while (true) {
      if (done()) {
        ended = true;
        break;
      }
      if (me->interrupted) {
        me->interrupted = false;
        wasInterrupted = true;
        break;
      }
      if (timeoutMs == 0) {
        me->wake.wait(wait);
      } else if (me->wake.wait_until(wait, deadline) == std::cv_status::timeout) {
        ended = done();
        break;
      }
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    joiners_.erase(std::remove(joiners_.begin(), joiners_.end(), me), joiners_.end());
  }
  if (wasInterrupted) throw plat::lang::InterruptedException();
  if (ended) reap();
  return ended;
}

bool Thread::isAlive() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_ && !finished_;
}

void Thread::stopAndJoin() {
  requestStop();
  interrupt();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) return;
  }
  if (currentThread() == this) return;
  // Joined without the interruptible wait: a destructor must not give up because its own thread was interrupted.
  std::lock_guard<std::mutex> lock(reapMutex_);
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Thread::interrupt() {
  state_->interrupt();
}

bool Thread::isInterrupted() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->interrupted;
}

void Thread::setName(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  name_ = name;
}

std::string Thread::getName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return name_;
}

std::string Thread::toString() const {
  return "Thread[" + getName() + ",5,main]";
}

Thread* Thread::currentThread() {
  return tlsCurrent;
}

void Thread::sleep(std::int64_t ms) {
  if (ms < 0) throw plat::lang::IllegalArgumentException("timeout value is negative");
  const std::shared_ptr<detail::ThreadState>& me = detail::currentState();
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  std::unique_lock<std::mutex> lock(me->mutex);
  while (!me->interrupted) {
    if (me->wake.wait_until(lock, deadline) == std::cv_status::timeout) break;
  }
  if (me->interrupted) {
    me->interrupted = false;
    throw plat::lang::InterruptedException("sleep interrupted");
  }
}

bool Thread::interrupted() {
  return detail::currentState()->takeInterrupt();
}

}  // namespace plat::thread
