// The listener lists of a bean's constrained properties, as the runtime's VetoableChangeSupport keeps them: a
// proposed change goes to every listener in turn (those of every property first); when one refuses, the listeners
// already asked are told the change back (new to old) and the veto is thrown on. Thread-safe; listeners are
// called outside the lock on a copy of the lists.
#pragma once

#include <string>
#include <vector>

#include "platform/beans/ListenerMap.h"
#include "platform/beans/PropertyChangeEvent.h"
#include "platform/beans/PropertyVetoException.h"
#include "platform/beans/VetoableChangeListener.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace plat::beans {

class VetoableChangeSupport {
 public:
  using ListenerRef = plat::lang::Ref<VetoableChangeListener>;

  // source is the bean named in the events: a back reference, not owned; must not be null.
  explicit VetoableChangeSupport(plat::lang::Object* source);
  VetoableChangeSupport(const VetoableChangeSupport&) = delete;
  VetoableChangeSupport& operator=(const VetoableChangeSupport&) = delete;

  void addVetoableChangeListener(ListenerRef listener) { listeners_.add(nullptr, std::move(listener)); }
  void removeVetoableChangeListener(const ListenerRef& listener) { listeners_.remove(nullptr, listener); }
  void addVetoableChangeListener(const std::string& propertyName, ListenerRef listener) {
    listeners_.add(&propertyName, std::move(listener));
  }
  void removeVetoableChangeListener(const std::string& propertyName, const ListenerRef& listener) {
    listeners_.remove(&propertyName, listener);
  }
  std::vector<ListenerRef> getVetoableChangeListeners() const { return listeners_.get(nullptr); }
  std::vector<ListenerRef> getVetoableChangeListeners(const std::string& propertyName) const {
    return listeners_.get(&propertyName);
  }
  bool hasListeners(const std::string& propertyName) const { return listeners_.hasListeners(propertyName); }

  // Throws the PropertyVetoException of the listener that refused. Equal non-null values are not proposed.
  void fireVetoableChange(const std::string& propertyName, const plat::lang::Value& oldValue,
                          const plat::lang::Value& newValue);
  void fireVetoableChange(const PropertyChangeEvent& event);

 private:
  plat::lang::Object* source_;  // back reference to the bean
  ListenerMap<VetoableChangeListener> listeners_;
};

}  // namespace plat::beans
