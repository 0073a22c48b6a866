#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"

#include <algorithm>

namespace quenlora::zafoli::db::beans::binding::taskbus {

namespace {

struct ClassState {
  std::mutex mutex;
  plat::lang::Ref<TaskBus> bus;                       // guarded by mutex; set on the first join
  std::vector<std::weak_ptr<TaskBusMember>> members;  // guarded by mutex; join order
};

ClassState& classState() {
  static ClassState* state = new ClassState();  // lives until the process ends
  return *state;
}

}  // namespace

void TaskBus::joinTaskBus(const std::shared_ptr<TaskBusMember>& member) {
  if (!member) return;
  plat::lang::Ref<TaskBus> bus;
  {
    ClassState& state = classState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.bus) state.bus = plat::lang::Ref<TaskBus>(new TaskBus());
    bus = state.bus;
    state.members.push_back(member);
  }
  // Outside the class lock: the member registers itself on the bus, which takes the bus lock.
  member->setTaskBus(bus);
}

std::vector<std::shared_ptr<TaskBusMember>> TaskBus::getMembers() {
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  std::vector<std::shared_ptr<TaskBusMember>> alive;
  for (const auto& weak : state.members) {
    if (auto member = weak.lock()) alive.push_back(std::move(member));
  }
  return alive;
}

plat::lang::Ref<TaskBus> TaskBus::getInstance() {
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.bus;
}

void TaskBus::addTaskBusEventListener(const std::shared_ptr<TaskBusEventListener>& listener) {
  if (!listener) return;
  std::lock_guard<std::mutex> lock(mutex_);
  listeners_.push_back(listener);
}

void TaskBus::removeTaskBusEventListener(const std::shared_ptr<TaskBusEventListener>& listener) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it != listeners_.end()) listeners_.erase(it);
}

void TaskBus::announceData(const TaskBusEvent& event) {
  std::vector<std::shared_ptr<TaskBusEventListener>> copy;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    copy = listeners_;
  }
  // The event is immutable: every listener is handed the announcer's own.
  for (const auto& listener : copy) listener->handleTaskBusEvent(event);
}

bool TaskBus::getDebug() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return debug_;
}

void TaskBus::setDebug(bool debug) {
  std::lock_guard<std::mutex> lock(mutex_);
  debug_ = debug;
}

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
