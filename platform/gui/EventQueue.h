// The GUI event queue: runs tasks on the one thread that may touch widgets. A process-wide current queue is
// settable; until one is installed a headless queue with a dispatcher thread of its own answers. current() and
// setCurrent() are thread-safe, and so are the task methods of every implementation.
#pragma once

#include <functional>
#include <memory>

namespace plat::gui {

class EventQueue {
 public:
  EventQueue() = default;
  EventQueue(const EventQueue&) = delete;
  EventQueue& operator=(const EventQueue&) = delete;
  virtual ~EventQueue();

  // Queues task to run later on the dispatch thread, in the order queued.
  virtual void invokeLater(std::function<void()> task) = 0;
  // Runs task on the dispatch thread and returns once it is done; an exception the task throws is rethrown here.
  // Called on the dispatch thread itself, the task runs inline.
  virtual void invokeAndWait(std::function<void()> task) = 0;
  virtual bool isDispatchThread() const = 0;

  // The installed queue; the default headless one when none was installed.
  static std::shared_ptr<EventQueue> current();
  // Installs queue for the whole process; null puts back the default headless queue.
  static void setCurrent(std::shared_ptr<EventQueue> queue);

 protected:
  // Runs a task nobody waits for: its failure is reported on standard error instead of ending the dispatch.
  static void runReporting(const std::function<void()>& task);
};

}  // namespace plat::gui
