#include "quenlora/zafoli/db/beans/jdbc/JDBCBean.h"

#include <cstdlib>

#include "platform/beans/PropertyVetoException.h"
#include "platform/lang/System.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;

JDBCBean::JDBCBean() : boundChanges_(this), vetoChanges_(this) {}

JDBCBean::~JDBCBean() = default;

std::string JDBCBean::getName() const {
  std::lock_guard lock(propertyMutex_);
  return name_;
}

void JDBCBean::setName(const std::string& name) {
  processPropertyChange("name", getName(), name);
  std::lock_guard lock(propertyMutex_);
  name_ = name;
}

std::string JDBCBean::getDescription() const {
  std::lock_guard lock(propertyMutex_);
  return description_;
}

void JDBCBean::setDescription(const std::string& description) {
  processPropertyChange("description", getDescription(), description);
  std::lock_guard lock(propertyMutex_);
  description_ = description;
}

void JDBCBean::setDebug(bool debug) {
  processPropertyChange("debug", Value(debug_.load()), Value(debug));
  debug_ = debug;
}

void JDBCBean::setAutoStart(bool autoStart) {
  processPropertyChange("autoStart", Value(autoStart_.load()), Value(autoStart));
  autoStart_ = autoStart;
}

void JDBCBean::addPropertyChangeListener(plat::lang::Ref<plat::beans::PropertyChangeListener> listener) {
  boundChanges_.addPropertyChangeListener(std::move(listener));
}

void JDBCBean::removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) {
  boundChanges_.removePropertyChangeListener(listener);
}

void JDBCBean::addVetoableChangeListener(plat::lang::Ref<plat::beans::VetoableChangeListener> listener) {
  vetoChanges_.addVetoableChangeListener(std::move(listener));
}

void JDBCBean::removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) {
  vetoChanges_.removeVetoableChangeListener(listener);
}

void JDBCBean::propertyChange(const plat::beans::PropertyChangeEvent&) {}

void JDBCBean::vetoableChange(const plat::beans::PropertyChangeEvent&) {}

std::string JDBCBean::getResString(const std::string& key) {
  try {
    return plat::text::ResourceBundle::getBundle(kStringResources)->getString(key);
  } catch (const plat::lang::Throwable& failure) {
    plat::lang::System::out().println("Exception caught: " + failure.toString());
    return "String Resource Error";
  }
}

void JDBCBean::validateObject() {
  std::string version;
  {
    std::lock_guard lock(propertyMutex_);
    version = version_;
  }
  if (version != kVersion) {
    throw plat::serial::InvalidObjectException("Serialized version " + version +
                                               "is not compatible with JDBCBean version " + kVersion);
  }
  if (!autoStart_) return;
  try {
    doAutoStart();
  } catch (const plat::lang::Throwable& failure) {
    printMessage("Exception thrown during de-serialization: " + failure.toString());
  }
}

void JDBCBean::printMessage(const std::string& text) const {
  if (debug_) plat::lang::System::out().println(text);
}

void JDBCBean::handleException(const plat::sql::SQLException& exception) const {
  if (debug_) {
    plat::lang::System::out().println("Exception thrown: " + exception.toString());
    plat::lang::System::out().println("Stack Trace: ");
    plat::lang::System::out().println(exception.toString());
  }
  exception.raise();
  std::abort();  // not reached: raise() always throws, but the attribute does not reach through the virtual call
}

void JDBCBean::processPropertyChange(const std::string& name, const Value& oldValue, const Value& newValue) {
  printMessage("BOUND PROPERTY " + name + " CHANGED FROM " + oldValue.toString() + " TO " + newValue.toString());
  boundChanges_.firePropertyChange(name, oldValue, newValue);
}

void JDBCBean::processVetoableChange(const std::string& name, const Value& oldValue, const Value& newValue) {
  printMessage("ATTEMPTING TO CHANGE CONSTRAINED PROPERTY " + name + " FROM " + oldValue.toString() + " TO " +
               newValue.toString());
  try {
    vetoChanges_.fireVetoableChange(name, oldValue, newValue);
  } catch (const plat::beans::PropertyVetoException&) {
    printMessage("ATTEMPT TO CHANGE CONSTRAINED PROPERTY " + name + " FAILED");
    throw;
  }
  printMessage("ATTEMPT TO CHANGE CONSTRAINED PROPERTY " + name + " SUCCEEDED");
}

void JDBCBean::writeBase(plat::serial::ObjectOutput& out) const {
  std::lock_guard lock(propertyMutex_);
  out.writeUTF(version_);
  out.writeUTF(name_);
  out.writeUTF(description_);
  out.writeBoolean(debug_);
  out.writeBoolean(autoStart_);
}

void JDBCBean::readBase(plat::serial::ObjectInput& in) {
  std::string version = in.readUTF();
  std::string name = in.readUTF();
  std::string description = in.readUTF();
  debug_ = in.readBoolean();
  autoStart_ = in.readBoolean();
  std::lock_guard lock(propertyMutex_);
  version_ = std::move(version);
  name_ = std::move(name);
  description_ = std::move(description);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
