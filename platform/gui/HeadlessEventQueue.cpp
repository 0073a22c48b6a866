#include "platform/gui/HeadlessEventQueue.h"

#include <exception>
#include <future>
#include <utility>

namespace plat::gui {

HeadlessEventQueue::~HeadlessEventQueue() {
  std::thread dispatcher;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    dispatcher = std::move(dispatcher_);
  }
  wake_.notify_all();
  if (!dispatcher.joinable()) return;
  // A task that drops the last reference to its own queue cannot join itself.
  if (dispatcher.get_id() == std::this_thread::get_id()) {
    dispatcher.detach();
  } else {
    dispatcher.join();
  }
}

bool HeadlessEventQueue::enqueueLocked(std::function<void()> task) {
  if (stopping_) return false;
  tasks_.push_back(std::move(task));
  if (!dispatcher_.joinable()) {
    dispatcher_ = std::thread([this] { dispatchLoop(); });
    dispatcherId_ = dispatcher_.get_id();
  }
  return true;
}

void HeadlessEventQueue::invokeLater(std::function<void()> task) {
  if (!task) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Once stopping (process end) nobody waits for the task any more, so it is dropped.
    if (!enqueueLocked(std::move(task))) return;
  }
  wake_.notify_one();
}

void HeadlessEventQueue::invokeAndWait(std::function<void()> task) {
  if (!task) return;
  if (isDispatchThread()) {
    task();
    return;
  }
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> result = done->get_future();
  auto wrapped = [task = std::move(task), done] {
    try {
      task();
      done->set_value();
    } catch (...) {
      done->set_exception(std::current_exception());
    }
  };
  bool queued;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queued = enqueueLocked(wrapped);
  }
  if (!queued) {
    // The dispatcher is going away; running here keeps the caller from waiting forever.
    wrapped();
  } else {
    wake_.notify_one();
  }
  result.get();
}

bool HeadlessEventQueue::isDispatchThread() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return dispatcher_.joinable() && dispatcherId_ == std::this_thread::get_id();
}

void HeadlessEventQueue::dispatchLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
    if (tasks_.empty()) return;  // stopping, and everything queued has run
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    runReporting(task);
    lock.lock();
  }
}

}  // namespace plat::gui
