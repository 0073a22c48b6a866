#include "platform/util/DefaultTreeModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"

namespace plat::util {
namespace {

using plat::lang::makeRef;

// Records every event as "kind:path-length:indices".
class Recorder : public TreeModelListener {
 public:
  void treeNodesChanged(const TreeModelEvent& e) override { log("changed", e); }
  void treeNodesInserted(const TreeModelEvent& e) override { log("inserted", e); }
  void treeNodesRemoved(const TreeModelEvent& e) override { log("removed", e); }
  void treeStructureChanged(const TreeModelEvent& e) override { log("structure", e); }

  std::vector<std::string> events;
  std::vector<TreeNodeRef> lastChildren;

 private:
  void log(const char* kind, const TreeModelEvent& e) {
    std::string text = std::string(kind) + ":" + std::to_string(e.getPath().size()) + ":";
    for (int i : e.getChildIndices()) text += std::to_string(i);
    events.push_back(text);
    lastChildren = e.getChildren();
  }
};

struct ModelFixture {
  TreeNodeRef root = makeRef<DefaultMutableTreeNode>();
  TreeNodeRef a = makeRef<DefaultMutableTreeNode>();
  DefaultTreeModel model{root};
  plat::lang::Ref<Recorder> recorder = makeRef<Recorder>();
  ModelFixture() { model.addTreeModelListener(recorder); }
};

TEST(TreeModel, AnswersQuestionsAboutTheTree) {
  ModelFixture f;
  f.root->add(f.a);
  EXPECT_EQ(f.model.getRoot(), f.root);
  EXPECT_EQ(f.model.getChild(f.root, 0), f.a);
  EXPECT_EQ(f.model.getChildCount(f.root), 1);
  EXPECT_EQ(f.model.getIndexOfChild(f.root, f.a), 0);
  EXPECT_EQ(f.model.getIndexOfChild(f.a, f.root), -1);
  EXPECT_EQ(f.model.getIndexOfChild(nullptr, f.a), -1);
  EXPECT_TRUE(f.model.isLeaf(f.a));
  EXPECT_FALSE(f.model.isLeaf(f.root));
}

TEST(TreeModel, ChangesAnnounceExactlyWhatChanged) {
  ModelFixture f;
  auto b = makeRef<DefaultMutableTreeNode>();
  f.model.insertNodeInto(f.a, f.root, 0);
  f.model.insertNodeInto(b, f.a, 0);
  f.model.nodeChanged(b);
  f.model.removeNodeFromParent(b);
  f.model.nodeStructureChanged(f.a);
  EXPECT_EQ(f.recorder->events,
            (std::vector<std::string>{"inserted:1:0", "inserted:2:0", "changed:2:0", "removed:2:0", "structure:2:"}));
  ASSERT_EQ(f.recorder->lastChildren.size(), 0u);
  EXPECT_THROW(f.model.removeNodeFromParent(f.root), plat::lang::IllegalArgumentException);
}

TEST(TreeModel, RemovedEventCarriesTheRemovedChildren) {
  ModelFixture f;
  f.model.insertNodeInto(f.a, f.root, 0);
  f.model.removeNodeFromParent(f.a);
  ASSERT_EQ(f.recorder->lastChildren.size(), 1u);
  EXPECT_EQ(f.recorder->lastChildren[0], f.a);
}

TEST(TreeModel, ListenerMayRemoveItselfWhileCalled) {
  ModelFixture f;
  class OneShot : public Recorder {
   public:
    explicit OneShot(DefaultTreeModel& m) : model(m) {}
    void treeStructureChanged(const TreeModelEvent& e) override {
      Recorder::treeStructureChanged(e);
      model.removeTreeModelListener(self.lock());
    }
    DefaultTreeModel& model;
    std::weak_ptr<OneShot> self;
  };
  auto once = makeRef<OneShot>(f.model);
  once->self = once;
  f.model.addTreeModelListener(once);
  f.model.reload();
  f.model.reload();
  EXPECT_EQ(once->events.size(), 1u);
  EXPECT_EQ(f.recorder->events.size(), 2u);  // the other listener still hears both
}

}  // namespace
}  // namespace plat::util
