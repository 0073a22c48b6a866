#include "quenlora/zafoli/db/beans/binding/SynchronizerNode.h"

#include "quenlora/zafoli/db/beans/binding/SynchronizerLink.h"

namespace quenlora::zafoli::db::beans::binding {

SynchronizerNode::SynchronizerNode(const plat::lang::Ref<SynchronizerLink>& link)
    : DefaultMutableTreeNode(std::dynamic_pointer_cast<plat::lang::Object>(link)) {}

plat::lang::Ref<SynchronizerLink> SynchronizerNode::getLink() const {
  return std::dynamic_pointer_cast<SynchronizerLink>(getUserObject());
}

std::vector<plat::lang::Ref<SynchronizerLink>> SynchronizerNode::walk(int code) {
  std::vector<plat::util::TreeNodeRef> nodes;
  switch (code) {
    case TOP_DOWN_INCLUSIVE:
      nodes = preorder();
      break;
    case TOP_DOWN_EXCLUSIVE:
      nodes = preorder();
      nodes.erase(nodes.begin());
      break;
    case BOTTOM_UP:
      nodes = postorder();
      nodes.pop_back();
      break;
    case CURRENT_NODE_ONLY:
      nodes.push_back(std::static_pointer_cast<DefaultMutableTreeNode>(shared_from_this()));
      break;
    default:
      break;
  }
  std::vector<plat::lang::Ref<SynchronizerLink>> links;
  for (const auto& node : nodes)
    if (auto link = std::dynamic_pointer_cast<SynchronizerLink>(node->getUserObject())) links.push_back(link);
  return links;
}

}  // namespace quenlora::zafoli::db::beans::binding
