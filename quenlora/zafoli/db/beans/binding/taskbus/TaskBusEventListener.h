// A follower of the task bus: called for every announcement, on the announcing thread, outside the bus lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBusEvent.h"

namespace quenlora::zafoli::db::beans::binding::taskbus {

class TaskBusEventListener {
 public:
  virtual ~TaskBusEventListener() = default;
  virtual void handleTaskBusEvent(const TaskBusEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
