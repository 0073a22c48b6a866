#include "platform/beans/PropertyChangeEvent.h"

#include "platform/lang/Exceptions.h"

namespace plat::beans {

PropertyChangeEvent::PropertyChangeEvent(plat::lang::Object* source, std::string propertyName,
                                         plat::lang::Value oldValue, plat::lang::Value newValue)
    : source_(source),
      propertyName_(std::move(propertyName)),
      oldValue_(std::move(oldValue)),
      newValue_(std::move(newValue)) {
  if (!source_) throw plat::lang::IllegalArgumentException("null source");
}

std::string PropertyChangeEvent::toString() const {
  return getClassName() + "[propertyName=" + (propertyName_.empty() ? "null" : propertyName_) +
         "; oldValue=" + oldValue_.toString() + "; newValue=" + newValue_.toString() +
         "; source=" + source_->toString() + "]";
}

}  // namespace plat::beans
