// The simplest master/detail link, for tests and benchmarks of one navigator: navigation codes go straight to the
// navigator's dispatch, and a save runs the passes in one transaction of a MemoryConnection, committing the record
// states only once the transaction committed and rolling back on an SQL failure. Used by one thread at a time.
#pragma once

#include "platform/beans/PropertyChangeSupport.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerLink.h"
#include "testkit/beans/MemoryConnection.h"

namespace testkit::beans {

class MemoryLink : public plat::lang::Object, public quenlora::zafoli::db::beans::binding::SynchronizerLink {
 public:
  using Synchronizable = quenlora::zafoli::db::beans::binding::Synchronizable;

  // dataSource is a back reference (the navigator owns its link); connection may be null (no transaction).
  MemoryLink(Synchronizable* dataSource, plat::lang::Ref<MemoryConnection> connection);

  void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override {
    properties_.addPropertyChangeListener(listener);
  }
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override {
    properties_.removePropertyChangeListener(listener);
  }
  // Announces "close" to the navigator.
  void close() override;
  std::string getAlias() override { return dataSource_ ? dataSource_->getAliasName() : std::string(); }
  std::string getMasterAlias() override { return dataSource_ ? dataSource_->getMasterAliasName() : std::string(); }
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::SynchronizerNode> getNode() override { return nullptr; }
  plat::lang::Ref<SynchronizerLink> getParentLink() override { return nullptr; }
  Synchronizable* getSynchronizable() override { return dataSource_; }
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::QuerySynchronizer> getSynchronizer() override {
    return nullptr;
  }
  bool isOpen() override { return dataSource_ == nullptr; }
  void navigate(int code, std::optional<int> row) override;
  // The current record (pass 5).
  void save() override;
  // Deletions (pass 1), then inserts and updates (pass 2).
  void saveAll() override;
  void saveAllLevels() override { saveAll(); }
  void setAlias(const std::string&) override {}
  void setMasterAlias(const std::string&) override {}
  void setNode(const plat::lang::Ref<quenlora::zafoli::db::beans::binding::SynchronizerNode>&) override {}
  void setSynchronizable(Synchronizable* dataSource) override { dataSource_ = dataSource; }
  void setSynchronizer(const plat::lang::Ref<quenlora::zafoli::db::beans::binding::QuerySynchronizer>&) override {}

  std::string getClassName() const override { return "testkit.beans.MemoryLink"; }

 private:
  template <class Passes>
  void inTransaction(Passes passes);

  Synchronizable* dataSource_;  // back reference
  plat::lang::Ref<MemoryConnection> connection_;
  plat::beans::PropertyChangeSupport properties_;
};

}  // namespace testkit::beans
