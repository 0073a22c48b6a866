// A component that joins the task bus: the bus hands itself over through setTaskBus(), where a member that
// listens registers itself.
#pragma once

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::taskbus {

class TaskBus;

class TaskBusMember {
 public:
  virtual ~TaskBusMember() = default;
  virtual plat::lang::Ref<TaskBus> getTaskBus() const = 0;
  virtual void setTaskBus(const plat::lang::Ref<TaskBus>& bus) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
