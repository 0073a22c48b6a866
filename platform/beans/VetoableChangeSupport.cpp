#include "platform/beans/VetoableChangeSupport.h"

#include "platform/beans/PropertyChangeSupport.h"
#include "platform/lang/Exceptions.h"

namespace plat::beans {

VetoableChangeSupport::VetoableChangeSupport(plat::lang::Object* source) : source_(source) {
  if (!source_) throw plat::lang::NullPointerException();
}

void VetoableChangeSupport::fireVetoableChange(const std::string& propertyName, const plat::lang::Value& oldValue,
                                               const plat::lang::Value& newValue) {
  if (!isChange(oldValue, newValue)) return;
  fireVetoableChange(PropertyChangeEvent(source_, propertyName, oldValue, newValue));
}

void VetoableChangeSupport::fireVetoableChange(const PropertyChangeEvent& event) {
  if (!isChange(event.getOldValue(), event.getNewValue())) return;
  auto listeners = listeners_.snapshot(event.getPropertyName());
  std::size_t asked = 0;
  try {
    for (; asked < listeners.size(); ++asked) listeners[asked]->vetoableChange(event);
  } catch (const PropertyVetoException&) {
    PropertyChangeEvent revert(event.getSource(), event.getPropertyName(), event.getNewValue(), event.getOldValue());
    for (std::size_t i = 0; i < asked; ++i) {
      try {
        listeners[i]->vetoableChange(revert);
      } catch (const PropertyVetoException&) {
        // A listener cannot refuse going back to the old value.
      }
    }
    throw;
  }
}

}  // namespace plat::beans
