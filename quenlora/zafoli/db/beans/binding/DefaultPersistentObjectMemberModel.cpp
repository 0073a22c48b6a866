#include "quenlora/zafoli/db/beans/binding/DefaultPersistentObjectMemberModel.h"

namespace quenlora::zafoli::db::beans::binding {

using plat::lang::Value;

DefaultPersistentObjectMemberModel::DefaultPersistentObjectMemberModel(const DefaultPersistentObjectMemberModel& other)
    : Object() {
  setName(std::string(other.getName()));
  setIndex(other.getIndex());
  setType(other.getType());
  setDataType(other.getDataType());
  setWritable(other.isWritable());
}

void DefaultPersistentObjectMemberModel::setName(const std::string& name) {
  std::string old = name_;
  name_ = name;
  firePropertyChange(PROP_NAME, Value(old), Value(name_));
}

void DefaultPersistentObjectMemberModel::setIndex(int index) {
  int old = index_;
  index_ = index;
  firePropertyChange(PROP_INDEX, Value(old), Value(index));
}

void DefaultPersistentObjectMemberModel::setType(int type) {
  int old = type_;
  type_ = type;
  firePropertyChange(PROP_TYPE, Value(old), Value(type));
}

void DefaultPersistentObjectMemberModel::setDataType(int dataType) {
  int old = dataType_;
  dataType_ = dataType;
  firePropertyChange(PROP_DATA_TYPE, Value(old), Value(dataType));
}

void DefaultPersistentObjectMemberModel::setWritable(bool writable) {
  bool old = writable_;
  writable_ = writable;
  firePropertyChange(PROP_WRITABLE, Value(old), Value(writable));
}

void DefaultPersistentObjectMemberModel::addPropertyChangeListener(
    const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) {
  std::lock_guard lock(supportMutex_);
  if (!changes_) changes_ = std::make_unique<plat::beans::PropertyChangeSupport>(this);
  changes_->addPropertyChangeListener(listener);
}

void DefaultPersistentObjectMemberModel::removePropertyChangeListener(
    const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) {
  std::lock_guard lock(supportMutex_);
  if (changes_) changes_->removePropertyChangeListener(listener);
}

void DefaultPersistentObjectMemberModel::addVetoableChangeListener(
    const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) {
  std::lock_guard lock(supportMutex_);
  if (!vetoes_) vetoes_ = std::make_unique<plat::beans::VetoableChangeSupport>(this);
  vetoes_->addVetoableChangeListener(listener);
}

void DefaultPersistentObjectMemberModel::removeVetoableChangeListener(
    const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) {
  std::lock_guard lock(supportMutex_);
  if (vetoes_) vetoes_->removeVetoableChangeListener(listener);
}

void DefaultPersistentObjectMemberModel::firePropertyChange(const std::string& property, const Value& oldValue,
                                                            const Value& newValue) {
  plat::beans::PropertyChangeSupport* support;
  {
    std::lock_guard lock(supportMutex_);
    support = changes_.get();  // once made, the support lives as long as the object
  }
  if (support) support->firePropertyChange(property, oldValue, newValue);
}

void DefaultPersistentObjectMemberModel::fireVetoableChange(const std::string& property, const Value& oldValue,
                                                            const Value& newValue) {
  plat::beans::VetoableChangeSupport* support;
  {
    std::lock_guard lock(supportMutex_);
    support = vetoes_.get();
  }
  if (support) support->fireVetoableChange(property, oldValue, newValue);
}

}  // namespace quenlora::zafoli::db::beans::binding
