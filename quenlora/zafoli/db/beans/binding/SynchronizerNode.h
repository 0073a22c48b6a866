// A node of a master/detail tree: its user object is the SynchronizerLink of one data source. The walks give the
// links of the nodes in the order a tree operation needs them. Guarded by the class-wide lock of QuerySynchronizer.
#pragma once

#include <vector>

#include "platform/util/DefaultMutableTreeNode.h"

namespace quenlora::zafoli::db::beans::binding {

class SynchronizerLink;

class SynchronizerNode : public plat::util::DefaultMutableTreeNode {
 public:
  static constexpr int TOP_DOWN_INCLUSIVE = 0;  // the node and its descendants, parents first
  static constexpr int TOP_DOWN_EXCLUSIVE = 1;  // the descendants, parents first
  static constexpr int BOTTOM_UP = 2;           // the descendants, children first
  static constexpr int CURRENT_NODE_ONLY = 3;

  SynchronizerNode() = default;
  explicit SynchronizerNode(const plat::lang::Ref<SynchronizerLink>& link);

  plat::lang::Ref<SynchronizerLink> getLink() const;
  // The links of the nodes a walk gives; nodes without a link are left out. An unknown code gives nothing.
  std::vector<plat::lang::Ref<SynchronizerLink>> walk(int code);

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.SynchronizerNode"; }
};

}  // namespace quenlora::zafoli::db::beans::binding
