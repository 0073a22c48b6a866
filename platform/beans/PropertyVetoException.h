// Thrown by a vetoable-change listener that refuses a change of a constrained property; it carries the event of
// the refused change.
#pragma once

#include <memory>
#include <string>

#include "platform/beans/PropertyChangeEvent.h"
#include "platform/lang/Throwable.h"

namespace plat::beans {

class PropertyVetoException : public plat::lang::Exception {
 public:
  PropertyVetoException(std::string message, const PropertyChangeEvent& event)
      : Exception(std::move(message)), event_(std::make_shared<const PropertyChangeEvent>(event)) {}

  const PropertyChangeEvent& getPropertyChangeEvent() const { return *event_; }

  PLAT_THROWABLE_MEMBERS(PropertyVetoException, "java.beans.PropertyVetoException")

 private:
  std::shared_ptr<const PropertyChangeEvent> event_;  // never null
};

}  // namespace plat::beans
