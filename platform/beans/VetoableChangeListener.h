// Asked before a constrained property changes; refuses by throwing PropertyVetoException. Called on the thread
// that changes the property.
#pragma once

#include "platform/beans/PropertyChangeEvent.h"

namespace plat::beans {

class VetoableChangeListener {
 public:
  VetoableChangeListener() = default;
  VetoableChangeListener(const VetoableChangeListener&) = delete;
  VetoableChangeListener& operator=(const VetoableChangeListener&) = delete;
  virtual ~VetoableChangeListener() = default;

  // Throws PropertyVetoException to refuse the change.
  virtual void vetoableChange(const PropertyChangeEvent& event) = 0;
};

}  // namespace plat::beans
