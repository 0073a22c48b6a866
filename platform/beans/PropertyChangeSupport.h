// The listener lists of a bean's bound properties and the firing of their changes, as the runtime's
// PropertyChangeSupport does: a change whose old and new values are equal and not null is not announced;
// listeners of every property are called first, then those of the property, each in registration order, on a
// copy of the lists. Thread-safe; listeners are called outside the lock and may change the lists.
#pragma once

#include <string>
#include <vector>

#include "platform/beans/ListenerMap.h"
#include "platform/beans/PropertyChangeEvent.h"
#include "platform/beans/PropertyChangeListener.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace plat::beans {

class PropertyChangeSupport {
 public:
  using ListenerRef = plat::lang::Ref<PropertyChangeListener>;

  // source is the bean named in the events: a back reference, not owned; must not be null.
  explicit PropertyChangeSupport(plat::lang::Object* source);
  PropertyChangeSupport(const PropertyChangeSupport&) = delete;
  PropertyChangeSupport& operator=(const PropertyChangeSupport&) = delete;

  void addPropertyChangeListener(ListenerRef listener) { listeners_.add(nullptr, std::move(listener)); }
  void removePropertyChangeListener(const ListenerRef& listener) { listeners_.remove(nullptr, listener); }
  void addPropertyChangeListener(const std::string& propertyName, ListenerRef listener) {
    listeners_.add(&propertyName, std::move(listener));
  }
  void removePropertyChangeListener(const std::string& propertyName, const ListenerRef& listener) {
    listeners_.remove(&propertyName, listener);
  }
  // The listeners of every property / of that property alone.
  std::vector<ListenerRef> getPropertyChangeListeners() const { return listeners_.get(nullptr); }
  std::vector<ListenerRef> getPropertyChangeListeners(const std::string& propertyName) const {
    return listeners_.get(&propertyName);
  }
  // Whether a change of that property would reach anyone.
  bool hasListeners(const std::string& propertyName) const { return listeners_.hasListeners(propertyName); }

  // Values of the C++ types int and bool arrive as Int and Boolean, as the runtime boxes them.
  void firePropertyChange(const std::string& propertyName, const plat::lang::Value& oldValue,
                          const plat::lang::Value& newValue);
  void firePropertyChange(const PropertyChangeEvent& event);

 private:
  plat::lang::Object* source_;  // back reference to the bean
  ListenerMap<PropertyChangeListener> listeners_;
};

// Whether a change from oldValue to newValue is announced: not when both are equal and not null.
bool isChange(const plat::lang::Value& oldValue, const plat::lang::Value& newValue);

}  // namespace plat::beans
