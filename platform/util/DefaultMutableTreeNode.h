// A node of a general-purpose mutable tree: a user object, a parent (a back pointer) and ordered children, with the
// walks and ancestry tests the runtime's tree node offers. Nodes are made with makeRef, because the walks hand out
// references to the node itself. A tree is used by one thread at a time (its owner serialises access).
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/Enumeration.h"

namespace plat::util {

class DefaultMutableTreeNode;
using TreeNodeRef = plat::lang::Ref<DefaultMutableTreeNode>;
using TreeNodeEnumeration = SnapshotEnumeration<TreeNodeRef>;

class DefaultMutableTreeNode : public plat::lang::Object {
 public:
  DefaultMutableTreeNode() = default;
  explicit DefaultMutableTreeNode(plat::lang::Ref<plat::lang::Object> userObject, bool allowsChildren = true)
      : userObject_(std::move(userObject)), allowsChildren_(allowsChildren) {}
  DefaultMutableTreeNode(const DefaultMutableTreeNode&) = delete;
  DefaultMutableTreeNode& operator=(const DefaultMutableTreeNode&) = delete;
  // Children left behind become roots.
  ~DefaultMutableTreeNode() override;

  // Inserts child at index, first removing it from its former parent (this one included).
  // IllegalArgumentException "new child is null" or "new child is an ancestor" (this node or one above it),
  // IllegalStateException "node does not allow children", ArrayIndexOutOfBoundsException for a bad index.
  void insert(const TreeNodeRef& child, int index);
  // Appends child as the last child; a child of this node moves to the end.
  void add(const TreeNodeRef& child);
  // ArrayIndexOutOfBoundsException for a bad index.
  void remove(int index);
  // IllegalArgumentException "argument is not a child" unless child is a child of this node.
  void remove(const TreeNodeRef& child);
  void removeFromParent();
  void removeAllChildren();

  TreeNodeRef getParent() const;
  TreeNodeRef getRoot();
  TreeNodeRef getChildAt(int index) const;
  int getChildCount() const { return static_cast<int>(children_.size()); }
  // Index of child among the children, -1 when it is none of them.
  int getIndex(const TreeNodeRef& child) const;
  const std::vector<TreeNodeRef>& getChildren() const { return children_; }
  TreeNodeEnumeration children() const { return TreeNodeEnumeration(children_); }

  bool isRoot() const { return parent_ == nullptr; }
  bool isLeaf() const { return children_.empty(); }
  bool getAllowsChildren() const { return allowsChildren_; }
  // Refusing children removes the present ones.
  void setAllowsChildren(bool allows);
  // Edges between this node and the root: 0 for the root.
  int getLevel() const;
  // Edges on the longest path down to a leaf: 0 for a leaf.
  int getDepth() const;

  const plat::lang::Ref<plat::lang::Object>& getUserObject() const { return userObject_; }
  void setUserObject(plat::lang::Ref<plat::lang::Object> userObject) { userObject_ = std::move(userObject); }

  // True when other is this node or one above it.
  bool isNodeAncestor(const DefaultMutableTreeNode* other) const;
  bool isNodeAncestor(const TreeNodeRef& other) const { return isNodeAncestor(other.get()); }
  // True when other is this node or one below it.
  bool isNodeDescendant(const TreeNodeRef& other) const { return other && other->isNodeAncestor(this); }
  bool isNodeChild(const TreeNodeRef& other) const { return other && other->parent_ == this; }

  // This node and all below it, parents before children, children in order.
  std::vector<TreeNodeRef> preorder();
  // All below this node and then the node itself, children before parents.
  std::vector<TreeNodeRef> postorder();
  // The nodes from the root down to this node.
  std::vector<TreeNodeRef> getPath();
  // The nodes from ancestor down to this node; IllegalArgumentException "node is not an ancestor of descendant"
  // unless ancestor is this node or one above it.
  std::vector<TreeNodeRef> pathFromAncestor(const TreeNodeRef& ancestor);

  TreeNodeEnumeration preorderEnumeration() { return TreeNodeEnumeration(preorder()); }
  TreeNodeEnumeration postorderEnumeration() { return TreeNodeEnumeration(postorder()); }
  TreeNodeEnumeration pathFromAncestorEnumeration(const TreeNodeRef& ancestor) {
    return TreeNodeEnumeration(pathFromAncestor(ancestor));
  }

  // The user object's text; empty without one.
  std::string toString() const override;

 private:
  TreeNodeRef self();
  void collectPreorder(std::vector<TreeNodeRef>& out);
  void collectPostorder(std::vector<TreeNodeRef>& out);

  plat::lang::Ref<plat::lang::Object> userObject_;
  bool allowsChildren_ = true;
  DefaultMutableTreeNode* parent_ = nullptr;  // back pointer: the parent owns this node through children_
  std::vector<TreeNodeRef> children_;
};

// The name the rest of the platform uses for the same node.
using MutableTreeNode = DefaultMutableTreeNode;

}  // namespace plat::util
