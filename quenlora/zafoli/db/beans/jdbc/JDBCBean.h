// The base of the JDBC data-source beans: name, description, the debug switch for diagnostic printing, the
// automatic start on restore, bound and constrained property listeners, and the saved form of those settings.
// Property accessors are safe from any thread; listeners are called on the caller's thread outside any lock.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "platform/beans/PropertyChangeListener.h"
#include "platform/beans/PropertyChangeSupport.h"
#include "platform/beans/VetoableChangeListener.h"
#include "platform/beans/VetoableChangeSupport.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/sql/SQLException.h"

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::jdbc {

class JDBCBean : public plat::lang::Object,
                 public plat::beans::PropertyChangeListener,
                 public plat::beans::VetoableChangeListener {
 public:
  static constexpr const char* kVersion = "0.01";
  static constexpr const char* kStringResources = "quenlora.zafoli.db.beans.res.StringResources";

  JDBCBean();
  ~JDBCBean() override;

  std::string getName() const;
  void setName(const std::string& name);
  std::string getDescription() const;
  void setDescription(const std::string& description);
  bool isDebug() const { return debug_; }
  void setDebug(bool debug);
  bool isAutoStart() const { return autoStart_; }
  void setAutoStart(bool autoStart);

  void addPropertyChangeListener(plat::lang::Ref<plat::beans::PropertyChangeListener> listener);
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener);
  void addVetoableChangeListener(plat::lang::Ref<plat::beans::VetoableChangeListener> listener);
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener);

  bool needsGui() const { return false; }
  bool avoidingGui() const { return false; }
  void dontUseGui() { guiAvailable_ = false; }
  void okToUseGui() { guiAvailable_ = true; }

  void propertyChange(const plat::beans::PropertyChangeEvent& event) override;
  void vetoableChange(const plat::beans::PropertyChangeEvent& event) override;

  // The key's text from the outside string resources; "String Resource Error" when they cannot be had.
  std::string getResString(const std::string& key);

  // Checks a restored bean's versions and starts it when it starts by itself; InvalidObjectException with the
  // version text when a saved form is not this one's.
  virtual void validateObject();

 protected:
  // Starts a restored bean that starts by itself; nothing here.
  virtual void doAutoStart() {}
  // Prints text on standard output when debug is on.
  void printMessage(const std::string& text) const;
  // Prints the exception when debug is on, then throws it on with its own kind.
  [[noreturn]] void handleException(const plat::sql::SQLException& exception) const;
  void processPropertyChange(const std::string& name, const plat::lang::Value& oldValue,
                             const plat::lang::Value& newValue);
  // PropertyVetoException when a listener refuses the change.
  void processVetoableChange(const std::string& name, const plat::lang::Value& oldValue,
                             const plat::lang::Value& newValue);

  void writeBase(plat::serial::ObjectOutput& out) const;
  // StreamCorruptedException for a damaged archive.
  void readBase(plat::serial::ObjectInput& in);

  mutable std::mutex propertyMutex_;  // guards the text properties of this class and its subclasses

 private:
  std::string version_ = kVersion;  // guarded by propertyMutex_
  std::string name_;                // guarded by propertyMutex_
  std::string description_;         // guarded by propertyMutex_
  std::atomic<bool> debug_{false};
  std::atomic<bool> autoStart_{false};
  std::atomic<bool> guiAvailable_{false};
  plat::beans::PropertyChangeSupport boundChanges_;
  plat::beans::VetoableChangeSupport vetoChanges_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
