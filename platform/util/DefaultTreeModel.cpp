#include "platform/util/DefaultTreeModel.h"

#include <algorithm>

#include "platform/lang/Exceptions.h"

namespace plat::util {

void DefaultTreeModel::setRoot(TreeNodeRef root) {
  root_ = std::move(root);
  if (root_) {
    nodeStructureChanged(root_);
  } else {
    fire(&TreeModelListener::treeStructureChanged, TreeModelEvent(this, {}));
  }
}

int DefaultTreeModel::getIndexOfChild(const TreeNodeRef& parent, const TreeNodeRef& child) const {
  if (!parent || !child) return -1;
  return parent->getIndex(child);
}

bool DefaultTreeModel::isLeaf(const TreeNodeRef& node) const {
  if (asksAllowsChildren_) return !node->getAllowsChildren();
  return node->isLeaf();
}

void DefaultTreeModel::insertNodeInto(const TreeNodeRef& child, const TreeNodeRef& parent, int index) {
  parent->insert(child, index);
  nodesWereInserted(parent, {index});
}

void DefaultTreeModel::removeNodeFromParent(const TreeNodeRef& node) {
  const TreeNodeRef parent = node->getParent();
  if (!parent) throw plat::lang::IllegalArgumentException("node does not have a parent.");
  const int index = parent->getIndex(node);
  parent->remove(index);
  nodesWereRemoved(parent, {index}, {node});
}

void DefaultTreeModel::nodeChanged(const TreeNodeRef& node) {
  if (!node) return;
  const TreeNodeRef parent = node->getParent();
  if (parent) {
    const int index = parent->getIndex(node);
    if (index != -1) nodesChanged(parent, {index});
  } else if (node == root_) {
    fire(&TreeModelListener::treeNodesChanged, TreeModelEvent(this, getPathToRoot(node)));
  }
}

void DefaultTreeModel::nodesChanged(const TreeNodeRef& node, const std::vector<int>& childIndices) {
  if (!node) return;
  if (childIndices.empty()) {
    if (node == root_) fire(&TreeModelListener::treeNodesChanged, TreeModelEvent(this, getPathToRoot(node)));
    return;
  }
  std::vector<TreeNodeRef> changed;
  changed.reserve(childIndices.size());
  for (int i : childIndices) changed.push_back(node->getChildAt(i));
  fire(&TreeModelListener::treeNodesChanged, TreeModelEvent(this, getPathToRoot(node), childIndices, changed));
}

void DefaultTreeModel::nodesWereInserted(const TreeNodeRef& node, const std::vector<int>& childIndices) {
  if (!node || childIndices.empty()) return;
  std::vector<TreeNodeRef> inserted;
  inserted.reserve(childIndices.size());
  for (int i : childIndices) inserted.push_back(node->getChildAt(i));
  fire(&TreeModelListener::treeNodesInserted, TreeModelEvent(this, getPathToRoot(node), childIndices, inserted));
}

void DefaultTreeModel::nodesWereRemoved(const TreeNodeRef& node, const std::vector<int>& childIndices,
                                        const std::vector<TreeNodeRef>& removedChildren) {
  if (!node || childIndices.empty()) return;
  fire(&TreeModelListener::treeNodesRemoved, TreeModelEvent(this, getPathToRoot(node), childIndices, removedChildren));
}

void DefaultTreeModel::nodeStructureChanged(const TreeNodeRef& node) {
  if (!node) return;
  fire(&TreeModelListener::treeStructureChanged, TreeModelEvent(this, getPathToRoot(node)));
}

void DefaultTreeModel::addTreeModelListener(const plat::lang::Ref<TreeModelListener>& listener) {
  if (listener) listeners_.push_back(listener);
}

void DefaultTreeModel::removeTreeModelListener(const plat::lang::Ref<TreeModelListener>& listener) {
  const auto it = std::find(listeners_.rbegin(), listeners_.rend(), listener);
  if (it != listeners_.rend()) listeners_.erase(std::next(it).base());
}

void DefaultTreeModel::fire(Handler handler, const TreeModelEvent& event) const {
  const auto listeners = listeners_;  // a listener may change the list while it is called
  for (const auto& listener : listeners) ((*listener).*handler)(event);
}

}  // namespace plat::util
