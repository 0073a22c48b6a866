// What a tree model announces: the path to the changed node and, for changes of children, their indices and the
// children themselves. A copyable value.
#pragma once

#include <vector>

#include "platform/util/DefaultMutableTreeNode.h"

namespace plat::util {

class DefaultTreeModel;

class TreeModelEvent {
 public:
  TreeModelEvent(const DefaultTreeModel* source, std::vector<TreeNodeRef> path, std::vector<int> childIndices = {},
                 std::vector<TreeNodeRef> children = {})
      : source_(source),
        path_(std::move(path)),
        childIndices_(std::move(childIndices)),
        children_(std::move(children)) {}

  const DefaultTreeModel* getSource() const { return source_; }
  // From the root down to the node whose children changed (or the node itself for a structure change).
  const std::vector<TreeNodeRef>& getPath() const { return path_; }
  const std::vector<int>& getChildIndices() const { return childIndices_; }
  const std::vector<TreeNodeRef>& getChildren() const { return children_; }

 private:
  const DefaultTreeModel* source_;  // back pointer to the firing model, valid during the call
  std::vector<TreeNodeRef> path_;
  std::vector<int> childIndices_;
  std::vector<TreeNodeRef> children_;
};

// Observer of a tree model. Called on the thread that changed the model.
class TreeModelListener {
 public:
  virtual ~TreeModelListener() = default;
  virtual void treeNodesChanged(const TreeModelEvent& e) = 0;
  virtual void treeNodesInserted(const TreeModelEvent& e) = 0;
  virtual void treeNodesRemoved(const TreeModelEvent& e) = 0;
  virtual void treeStructureChanged(const TreeModelEvent& e) = 0;
};

}  // namespace plat::util
