#include "quenlora/zafoli/db/beans/binding/databus/DataBusEvent.h"

#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding::databus {

DataBusEvent::DataBusEvent(int type, std::string name, plat::lang::Object* source)
    : DataBusEvent(type, std::move(name), source, nullptr) {}

DataBusEvent::DataBusEvent(int type, std::string name, plat::lang::Object* source, plat::lang::Ref<DataItem> item)
    : source_(source), ty(type), itNa(std::move(name)), di(std::move(item)) {
  if (type < DATA_AVAILABLE || type > DATA_REQUEST) throw InvalidType();
}

std::string DataBusEvent::toString() const {
  return getClassName() + "[source=" + (source_ ? source_->toString() : std::string("null")) + "]";
}

}  // namespace quenlora::zafoli::db::beans::binding::databus
