// Keeps one master/detail tree consistent: every navigation of a linked data source checks the tree, may ask to
// save unsaved detail changes, moves the data source and re-queries its details; every save writes the whole
// subtree in one transaction per connection of the tree. Registration, merging and link removal are serialised on
// a class-wide lock that also guards every tree's structure; navigation and saves of one tree are serialised on
// its synchroniser.
//
// Lock order, everywhere (a lock may be taken only while holding locks before it): a tree's synchroniser, then
// the class-wide lock, then a data source's monitor (a navigator's), then its connection's lock. Hence no data
// source calls into its link (navigate, save) while it holds its own monitor: a write of the navigator's
// RowNumber column parses the row and moves through go_to before it takes the monitor.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/Connection.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerLink.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerNode.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerTree.h"

namespace quenlora::zafoli::db::beans::binding {

class QuerySynchronizer : public plat::lang::Object {
 public:
  static constexpr const char* EASY_WAY_OUT = "Easy way out";
  static constexpr int SLOT_GROWTH = 255;

  // The answer of the dirtiness test.
  struct DirtyNode {
    bool found = false;
    Synchronizable* dataSource = nullptr;
    bool isRoot = false;
  };

  // Puts ds into its tree (IllegalRelationshipException for a self-reference, a changed master or a cycle, with
  // nothing changed) and gives it its link.
  static void addSynchronizable(Synchronizable* ds);
  // Registers link under alias, replacing what was registered under it.
  static void registerLink(const std::string& alias, const plat::lang::Ref<SynchronizerLink>& link);
  // The link registered under alias; null when none is.
  static plat::lang::Ref<SynchronizerLink> getRegisteredLink(const std::string& alias);
  // Leaves the tree: unregisters the alias and closes the links below a node that has a parent. A root link with
  // children stays registered as an open placeholder, so a data source registering the alias again refills it.
  static void removeLink(const plat::lang::Ref<SynchronizerLink>& link);
  // The data sources from the root of ds's tree down to ds.
  static std::vector<Synchronizable*> pathFromRootEnumeration(Synchronizable* ds);
  // Prints "Testing trees!" and every synchroniser's text on standard output.
  static void testTrees();
  // Size of the synchroniser list and the number of synchronisers in it.
  static int getSlotCount();
  static int getSynchronizerCount();

  QuerySynchronizer();

  // Raises RelationshipPendingException or ParentInvalidRecordException. A failed move or query still re-queries
  // the details (cleared when the data source shows nothing); an SQL failure, or any failure the data source has
  // announced itself, ends the move quietly; another is rethrown. A detail whose re-query fails in any way is
  // cleared, its failure announced once, and the walk goes on to the rest of the tree.
  void navigate(const plat::lang::Ref<SynchronizerLink>& link, int code, std::optional<int> row);
  // True when the save committed on every connection.
  bool save(const plat::lang::Ref<SynchronizerLink>& link);
  bool saveAll(const plat::lang::Ref<SynchronizerLink>& link);
  bool saveAllLevels(const plat::lang::Ref<SynchronizerLink>& link);
  void clear(const plat::lang::Ref<SynchronizerLink>& link);
  // Writes the subtree of node in one transaction per connection of the tree. After each connection's commit the
  // data sources writing through it commit their record states; those of connections rolled back stay dirty, so
  // a retry writes exactly what is not yet in the database. An SQL failure rolls back what is not committed and
  // answers false; another failure is rethrown after the rollback.
  bool saveTree(const plat::lang::Ref<SynchronizerNode>& node, bool all);
  DirtyNode findDirty(const plat::lang::Ref<SynchronizerNode>& node, int code);

  plat::lang::Ref<SynchronizerTree> getTree() const { return m_Tree; }
  plat::lang::Ref<SynchronizerLink> getRootLink() const;
  // Open (incomplete) while the root link is open.
  bool isOpen() const;

  std::string toString() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.QuerySynchronizer"; }

 private:
  friend class QuerySynchronizerAccess;

  // A tree operation on each data source of a walk, with its links taken under the class-wide lock.
  void run(const plat::lang::Ref<SynchronizerNode>& node, int operation);
  static std::vector<plat::lang::Ref<SynchronizerLink>> walk(const plat::lang::Ref<SynchronizerNode>& node, int code);
  static bool parentOnNewRecord(const plat::lang::Ref<SynchronizerNode>& node);
  std::vector<plat::lang::Ref<Connection>> gatherConnections();
  // The answer of the prompt; CANCEL when none can be made or run.
  static int ask(Synchronizable* target);
  void queryChildren(const plat::lang::Ref<SynchronizerNode>& node);

  std::recursive_mutex mutex_;  // serialises navigation and saves of the tree
  plat::lang::Ref<SynchronizerTree> m_Tree;
  int slot_ = -1;  // guarded by the class-wide lock
};

}  // namespace quenlora::zafoli::db::beans::binding
