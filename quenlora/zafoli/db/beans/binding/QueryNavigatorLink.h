// The link of one data source into its master/detail tree. Open while it has no data source: it then stands for a
// master that a detail named and that has not registered yet. It listens to its data source's "close" and
// announces its own. Accessors are serialised on the link; navigation and saves go to the synchroniser.
#pragma once

#include <mutex>

#include "platform/beans/PropertyChangeListener.h"
#include "platform/beans/PropertyChangeSupport.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerLink.h"

namespace quenlora::zafoli::db::beans::binding {

class QueryNavigatorLink : public plat::lang::Object,
                           public SynchronizerLink,
                           public plat::beans::PropertyChangeListener {
 public:
  QueryNavigatorLink();

  void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override {
    properties_.addPropertyChangeListener(listener);
  }
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override {
    properties_.removePropertyChangeListener(listener);
  }
  // Leaves the tree, stops listening, announces "close" and forgets the data source; an open link does nothing.
  void close() override;
  std::string getAlias() override;
  std::string getMasterAlias() override;
  plat::lang::Ref<SynchronizerNode> getNode() override;
  plat::lang::Ref<SynchronizerLink> getParentLink() override;
  Synchronizable* getSynchronizable() override;
  plat::lang::Ref<QuerySynchronizer> getSynchronizer() override;
  bool isOpen() override { return getSynchronizable() == nullptr; }
  void navigate(int code, std::optional<int> row) override;
  void save() override;
  void saveAll() override;
  void saveAllLevels() override;
  // Registers the link under the alias.
  void setAlias(const std::string& alias) override;
  void setMasterAlias(const std::string& masterAlias) override;
  void setNode(const plat::lang::Ref<SynchronizerNode>& node) override;
  // Takes the data source's alias and master alias and listens to its "close". The data source must be a
  // plat::lang::Object held by a Ref; the link keeps only a weak reference.
  void setSynchronizable(Synchronizable* dataSource) override;
  void setSynchronizer(const plat::lang::Ref<QuerySynchronizer>& synchronizer) override;

  void propertyChange(const plat::beans::PropertyChangeEvent& event) override;
  std::string toString() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.QueryNavigatorLink"; }

 private:
  plat::lang::Ref<QuerySynchronizer> synchronizerOrThrow();

  mutable std::mutex mutex_;
  std::string alias_;                              // guarded by mutex_
  std::string masterAlias_;                        // guarded by mutex_
  std::weak_ptr<SynchronizerNode> node_;           // guarded by mutex_; the node owns the link
  Synchronizable* dataSource_ = nullptr;           // guarded by mutex_; valid while owner_ lives
  std::weak_ptr<plat::lang::Object> owner_;        // guarded by mutex_; the data source as an object
  std::weak_ptr<QuerySynchronizer> synchronizer_;  // guarded by mutex_; the class-wide list owns it
  plat::beans::PropertyChangeSupport properties_;
};

}  // namespace quenlora::zafoli::db::beans::binding
