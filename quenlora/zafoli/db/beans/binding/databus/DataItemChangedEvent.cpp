#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"

#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding::databus {

DataItemChangedEvent::DataItemChangedEvent(int type, plat::lang::Object* source) : source_(source), cT(type) {
  if (type < DATA_SIZE_CHANGE || type > DATA_DELETED) throw InvalidType();
}

std::string DataItemChangedEvent::toString() const {
  return getClassName() + "[source=" + (source_ ? source_->toString() : std::string("null")) + "]";
}

}  // namespace quenlora::zafoli::db::beans::binding::databus
