// The ready-made member model: name, position, kind code, JDBC type code and writable flag, each a bound property.
// The change supports are made on the first registration of a listener of their kind. Registration is serialised
// on the object; the properties themselves need external locking when set from several threads.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/beans/PropertyChangeSupport.h"
#include "platform/beans/VetoableChangeSupport.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectMemberModel.h"

namespace quenlora::zafoli::db::beans::binding {

class DefaultPersistentObjectMemberModel : public plat::lang::Object, public ExtendedPersistentObjectMemberModel {
 public:
  static constexpr const char* PROP_NAME = "name";
  static constexpr const char* PROP_TYPE = "type";
  static constexpr const char* PROP_WRITABLE = "writable";
  static constexpr const char* PROP_DATA_TYPE = "dataType";
  static constexpr const char* PROP_INDEX = "index";

  DefaultPersistentObjectMemberModel() = default;
  // Copies the five properties through the setters; the listeners of other stay with other.
  DefaultPersistentObjectMemberModel(const DefaultPersistentObjectMemberModel& other);
  DefaultPersistentObjectMemberModel& operator=(const DefaultPersistentObjectMemberModel&) = delete;

  std::string getName() const override { return name_; }
  int getIndex() const override { return index_; }
  int getType() const override { return type_; }
  int getDataType() const override { return dataType_; }
  bool isWritable() const override { return writable_; }

  // Each setter stores the value and then announces the change (old to new).
  void setName(const std::string& name);
  void setIndex(int index);
  void setType(int type);
  void setDataType(int dataType);
  void setWritable(bool writable);

  void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener);
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener);
  void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener);
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener);

  std::string getClassName() const override {
    return "quenlora.zafoli.db.beans.binding.DefaultPersistentObjectMemberModel";
  }

 protected:
  void firePropertyChange(const std::string& property, const plat::lang::Value& oldValue,
                          const plat::lang::Value& newValue);
  // Throws the veto of a listener that refuses; no setter of this class asks.
  void fireVetoableChange(const std::string& property, const plat::lang::Value& oldValue,
                          const plat::lang::Value& newValue);

 private:
  std::string name_;
  int index_ = 0;
  int type_ = 0;
  int dataType_ = 0;
  bool writable_ = false;

  mutable std::mutex supportMutex_;
  std::unique_ptr<plat::beans::PropertyChangeSupport> changes_;  // guarded by supportMutex_; made on first add
  std::unique_ptr<plat::beans::VetoableChangeSupport> vetoes_;   // guarded by supportMutex_; made on first add
};

}  // namespace quenlora::zafoli::db::beans::binding
