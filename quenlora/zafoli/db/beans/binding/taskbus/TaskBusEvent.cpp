#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBusEvent.h"

#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"

namespace quenlora::zafoli::db::beans::binding::taskbus {

TaskBusEvent::TaskBusEvent(int type, plat::lang::Ref<ChainTasks> chain, plat::lang::Ref<ApplicationTask> task,
                           plat::lang::Object* source, std::string message, std::string sql)
    : m_Type(type),
      m_ChainTasks(std::move(chain)),
      m_ApplicationTask(std::move(task)),
      source_(source),
      m_Message(std::move(message)),
      m_SQL(std::move(sql)) {}

}  // namespace quenlora::zafoli::db::beans::binding::taskbus
