#include "platform/util/DefaultMutableTreeNode.h"

#include <algorithm>

#include "platform/lang/Exceptions.h"

namespace plat::util {

DefaultMutableTreeNode::~DefaultMutableTreeNode() {
  for (const auto& child : children_) child->parent_ = nullptr;
}

TreeNodeRef DefaultMutableTreeNode::self() {
  return std::static_pointer_cast<DefaultMutableTreeNode>(shared_from_this());
}

void DefaultMutableTreeNode::insert(const TreeNodeRef& child, int index) {
  if (!allowsChildren_) throw plat::lang::IllegalStateException("node does not allow children");
  if (!child) throw plat::lang::IllegalArgumentException("new child is null");
  if (isNodeAncestor(child)) throw plat::lang::IllegalArgumentException("new child is an ancestor");
  // The index is checked before anything moves, so a bad one leaves both trees as they were. A child of this node
  // leaves a gap first, which shrinks the room by one.
  const int room = getChildCount() - (child->parent_ == this ? 1 : 0);
  if (index < 0 || index > room) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " > " + std::to_string(room));
  }
  // Hold the child while it moves: its former parent may own the only reference.
  const TreeNodeRef keep = child;
  if (child->parent_ != nullptr) child->parent_->remove(child);
  child->parent_ = this;
  children_.insert(children_.begin() + index, keep);
}

void DefaultMutableTreeNode::add(const TreeNodeRef& child) {
  if (child && child->parent_ == this) {
    insert(child, getChildCount() - 1);
  } else {
    insert(child, getChildCount());
  }
}

void DefaultMutableTreeNode::remove(int index) {
  if (index < 0 || index >= getChildCount()) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " >= " + std::to_string(getChildCount()));
  }
  const TreeNodeRef child = children_[static_cast<std::size_t>(index)];
  children_.erase(children_.begin() + index);
  child->parent_ = nullptr;
}

void DefaultMutableTreeNode::remove(const TreeNodeRef& child) {
  if (!child) throw plat::lang::IllegalArgumentException("argument is null");
  if (!isNodeChild(child)) throw plat::lang::IllegalArgumentException("argument is not a child");
  remove(getIndex(child));
}

void DefaultMutableTreeNode::removeFromParent() {
  if (parent_ != nullptr) parent_->remove(self());
}

void DefaultMutableTreeNode::removeAllChildren() {
  for (const auto& child : children_) child->parent_ = nullptr;
  children_.clear();
}

TreeNodeRef DefaultMutableTreeNode::getParent() const {
  if (parent_ == nullptr) return nullptr;
  return std::static_pointer_cast<DefaultMutableTreeNode>(parent_->shared_from_this());
}

TreeNodeRef DefaultMutableTreeNode::getRoot() {
  DefaultMutableTreeNode* node = this;
  while (node->parent_ != nullptr) node = node->parent_;
  return node->self();
}

TreeNodeRef DefaultMutableTreeNode::getChildAt(int index) const {
  if (children_.empty()) throw plat::lang::ArrayIndexOutOfBoundsException("node has no children");
  if (index < 0 || index >= getChildCount()) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " >= " + std::to_string(getChildCount()));
  }
  return children_[static_cast<std::size_t>(index)];
}

int DefaultMutableTreeNode::getIndex(const TreeNodeRef& child) const {
  if (!child) throw plat::lang::IllegalArgumentException("argument is null");
  const auto it = std::find(children_.begin(), children_.end(), child);
  return it == children_.end() ? -1 : static_cast<int>(it - children_.begin());
}

void DefaultMutableTreeNode::setAllowsChildren(bool allows) {
  if (allows == allowsChildren_) return;
  allowsChildren_ = allows;
  if (!allows) removeAllChildren();
}

int DefaultMutableTreeNode::getLevel() const {
  int level = 0;
  for (const DefaultMutableTreeNode* node = parent_; node != nullptr; node = node->parent_) ++level;
  return level;
}

int DefaultMutableTreeNode::getDepth() const {
  int deepest = 0;
  for (const auto& child : children_) deepest = std::max(deepest, child->getDepth() + 1);
  return deepest;
}

bool DefaultMutableTreeNode::isNodeAncestor(const DefaultMutableTreeNode* other) const {
  if (other == nullptr) return false;
  for (const DefaultMutableTreeNode* node = this; node != nullptr; node = node->parent_) {
    if (node == other) return true;
  }
  return false;
}

void DefaultMutableTreeNode::collectPreorder(std::vector<TreeNodeRef>& out) {
  out.push_back(self());
  for (const auto& child : children_) child->collectPreorder(out);
}

void DefaultMutableTreeNode::collectPostorder(std::vector<TreeNodeRef>& out) {
  for (const auto& child : children_) child->collectPostorder(out);
  out.push_back(self());
}

std::vector<TreeNodeRef> DefaultMutableTreeNode::preorder() {
  std::vector<TreeNodeRef> out;
  collectPreorder(out);
  return out;
}

std::vector<TreeNodeRef> DefaultMutableTreeNode::postorder() {
  std::vector<TreeNodeRef> out;
  collectPostorder(out);
  return out;
}

std::vector<TreeNodeRef> DefaultMutableTreeNode::getPath() {
  std::vector<TreeNodeRef> out;
  for (DefaultMutableTreeNode* node = this; node != nullptr; node = node->parent_) out.push_back(node->self());
  std::reverse(out.begin(), out.end());
  return out;
}

std::vector<TreeNodeRef> DefaultMutableTreeNode::pathFromAncestor(const TreeNodeRef& ancestor) {
  if (!isNodeAncestor(ancestor)) throw plat::lang::IllegalArgumentException("node is not an ancestor of descendant");
  std::vector<TreeNodeRef> out;
  for (DefaultMutableTreeNode* node = this; node != ancestor.get(); node = node->parent_) out.push_back(node->self());
  out.push_back(ancestor);
  std::reverse(out.begin(), out.end());
  return out;
}

std::string DefaultMutableTreeNode::toString() const {
  return userObject_ ? userObject_->toString() : std::string();
}

}  // namespace plat::util
