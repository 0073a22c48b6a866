// An event queue without a toolkit: tasks run in order on one dispatcher thread of the queue's own, started with
// the first task. Destruction runs the tasks already queued, then joins the dispatcher. Thread-safe.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/gui/EventQueue.h"

namespace plat::gui {

class HeadlessEventQueue : public EventQueue {
 public:
  HeadlessEventQueue() = default;
  ~HeadlessEventQueue() override;

  void invokeLater(std::function<void()> task) override;
  void invokeAndWait(std::function<void()> task) override;
  bool isDispatchThread() const override;

 private:
  void dispatchLoop();
  // Starts the dispatcher if needed and queues task; false once the queue is stopping. Needs mutex_ held.
  bool enqueueLocked(std::function<void()> task);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;  // guarded by mutex_
  bool stopping_ = false;                    // guarded by mutex_
  std::thread dispatcher_;                   // started under mutex_
  std::thread::id dispatcherId_;             // guarded by mutex_
};

}  // namespace plat::gui
