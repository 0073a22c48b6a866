// The announcement that a property of a bean changed (or is about to): the source bean, the property's name and
// its old and new values. A copyable value; the source is a plain back reference that the event does not own.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace plat::beans {

class PropertyChangeEvent : public plat::lang::Object {
 public:
  // source must not be null (IllegalArgumentException "null source"); an empty name stands for an unknown or several
  // properties.
  PropertyChangeEvent(plat::lang::Object* source, std::string propertyName, plat::lang::Value oldValue,
                      plat::lang::Value newValue);

  plat::lang::Object* getSource() const { return source_; }
  const std::string& getPropertyName() const { return propertyName_; }
  const plat::lang::Value& getOldValue() const { return oldValue_; }
  const plat::lang::Value& getNewValue() const { return newValue_; }

  std::string getClassName() const override { return "java.beans.PropertyChangeEvent"; }
  // "java.beans.PropertyChangeEvent[propertyName=...; oldValue=...; newValue=...; source=...]".
  std::string toString() const override;

 private:
  plat::lang::Object* source_;  // back reference to the bean; not owned
  std::string propertyName_;
  plat::lang::Value oldValue_;
  plat::lang::Value newValue_;
};

}  // namespace plat::beans
