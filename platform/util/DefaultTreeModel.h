// A tree model over DefaultMutableTreeNode: answers the questions a view asks and tells its listeners exactly which
// nodes changed. The listener list is copied before an event is fired, so a listener may add or remove listeners.
// A model is used by one thread at a time (its owner serialises access).
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/DefaultMutableTreeNode.h"
#include "platform/util/TreeModelEvent.h"

namespace plat::util {

class DefaultTreeModel : public plat::lang::Object {
 public:
  // With asksAllowsChildren a node is a leaf when it does not allow children, else when it has none.
  explicit DefaultTreeModel(TreeNodeRef root, bool asksAllowsChildren = false)
      : root_(std::move(root)), asksAllowsChildren_(asksAllowsChildren) {}
  DefaultTreeModel(const DefaultTreeModel&) = delete;
  DefaultTreeModel& operator=(const DefaultTreeModel&) = delete;
  ~DefaultTreeModel() override = default;

  const TreeNodeRef& getRoot() const { return root_; }
  // Announces a structure change of the whole tree.
  void setRoot(TreeNodeRef root);
  bool asksAllowsChildren() const { return asksAllowsChildren_; }

  TreeNodeRef getChild(const TreeNodeRef& parent, int index) const { return parent->getChildAt(index); }
  int getChildCount(const TreeNodeRef& parent) const { return parent->getChildCount(); }
  // -1 when either is null or child is not a child of parent.
  int getIndexOfChild(const TreeNodeRef& parent, const TreeNodeRef& child) const;
  bool isLeaf(const TreeNodeRef& node) const;
  // The nodes from the root down to node.
  std::vector<TreeNodeRef> getPathToRoot(const TreeNodeRef& node) const { return node->getPath(); }

  // Changes the tree and announces it.
  void insertNodeInto(const TreeNodeRef& child, const TreeNodeRef& parent, int index);
  // IllegalArgumentException "node does not have a parent." for a root.
  void removeNodeFromParent(const TreeNodeRef& node);

  // Announcements for changes made on the nodes directly.
  void nodeChanged(const TreeNodeRef& node);
  void nodesChanged(const TreeNodeRef& node, const std::vector<int>& childIndices);
  void nodesWereInserted(const TreeNodeRef& node, const std::vector<int>& childIndices);
  void nodesWereRemoved(const TreeNodeRef& node, const std::vector<int>& childIndices,
                        const std::vector<TreeNodeRef>& removedChildren);
  void nodeStructureChanged(const TreeNodeRef& node);
  void reload() { nodeStructureChanged(root_); }

  void addTreeModelListener(const plat::lang::Ref<TreeModelListener>& listener);
  void removeTreeModelListener(const plat::lang::Ref<TreeModelListener>& listener);
  std::vector<plat::lang::Ref<TreeModelListener>> getTreeModelListeners() const { return listeners_; }

 private:
  using Handler = void (TreeModelListener::*)(const TreeModelEvent&);
  void fire(Handler handler, const TreeModelEvent& event) const;

  TreeNodeRef root_;
  bool asksAllowsChildren_;
  std::vector<plat::lang::Ref<TreeModelListener>> listeners_;
};

}  // namespace plat::util
