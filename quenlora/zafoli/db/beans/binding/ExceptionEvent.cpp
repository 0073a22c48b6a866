#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"

namespace quenlora::zafoli::db::beans::binding {

ExceptionEvent::ExceptionEvent(int type, std::string name, plat::lang::Object* source)
    : type_(type), name_(std::move(name)), source_(source) {}

ExceptionEvent::ExceptionEvent(int type, std::string name, plat::lang::Object* source,
                               plat::lang::ThrowableRef exception)
    : type_(type), name_(std::move(name)), exception_(std::move(exception)), source_(source) {}

std::string ExceptionEvent::toString() const {
  return getClassName() + "[type=" + std::to_string(type_) + "; name=" + name_ + "]";
}

}  // namespace quenlora::zafoli::db::beans::binding
