// A data source's place in its master/detail tree: every navigation and save of a linked navigator passes through
// it, and it listens to the navigator's "close". Implementations say their own thread contract.
#pragma once

#include <optional>
#include <string>

#include "platform/beans/PropertyChangeListener.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding {

class QuerySynchronizer;
class Synchronizable;
class SynchronizerNode;

class SynchronizerLink {
 public:
  SynchronizerLink() = default;
  SynchronizerLink(const SynchronizerLink&) = delete;
  SynchronizerLink& operator=(const SynchronizerLink&) = delete;
  virtual ~SynchronizerLink() = default;

  // The only property announced is "close".
  virtual void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) = 0;
  virtual void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) = 0;
  virtual void close() = 0;
  virtual std::string getAlias() = 0;
  virtual std::string getMasterAlias() = 0;
  virtual plat::lang::Ref<SynchronizerNode> getNode() = 0;
  virtual plat::lang::Ref<SynchronizerLink> getParentLink() = 0;
  // Null while the link stands for a master that has not registered yet.
  virtual Synchronizable* getSynchronizable() = 0;
  virtual plat::lang::Ref<QuerySynchronizer> getSynchronizer() = 0;
  // Open while no data source has registered under the alias.
  virtual bool isOpen() = 0;
  // Checks the tree, may ask to save the details, moves the data source with its own navigate() and re-queries the
  // details. row is the 1-based target of GOTO.
  virtual void navigate(int code, std::optional<int> row) = 0;
  // Saves the current record, every record, or every record of the whole tree, each in one transaction per
  // connection.
  virtual void save() = 0;
  virtual void saveAll() = 0;
  virtual void saveAllLevels() = 0;
  virtual void setAlias(const std::string& alias) = 0;
  virtual void setMasterAlias(const std::string& masterAlias) = 0;
  virtual void setNode(const plat::lang::Ref<SynchronizerNode>& node) = 0;
  // A back reference: the data source owns its link.
  virtual void setSynchronizable(Synchronizable* dataSource) = 0;
  virtual void setSynchronizer(const plat::lang::Ref<QuerySynchronizer>& synchronizer) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
