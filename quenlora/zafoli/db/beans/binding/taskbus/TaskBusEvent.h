// One announcement on the task bus: its type (start, middle or end of a task), the chain and application task it
// concerns (either may be absent), the announcing component, a free message and, for logged SQL, the statement.
// An immutable value; the source is a plain back reference the event does not own.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding {
class ApplicationTask;
class ChainTasks;
}  // namespace quenlora::zafoli::db::beans::binding

namespace quenlora::zafoli::db::beans::binding::taskbus {

class TaskBusEvent {
 public:
  static constexpr int START_TASK = 0;
  static constexpr int MIDDLE_TASK = 1;
  static constexpr int END_TASK = 2;

  // Types outside START_TASK..END_TASK are carried unchanged.
  TaskBusEvent(int type, plat::lang::Ref<ChainTasks> chain, plat::lang::Ref<ApplicationTask> task,
               plat::lang::Object* source, std::string message, std::string sql = "");

  int getEventType() const { return m_Type; }
  const plat::lang::Ref<ChainTasks>& getChainTasks() const { return m_ChainTasks; }
  const plat::lang::Ref<ApplicationTask>& getApplicationTask() const { return m_ApplicationTask; }
  plat::lang::Object* getSource() const { return source_; }
  const std::string& getMessage() const { return m_Message; }
  const std::string& getSQL() const { return m_SQL; }

 private:
  int m_Type;
  plat::lang::Ref<ChainTasks> m_ChainTasks;            // may be null
  plat::lang::Ref<ApplicationTask> m_ApplicationTask;  // may be null
  plat::lang::Object* source_;                         // back reference to the announcer; not owned
  std::string m_Message;
  std::string m_SQL;
};

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
