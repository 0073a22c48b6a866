// Receives the changes of bound properties. Called on the thread that changed the property.
#pragma once

#include "platform/beans/PropertyChangeEvent.h"

namespace plat::beans {

class PropertyChangeListener {
 public:
  PropertyChangeListener() = default;
  PropertyChangeListener(const PropertyChangeListener&) = delete;
  PropertyChangeListener& operator=(const PropertyChangeListener&) = delete;
  virtual ~PropertyChangeListener() = default;

  virtual void propertyChange(const PropertyChangeEvent& event) = 0;
};

}  // namespace plat::beans
