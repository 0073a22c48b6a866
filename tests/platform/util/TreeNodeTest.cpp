#include "platform/util/DefaultMutableTreeNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"

namespace plat::util {
namespace {

using plat::lang::makeRef;

// A user object whose text names the node.
class Label : public plat::lang::Object {
 public:
  explicit Label(std::string text) : text_(std::move(text)) {}
  std::string toString() const override { return text_; }

 private:
  std::string text_;
};

TreeNodeRef node(const std::string& name) {
  return makeRef<DefaultMutableTreeNode>(makeRef<Label>(name));
}

std::string names(const std::vector<TreeNodeRef>& nodes) {
  std::string out;
  for (const auto& n : nodes) out += n->toString();
  return out;
}

std::string names(TreeNodeEnumeration&& e) {
  std::string out;
  while (e.hasMoreElements()) out += e.nextElement()->toString();
  return out;
}

std::string drain(TreeNodeEnumeration& e) {
  std::string out;
  while (e.hasMoreElements()) out += e.nextElement()->toString();
  return out;
}

// r
// ├── a
// │   ├── c
// │   └── d
// │       └── f
// └── b
//     └── e
struct Tree {
  TreeNodeRef r = node("r"), a = node("a"), b = node("b"), c = node("c"), d = node("d"), e = node("e"), f = node("f");
  Tree() {
    r->add(a);
    r->add(b);
    a->add(c);
    a->add(d);
    b->add(e);
    d->add(f);
  }
};

TEST(TreeNode, Walks) {
  Tree t;
  EXPECT_EQ(names(t.r->preorder()), "racdfbe");
  EXPECT_EQ(names(t.r->postorder()), "cfdaebr");
  EXPECT_EQ(names(t.a->preorderEnumeration()), "acdf");
  EXPECT_EQ(names(t.a->postorderEnumeration()), "cfda");
  EXPECT_EQ(names(t.c->preorder()), "c");
  EXPECT_EQ(names(t.c->postorder()), "c");
  EXPECT_EQ(names(t.r->children()), "ab");
}

TEST(TreeNode, LevelsDepthsAndPaths) {
  Tree t;
  struct Case {
    TreeNodeRef n;
    int level;
    int depth;
    const char* path;
  };
  for (const auto& c : {Case{t.r, 0, 3, "r"}, Case{t.a, 1, 2, "ra"}, Case{t.f, 3, 0, "radf"}, Case{t.e, 2, 0, "rbe"}}) {
    EXPECT_EQ(c.n->getLevel(), c.level) << c.n->toString();
    EXPECT_EQ(c.n->getDepth(), c.depth) << c.n->toString();
    EXPECT_EQ(names(c.n->getPath()), c.path);
    EXPECT_EQ(c.n->getRoot(), t.r);
  }
  EXPECT_EQ(names(t.f->pathFromAncestorEnumeration(t.a)), "adf");
  EXPECT_EQ(names(t.f->pathFromAncestor(t.f)), "f");
  EXPECT_THROW(t.f->pathFromAncestor(t.b), plat::lang::IllegalArgumentException);
  EXPECT_TRUE(t.r->isRoot());
  EXPECT_FALSE(t.a->isLeaf());
  EXPECT_TRUE(t.f->isLeaf());
}

TEST(TreeNode, AncestryTests) {
  Tree t;
  EXPECT_TRUE(t.f->isNodeAncestor(t.a));
  EXPECT_TRUE(t.f->isNodeAncestor(t.f));
  EXPECT_FALSE(t.f->isNodeAncestor(t.b));
  EXPECT_TRUE(t.a->isNodeDescendant(t.f));
  EXPECT_FALSE(t.a->isNodeDescendant(t.e));
  EXPECT_TRUE(t.a->isNodeChild(t.d));
  EXPECT_FALSE(t.a->isNodeChild(t.f));
  EXPECT_FALSE(t.a->isNodeAncestor(TreeNodeRef()));
}

TEST(TreeNode, CyclesAreRefused) {
  Tree t;
  for (const auto& ancestor : {t.d, t.a, t.r}) {
    try {
      t.d->add(ancestor);
      ADD_FAILURE() << "accepted " << ancestor->toString();
    } catch (const plat::lang::IllegalArgumentException& e) {
      EXPECT_EQ(e.getMessage(), "new child is an ancestor");
    }
  }
  EXPECT_EQ(names(t.r->preorder()), "racdfbe");  // nothing moved
  EXPECT_THROW(t.a->add(nullptr), plat::lang::IllegalArgumentException);
}

TEST(TreeNode, AddingANodeWithAParentMovesIt) {
  Tree t;
  t.e->add(t.d);  // d with its subtree leaves a
  EXPECT_EQ(names(t.r->preorder()), "racbedf");
  EXPECT_EQ(t.d->getParent(), t.e);
  EXPECT_EQ(t.a->getChildCount(), 1);
  EXPECT_EQ(t.f->getLevel(), 4);
  t.r->add(t.a);  // a child of r moves to the end
  EXPECT_EQ(names(t.r->children()), "ba");
}

TEST(TreeNode, InsertAtIndexAndBadIndicesChangeNothing) {
  Tree t;
  auto x = node("x");
  t.a->insert(x, 1);
  EXPECT_EQ(names(t.a->children()), "cxd");
  EXPECT_EQ(t.a->getIndex(x), 1);
  EXPECT_EQ(t.a->getIndex(t.e), -1);
  EXPECT_THROW(t.b->insert(x, 2), plat::lang::ArrayIndexOutOfBoundsException);
  EXPECT_EQ(x->getParent(), t.a);  // a bad index leaves the node where it was
  EXPECT_EQ(names(t.a->children()), "cxd");
  EXPECT_THROW(t.a->insert(x, 3), plat::lang::ArrayIndexOutOfBoundsException);  // only 2 other children
  t.a->insert(x, 2);
  EXPECT_EQ(names(t.a->children()), "cdx");
  EXPECT_THROW(t.a->getChildAt(3), plat::lang::ArrayIndexOutOfBoundsException);
  EXPECT_THROW(t.f->getChildAt(0), plat::lang::ArrayIndexOutOfBoundsException);
}

TEST(TreeNode, RemoveByChildByIndexAndFromParent) {
  Tree t;
  t.a->remove(t.c);
  EXPECT_TRUE(t.c->isRoot());
  EXPECT_THROW(t.a->remove(t.c), plat::lang::IllegalArgumentException);
  t.r->remove(1);
  EXPECT_TRUE(t.b->isRoot());
  EXPECT_EQ(names(t.b->preorder()), "be");
  t.f->removeFromParent();
  EXPECT_TRUE(t.d->isLeaf());
  t.f->removeFromParent();  // already a root: nothing happens
  EXPECT_THROW(t.r->remove(5), plat::lang::ArrayIndexOutOfBoundsException);
  EXPECT_EQ(names(t.r->preorder()), "rad");
}

TEST(TreeNode, ChildrenOutliveTheirParent) {
  auto child = node("c");
  {
    auto parent = node("p");
    parent->add(child);
  }
  EXPECT_TRUE(child->isRoot());
  EXPECT_EQ(child->getParent(), nullptr);
}

TEST(TreeNode, EnumerationIsASnapshot) {
  Tree t;
  auto e = t.r->preorderEnumeration();
  t.a->removeFromParent();
  EXPECT_EQ(drain(e), "racdfbe");
  EXPECT_THROW(e.nextElement(), NoSuchElementException);
}

TEST(TreeNode, NodesThatRefuseChildren) {
  auto leaf = makeRef<DefaultMutableTreeNode>(nullptr, false);
  EXPECT_THROW(leaf->add(node("x")), plat::lang::IllegalStateException);
  Tree t;
  t.a->setAllowsChildren(false);
  EXPECT_TRUE(t.a->isLeaf());
  EXPECT_TRUE(t.c->isRoot());
  EXPECT_EQ(leaf->toString(), "");
  leaf->setUserObject(makeRef<Label>("named"));
  EXPECT_EQ(leaf->toString(), "named");
}

}  // namespace
}  // namespace plat::util
