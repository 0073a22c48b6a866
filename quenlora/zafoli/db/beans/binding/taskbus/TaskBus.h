// The process-wide task bus on which the data-binding components announce the progress of their work. Made on
// the first join and kept until the process ends. Joining is serialised class-wide; listener registration and
// announcements on the bus. Listeners are called in registration order on a copy of the list taken under the
// lock and outside it, so a listener may add or remove listeners, announce, or wait on another announcing thread.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBusEvent.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBusEventListener.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBusMember.h"

namespace quenlora::zafoli::db::beans::binding::taskbus {

class TaskBus : public plat::lang::Object {
 public:
  TaskBus(const TaskBus&) = delete;
  TaskBus& operator=(const TaskBus&) = delete;

  // Gives member the process's bus (making it on the first join) and records it as a member. There is no leave:
  // the bus keeps only a weak reference, so a member that is discarded simply drops out of the list.
  static void joinTaskBus(const std::shared_ptr<TaskBusMember>& member);
  // The members that joined and are still alive, in join order.
  static std::vector<std::shared_ptr<TaskBusMember>> getMembers();
  // The bus once someone has joined; null before.
  static plat::lang::Ref<TaskBus> getInstance();

  void addTaskBusEventListener(const std::shared_ptr<TaskBusEventListener>& listener);
  void removeTaskBusEventListener(const std::shared_ptr<TaskBusEventListener>& listener);
  // Hands a copy of event to each listener registered when the call began.
  void announceData(const TaskBusEvent& event);

  bool getDebug() const;
  void setDebug(bool debug);

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.taskbus.TaskBus"; }

 private:
  TaskBus() = default;

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<TaskBusEventListener>> listeners_;  // guarded by mutex_
  bool debug_ = false;                                            // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
