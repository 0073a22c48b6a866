#include "platform/beans/PropertyChangeSupport.h"

#include "platform/lang/Exceptions.h"

namespace plat::beans {

bool isChange(const plat::lang::Value& oldValue, const plat::lang::Value& newValue) {
  return oldValue.isNull() || newValue.isNull() || !oldValue.equals(newValue);
}

PropertyChangeSupport::PropertyChangeSupport(plat::lang::Object* source) : source_(source) {
  if (!source_) throw plat::lang::NullPointerException();
}

void PropertyChangeSupport::firePropertyChange(const std::string& propertyName, const plat::lang::Value& oldValue,
                                               const plat::lang::Value& newValue) {
  if (!isChange(oldValue, newValue)) return;
  firePropertyChange(PropertyChangeEvent(source_, propertyName, oldValue, newValue));
}

void PropertyChangeSupport::firePropertyChange(const PropertyChangeEvent& event) {
  if (!isChange(event.getOldValue(), event.getNewValue())) return;
  for (const auto& listener : listeners_.snapshot(event.getPropertyName())) listener->propertyChange(event);
}

}  // namespace plat::beans
