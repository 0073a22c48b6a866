#include "quenlora/zafoli/db/beans/binding/QueryNavigatorLink.h"

#include "platform/beans/PropertyChangeEvent.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/binding/QuerySynchronizer.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"

namespace quenlora::zafoli::db::beans::binding {

using plat::lang::Ref;

QueryNavigatorLink::QueryNavigatorLink() : properties_(this) {}

void QueryNavigatorLink::close() {
  Synchronizable* dataSource = nullptr;
  Ref<plat::lang::Object> owner;
  {
    std::lock_guard lock(mutex_);
    // Forgetting the data source first makes the echo of our own "close" (and any later call) find an open link.
    dataSource = dataSource_;
    owner = owner_.lock();
    dataSource_ = nullptr;
    owner_.reset();
  }
  if (!dataSource || !owner) return;
  auto self = std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this());
  QuerySynchronizer::removeLink(self);
  dataSource->removePropertyChangeListener(
      std::dynamic_pointer_cast<plat::beans::PropertyChangeListener>(shared_from_this()));
  properties_.firePropertyChange("close", plat::lang::Value(false), plat::lang::Value(true));
}

std::string QueryNavigatorLink::getAlias() {
  std::lock_guard lock(mutex_);
  return alias_;
}

std::string QueryNavigatorLink::getMasterAlias() {
  std::lock_guard lock(mutex_);
  return masterAlias_;
}

Ref<SynchronizerNode> QueryNavigatorLink::getNode() {
  std::lock_guard lock(mutex_);
  return node_.lock();
}

Ref<SynchronizerLink> QueryNavigatorLink::getParentLink() {
  auto node = getNode();
  if (!node) return nullptr;
  auto parent = std::dynamic_pointer_cast<SynchronizerNode>(node->getParent());
  return parent ? parent->getLink() : nullptr;
}

Synchronizable* QueryNavigatorLink::getSynchronizable() {
  std::lock_guard lock(mutex_);
  return owner_.expired() ? nullptr : dataSource_;
}

Ref<QuerySynchronizer> QueryNavigatorLink::getSynchronizer() {
  std::lock_guard lock(mutex_);
  return synchronizer_.lock();
}

Ref<QuerySynchronizer> QueryNavigatorLink::synchronizerOrThrow() {
  auto synchronizer = getSynchronizer();
  if (!synchronizer) throw RelationshipPendingException(BindingResourceLoader::text("QuerySynch_RelationPend2"));
  return synchronizer;
}

void QueryNavigatorLink::navigate(int code, std::optional<int> row) {
  synchronizerOrThrow()->navigate(std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this()), code, row);
}

void QueryNavigatorLink::save() {
  synchronizerOrThrow()->save(std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this()));
}

void QueryNavigatorLink::saveAll() {
  synchronizerOrThrow()->saveAll(std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this()));
}

void QueryNavigatorLink::saveAllLevels() {
  synchronizerOrThrow()->saveAllLevels(std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this()));
}

void QueryNavigatorLink::setAlias(const std::string& alias) {
  {
    std::lock_guard lock(mutex_);
    alias_ = alias;
  }
  QuerySynchronizer::registerLink(alias, std::dynamic_pointer_cast<SynchronizerLink>(shared_from_this()));
}

void QueryNavigatorLink::setMasterAlias(const std::string& masterAlias) {
  std::lock_guard lock(mutex_);
  masterAlias_ = masterAlias;
}

void QueryNavigatorLink::setNode(const Ref<SynchronizerNode>& node) {
  std::lock_guard lock(mutex_);
  node_ = node;
}

void QueryNavigatorLink::setSynchronizable(Synchronizable* dataSource) {
  auto self = std::dynamic_pointer_cast<plat::beans::PropertyChangeListener>(shared_from_this());
  {
    std::lock_guard lock(mutex_);
    dataSource_ = dataSource;
    owner_.reset();
    if (auto* object = dynamic_cast<plat::lang::Object*>(dataSource)) owner_ = object->weak_from_this();
  }
  if (!dataSource) return;
  setAlias(dataSource->getAliasName());
  setMasterAlias(dataSource->getMasterAliasName());
  dataSource->addPropertyChangeListener(self);
}

void QueryNavigatorLink::setSynchronizer(const Ref<QuerySynchronizer>& synchronizer) {
  std::lock_guard lock(mutex_);
  synchronizer_ = synchronizer;
}

void QueryNavigatorLink::propertyChange(const plat::beans::PropertyChangeEvent& event) {
  if (event.getPropertyName() == "close") close();
}

std::string QueryNavigatorLink::toString() const {
  std::lock_guard lock(mutex_);
  auto owner = owner_.lock();
  if (!owner || !dataSource_) return "\t\tOPEN\t\t" + alias_;
  return owner->toString();
}

}  // namespace quenlora::zafoli::db::beans::binding
