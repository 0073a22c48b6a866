// The tree model of one master/detail tree, over SynchronizerNodes. The synchroniser reference is kept for
// whoever shows the tree; the synchroniser itself does not set it. The reference is serialised; the tree's
// structure is guarded by the class-wide lock of QuerySynchronizer.
#pragma once

#include <mutex>

#include "platform/util/DefaultTreeModel.h"

namespace quenlora::zafoli::db::beans::binding {

class QuerySynchronizer;

class SynchronizerTree : public plat::util::DefaultTreeModel {
 public:
  explicit SynchronizerTree(plat::util::TreeNodeRef root) : DefaultTreeModel(std::move(root)) {}

  plat::lang::Ref<QuerySynchronizer> getSynchronizer() {
    std::lock_guard lock(mutex_);
    return synchronizer_.lock();
  }
  void setSynchronizer(const plat::lang::Ref<QuerySynchronizer>& synchronizer) {
    std::lock_guard lock(mutex_);
    synchronizer_ = synchronizer;
  }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.SynchronizerTree"; }

 private:
  std::mutex mutex_;
  std::weak_ptr<QuerySynchronizer> synchronizer_;  // guarded by mutex_; weak: the synchroniser owns the tree
};

}  // namespace quenlora::zafoli::db::beans::binding
