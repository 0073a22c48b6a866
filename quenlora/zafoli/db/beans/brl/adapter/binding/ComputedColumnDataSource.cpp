#include "quenlora/zafoli/db/beans/brl/adapter/binding/ComputedColumnDataSource.h"

#include "platform/beans/Beans.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"

namespace quenlora::zafoli::db::beans::brl::adapter::binding {

using beans::binding::Name;

std::string ComputedColumnDataSource::getAliasName() const {
  std::lock_guard lock(namesMutex_);
  return aliasName_;
}

std::string ComputedColumnDataSource::getComputedColBindName() const {
  std::lock_guard lock(namesMutex_);
  return computedColBindName_;
}

void ComputedColumnDataSource::setAliasName(const std::string& alias) {
  std::string oldAlias;
  std::string oldName;
  {
    std::lock_guard lock(namesMutex_);
    oldAlias = std::exchange(aliasName_, alias);
    oldName = computedColBindName_;
  }
  if (!plat::beans::Beans::isDesignTime()) publish(oldAlias, oldName);
}

void ComputedColumnDataSource::setComputedColBindName(const std::string& name) {
  std::string oldName;
  std::string alias;
  bool published = false;
  {
    std::lock_guard lock(namesMutex_);
    oldName = std::exchange(computedColBindName_, name);
    alias = aliasName_;
    published = published_;
  }
  if (published && oldName != name && !plat::beans::Beans::isDesignTime()) publish(alias, oldName);
}

void ComputedColumnDataSource::withdraw() {
  std::string alias;
  std::string name;
  {
    std::lock_guard lock(namesMutex_);
    if (!std::exchange(published_, false)) return;
    alias = aliasName_;
    name = computedColBindName_;
  }
  reInitDataItem(Name(alias, name));
}

void ComputedColumnDataSource::publish(const std::string& oldAlias, const std::string& oldName) {
  bool first = false;
  std::string alias;
  std::string name;
  {
    std::lock_guard lock(namesMutex_);
    first = !std::exchange(published_, true);
    alias = aliasName_;
    name = computedColBindName_;
  }
  if (first) {
    setValues(0, plat::lang::Value(std::string()));
  } else {
    // The old name must leave the bus: a consumer of it would otherwise keep showing a value nobody updates.
    reInitDataItem(Name(oldAlias, oldName));
  }
  setMediatorDS(plat::lang::makeRef<beans::binding::MediatorDS>());
  setDataBinding(Name(alias, name));
  triggerUI();
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter::binding
