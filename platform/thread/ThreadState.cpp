#include "platform/thread/ThreadState.h"

namespace plat::thread::detail {

namespace {

thread_local std::shared_ptr<ThreadState> tlsState;

}  // namespace

void ThreadState::interrupt() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    interrupted = true;
  }
  wake.notify_all();
}

bool ThreadState::takeInterrupt() {
  std::lock_guard<std::mutex> lock(mutex);
  const bool was = interrupted;
  interrupted = false;
  return was;
}

void ThreadState::signal() {
  // Taking the mutex orders the signal after any predicate change the signaller made, so no wake-up is lost.
  { std::lock_guard<std::mutex> lock(mutex); }
  wake.notify_all();
}

const std::shared_ptr<ThreadState>& currentState() {
  if (!tlsState) tlsState = std::make_shared<ThreadState>();
  return tlsState;
}

void adoptState(std::shared_ptr<ThreadState> state) {
  tlsState = std::move(state);
}

}  // namespace plat::thread::detail
