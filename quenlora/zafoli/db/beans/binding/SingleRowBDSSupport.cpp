#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"

#include <algorithm>
#include <map>
#include <utility>

namespace quenlora::zafoli::db::beans::binding {

using plat::lang::Ref;
using plat::lang::Value;

namespace {

// Full binding name to the support that publishes under it; process-wide, kept until the process ends.
struct Registry {
  std::mutex mutex;
  std::map<std::string, Ref<SingleRowBDSSupport>> hashBindNames;  // guarded by mutex
};

Registry& registry() {
  static Registry* instance = new Registry();
  return *instance;
}

Ref<SingleRowBDSSupport> lookUp(const std::string& fullName) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto it = r.hashBindNames.find(fullName);
  return it == r.hashBindNames.end() ? nullptr : it->second;
}

}  // namespace

SingleRowBDSSupport::SingleRowBDSSupport(const Ref<plat::lang::Object>& source)
    : source_(source), hasSource_(static_cast<bool>(source)) {}

Value SingleRowBDSSupport::getValue(int row, int column) {
  std::lock_guard lock(mutex_);
  if (row != 0 || column < 0 || static_cast<std::size_t>(column) >= values_.size()) return Value();
  return values_[static_cast<std::size_t>(column)];
}

void SingleRowBDSSupport::setValue(const Value& value, int row, int column) {
  if (row != 0 || column < 0) return;
  std::lock_guard lock(mutex_);
  if (values_.size() <= static_cast<std::size_t>(column)) values_.resize(static_cast<std::size_t>(column) + 1);
  values_[static_cast<std::size_t>(column)] = value;
  hasValues_ = true;
}

int SingleRowBDSSupport::getCurrentRowNumber() {
  std::lock_guard lock(mutex_);
  return hasValues_ ? 0 : -1;
}

int SingleRowBDSSupport::getTotalNumberOfRows() {
  std::lock_guard lock(mutex_);
  return hasValues_ ? 1 : 0;
}

std::vector<Value> SingleRowBDSSupport::getValues() {
  std::lock_guard lock(mutex_);
  return values_;
}

Value SingleRowBDSSupport::getValues(int column) {
  return getValue(0, column);
}

void SingleRowBDSSupport::setValues(std::vector<Value> values) {
  std::lock_guard lock(mutex_);
  values_ = std::move(values);
  hasValues_ = true;
}

void SingleRowBDSSupport::setValues(int column, const Value& value) {
  setValue(value, 0, column);
}

void SingleRowBDSSupport::addTriggerUIListener(const Ref<TriggerUIListener>& listener) {
  if (!listener) return;
  std::lock_guard lock(mutex_);
  triggerUIListeners_.push_back(listener);
}

void SingleRowBDSSupport::removeTriggerUIListener(const Ref<TriggerUIListener>& listener) {
  std::lock_guard lock(mutex_);
  auto it = std::find(triggerUIListeners_.begin(), triggerUIListeners_.end(), listener);
  if (it != triggerUIListeners_.end()) triggerUIListeners_.erase(it);
}

std::vector<Ref<TriggerUIListener>> SingleRowBDSSupport::listenersNow() const {
  std::lock_guard lock(mutex_);
  return triggerUIListeners_;
}

void SingleRowBDSSupport::setDataBinding(Name name) {
  const auto listeners = listenersNow();
  if (listeners.empty()) return;
  const std::string fullName = name.getFullName();
  if (Ref<SingleRowBDSSupport> earlier = lookUp(fullName)) earlier->reInitDataItem(name);
  for (const auto& listener : listeners) listener->setDataBinding(fullName);
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.hashBindNames[fullName] = std::static_pointer_cast<SingleRowBDSSupport>(shared_from_this());
}

void SingleRowBDSSupport::reInitDataItem(Name name) {
  if (Ref<MediatorDS> mediator = getMediatorDS()) mediator->killAll(name.getTableName());
  const std::string fullName = name.getFullName();
  Ref<SingleRowBDSSupport> removed;  // released after the lock
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto it = r.hashBindNames.find(fullName);
  if (it != r.hashBindNames.end() && it->second.get() == this) {
    removed = std::move(it->second);
    r.hashBindNames.erase(it);
  }
}

Ref<SingleRowBDSSupport> SingleRowBDSSupport::getPublisher(const std::string& fullName) {
  return lookUp(fullName);
}

void SingleRowBDSSupport::triggerUI() {
  const auto listeners = listenersNow();
  if (listeners.empty()) return;
  Ref<plat::lang::Object> source = sourceObject();
  const TriggerUIEvent event(source.get(), 0, TriggerUIEvent::FORCEREFRESH);
  for (const auto& listener : listeners) listener->commitUI(event);
}

Ref<MediatorDS> SingleRowBDSSupport::getMediatorDS() const {
  std::lock_guard lock(mutex_);
  return mediatorDS_;
}

void SingleRowBDSSupport::setMediatorDS(const Ref<MediatorDS>& mediator) {
  Ref<MediatorDS> replaced;
  {
    std::lock_guard lock(mutex_);
    replaced = std::exchange(mediatorDS_, mediator);
  }
  if (replaced && replaced != mediator) {
    // A replaced mediator would stay on the bus and on this source, answering and refreshing beside its successor.
    if (replaced->getDataBus()) replaced->killAll();
    replaced->setOutput(nullptr);
  }
  if (!mediator) return;
  mediator->setOutput(sourceObject());
  mediator->setSetMethods({MediatorDS::SourceSetDescriptor});
  mediator->setGetMethods({MediatorDS::SourceGetDescriptor});
}

Ref<plat::lang::Object> SingleRowBDSSupport::sourceObject() {
  {
    std::lock_guard lock(mutex_);
    if (hasSource_) return source_.lock();
  }
  return shared_from_this();
}

}  // namespace quenlora::zafoli::db::beans::binding
