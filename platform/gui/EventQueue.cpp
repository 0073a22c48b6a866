#include "platform/gui/EventQueue.h"

#include <mutex>

#include "platform/gui/HeadlessEventQueue.h"
#include "platform/lang/System.h"

namespace plat::gui {

namespace {

std::mutex& queueMutex() {
  static std::mutex* mutex = new std::mutex();  // lives until the process ends
  return *mutex;
}

// The default queue is an ordinary static so that its destructor joins the dispatcher at process end; the
// installed pointer only refers to it without owning it.
std::shared_ptr<EventQueue> defaultQueue() {
  static HeadlessEventQueue queue;
  return std::shared_ptr<EventQueue>(&queue, [](EventQueue*) {});
}

std::shared_ptr<EventQueue>& installed() {
  static auto* queue = new std::shared_ptr<EventQueue>();  // guarded by queueMutex()
  return *queue;
}

}  // namespace

EventQueue::~EventQueue() = default;

std::shared_ptr<EventQueue> EventQueue::current() {
  std::lock_guard<std::mutex> lock(queueMutex());
  auto& queue = installed();
  if (!queue) queue = defaultQueue();
  return queue;
}

void EventQueue::setCurrent(std::shared_ptr<EventQueue> queue) {
  std::lock_guard<std::mutex> lock(queueMutex());
  installed() = queue ? std::move(queue) : defaultQueue();
}

void EventQueue::runReporting(const std::function<void()>& task) {
  try {
    task();
  } catch (const std::exception& e) {
    plat::lang::System::err().println(std::string("Exception in event dispatch thread: ") + e.what());
  } catch (...) {
    plat::lang::System::err().println("Exception in event dispatch thread");
  }
}

}  // namespace plat::gui
