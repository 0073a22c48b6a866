#include "quenlora/zafoli/db/beans/binding/QuerySynchronizer.h"

#include <algorithm>
#include <exception>
#include <map>
#include <new>

#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"
#include "quenlora/zafoli/db/beans/binding/IllegalRelationshipException.h"
#include "quenlora/zafoli/db/beans/binding/ParentInvalidRecordException.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigatorLink.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesDialog.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"

namespace quenlora::zafoli::db::beans::binding {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

constexpr int SAVE_DELETED_CHILDREN = 1;
constexpr int SAVE_CURRENT = 2;
constexpr int SAVE_DELETED = 3;
constexpr int SAVE_NEW_OR_MODIFIED_CHILDREN = 4;
constexpr int COMMIT_STATE = 5;
constexpr int CLEAR_CHILDREN = 7;
constexpr int SAVE_NEW_OR_MODIFIED = 8;
constexpr int UNDO_DATA = 10;

// The class-wide state: the synchroniser list, the link registry and the lock that also guards every tree.
struct Registry {
  std::recursive_mutex mutex;
  std::vector<Ref<QuerySynchronizer>> slots;
  std::map<std::string, Ref<SynchronizerLink>> links;
};

Registry& registry() {
  static Registry* instance = new Registry();  // never destroyed: links may close during static destruction
  return *instance;
}

std::string text(const char* key) {
  return BindingResourceLoader::text(key);
}

// Takes the first empty slot, growing the list by a block of slots when there is none. Under the class-wide lock.
int takeSlot(const Ref<QuerySynchronizer>& synchronizer) {
  auto& slots = registry().slots;
  auto empty = std::find(slots.begin(), slots.end(), nullptr);
  if (empty == slots.end()) {
    const auto first = slots.size();
    slots.resize(slots.size() + QuerySynchronizer::SLOT_GROWTH);
    empty = slots.begin() + static_cast<std::ptrdiff_t>(first);
  }
  *empty = synchronizer;
  return static_cast<int>(empty - slots.begin());
}

Ref<SynchronizerNode> nodeOf(const Ref<SynchronizerLink>& link) {
  return link ? link->getNode() : nullptr;
}

// A new link with its node; node and link point at each other. The node owns the link, so the caller keeps the
// node until it is in a tree.
Ref<SynchronizerNode> newNode(const Ref<QuerySynchronizer>& synchronizer) {
  Ref<SynchronizerLink> link = makeRef<QueryNavigatorLink>();
  auto node = makeRef<SynchronizerNode>(link);
  link->setNode(node);
  link->setSynchronizer(synchronizer);
  return node;
}

bool isNewOrAbsent(Synchronizable* ds) {
  if (!ds) return true;
  auto record = std::dynamic_pointer_cast<PersistentObject>(ds->getCurrentObject());
  return !record || record->getMarkedAsNew();
}

// How many exception events ds has announced; 0 for a data source that is not a navigator.
long announcedBy(Synchronizable* ds) {
  auto* navigator = dynamic_cast<QueryNavigator*>(ds);
  return navigator ? navigator->getAnnouncedExceptionCount() : 0;
}

// Announces a failure of ds's query, unless ds announced one itself since `before`, so that each failure is
// reported once.
void reportQueryFailure(Synchronizable* ds, long before, const std::exception_ptr& failure) {
  auto* navigator = dynamic_cast<QueryNavigator*>(ds);
  if (!navigator || navigator->getAnnouncedExceptionCount() != before) return;
  try {
    std::rethrow_exception(failure);
  } catch (const plat::sql::SQLException& e) {
    navigator->announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_SQL, e.getMessage(), navigator, e.clone()));
  } catch (const plat::lang::Throwable& e) {
    navigator->announceException(
        ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, e.getMessage(), navigator, e.clone()));
  } catch (const std::exception& e) {
    navigator->announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, e.what(), navigator));
  } catch (...) {
    navigator->announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, "", navigator));
  }
}

// The data sources of a subtree with the connection each writes through, taken before a save writes.
using Writers = std::vector<std::pair<Synchronizable*, Ref<Connection>>>;

// Commits the record states of the writers through connection (every writer left when connection is null). A
// failure is kept in `first` and the others still commit: the records are in the database either way.
void commitWriters(Writers& writers, const Ref<Connection>& connection, std::exception_ptr& first) {
  for (auto& [ds, through] : writers) {
    if (!ds || (connection && through != connection)) continue;
    try {
      ds->commitState();
    } catch (const std::bad_alloc&) {
      throw;
    } catch (...) {
      if (!first) first = std::current_exception();
    }
    ds = nullptr;
  }
}

void rollBack(const std::vector<Ref<Connection>>& connections, std::size_t from) {
  for (std::size_t i = from; i < connections.size(); ++i) {
    try {
      connections[i]->endTransaction(false);
    } catch (...) {
      // Every other transaction must still be ended.
    }
  }
}

}  // namespace

// ---- class-wide ---------------------------------------------------------------------------------------------------

class QuerySynchronizerAccess {
 public:
  // Drops the synchroniser from its slot. Under the class-wide lock.
  static void drop(QuerySynchronizer& synchronizer) {
    auto& slots = registry().slots;
    if (synchronizer.slot_ >= 0 && synchronizer.slot_ < static_cast<int>(slots.size()) &&
        slots[synchronizer.slot_].get() == &synchronizer)
      slots[synchronizer.slot_] = nullptr;
    synchronizer.slot_ = -1;
  }
  static Ref<QuerySynchronizer> make() {
    auto synchronizer = makeRef<QuerySynchronizer>();
    synchronizer->slot_ = takeSlot(synchronizer);
    return synchronizer;
  }
};

namespace {

// Puts d's node with its subtree under m's node; the links of the subtree take m's synchroniser and d's former
// synchroniser is dropped when d was its root. Under the class-wide lock.
void merge(const Ref<SynchronizerNode>& dNode, const Ref<SynchronizerLink>& m) {
  auto d = dNode->getLink();
  auto mNode = nodeOf(m);
  auto target = m->getSynchronizer();
  auto former = d->getSynchronizer();
  if (former && former != target && dNode->isRoot()) QuerySynchronizerAccess::drop(*former);
  mNode->add(dNode);
  for (const auto& link : dNode->walk(SynchronizerNode::TOP_DOWN_INCLUSIVE)) link->setSynchronizer(target);
}

}  // namespace

QuerySynchronizer::QuerySynchronizer() {
  m_Tree = makeRef<SynchronizerTree>(nullptr);
}

void QuerySynchronizer::registerLink(const std::string& alias, const Ref<SynchronizerLink>& link) {
  auto& reg = registry();
  std::lock_guard lock(reg.mutex);
  reg.links[alias] = link;
}

Ref<SynchronizerLink> QuerySynchronizer::getRegisteredLink(const std::string& alias) {
  auto& reg = registry();
  std::lock_guard lock(reg.mutex);
  auto it = reg.links.find(alias);
  return it == reg.links.end() ? nullptr : it->second;
}

void QuerySynchronizer::addSynchronizable(Synchronizable* ds) {
  const std::string a = ds->getAliasName();
  const std::string m = ds->getMasterAliasName();
  if (a == m) throw IllegalRelationshipException(text("QuerySynch_IllegalRelation1"));
  auto& reg = registry();
  std::lock_guard lock(reg.mutex);
  auto d = getRegisteredLink(a);
  auto master = m.empty() ? nullptr : getRegisteredLink(m);
  if (d) {
    if (!d->isOpen() && d->getMasterAlias() != m)
      throw IllegalRelationshipException(text("QuerySynch_IllegalRelation2"));
    auto dNode = nodeOf(d);
    if (master && d->getParentLink() != master) {
      // A master inside d's own subtree would close a cycle.
      if (dNode->isNodeDescendant(nodeOf(master))) throw IllegalRelationshipException();
      merge(dNode, master);
    } else if (!master && !m.empty() && dNode->isRoot()) {
      // A middle level registered before its master: an open placeholder for the master becomes the root, so
      // the whole tree follows the master once it registers.
      auto synchronizer = d->getSynchronizer();
      auto rootNode = newNode(synchronizer);
      synchronizer->m_Tree->setRoot(rootNode);
      rootNode->getLink()->setAlias(m);
      rootNode->add(dNode);
    }
  } else {
    Ref<SynchronizerNode> rootNode;
    if (!master) {
      auto synchronizer = QuerySynchronizerAccess::make();
      rootNode = newNode(synchronizer);
      synchronizer->m_Tree->setRoot(rootNode);
    }
    if (m.empty()) {
      d = rootNode->getLink();
    } else if (!master) {
      auto dNode = newNode(rootNode->getLink()->getSynchronizer());
      rootNode->getLink()->setAlias(m);
      rootNode->add(dNode);
      d = dNode->getLink();
    } else {
      auto dNode = newNode(master->getSynchronizer());
      merge(dNode, master);
      d = dNode->getLink();
    }
  }
  d->setSynchronizable(ds);
  ds->setLink(d);
}

void QuerySynchronizer::removeLink(const Ref<SynchronizerLink>& link) {
  std::vector<Ref<SynchronizerLink>> below;
  {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    auto node = nodeOf(link);
    bool keep = false;
    if (node && node->getParent()) {
      below = node->walk(SynchronizerNode::TOP_DOWN_EXCLUSIVE);
      node->removeFromParent();
    } else if (node && !node->isLeaf()) {
      keep = true;  // the open root its details wait under
    } else if (auto synchronizer = link->getSynchronizer(); synchronizer && node) {
      QuerySynchronizerAccess::drop(*synchronizer);
    }
    auto it = reg.links.find(link->getAlias());
    if (!keep && it != reg.links.end() && it->second == link) reg.links.erase(it);
  }
  // Closing a link closes its data source, which must not happen under the class-wide lock.
  for (const auto& detail : below) {
    try {
      detail->close();
    } catch (const plat::lang::Exception&) {
    }
  }
}

std::vector<Synchronizable*> QuerySynchronizer::pathFromRootEnumeration(Synchronizable* ds) {
  std::vector<Synchronizable*> path;
  if (!ds) return path;
  auto node = nodeOf(ds->getLink());
  if (!node) return path;
  std::lock_guard lock(registry().mutex);
  for (const auto& n : node->pathFromAncestor(node->getRoot()))
    if (auto link = std::dynamic_pointer_cast<SynchronizerNode>(n)->getLink())
      path.push_back(link->getSynchronizable());
  return path;
}

void QuerySynchronizer::testTrees() {
  std::string out = "Testing trees!\n";
  {
    std::lock_guard lock(registry().mutex);
    for (const auto& synchronizer : registry().slots)
      if (synchronizer) out += synchronizer->toString() + "\n";
  }
  plat::lang::System::out().print(out);
}

int QuerySynchronizer::getSlotCount() {
  std::lock_guard lock(registry().mutex);
  return static_cast<int>(registry().slots.size());
}

int QuerySynchronizer::getSynchronizerCount() {
  std::lock_guard lock(registry().mutex);
  const auto& slots = registry().slots;
  return static_cast<int>(std::count_if(slots.begin(), slots.end(), [](const auto& s) { return s != nullptr; }));
}

std::string QuerySynchronizer::toString() const {
  std::string out = Object::toString() + "\nQuerySynchronizer nodes: ";
  std::lock_guard lock(registry().mutex);
  if (auto root = std::dynamic_pointer_cast<SynchronizerNode>(m_Tree->getRoot()))
    for (const auto& link : root->walk(SynchronizerNode::TOP_DOWN_INCLUSIVE))
      out += "\n\t" + std::dynamic_pointer_cast<plat::lang::Object>(link)->toString();
  return out;
}

// ---- tree state -----------------------------------------------------------------------------------------------------

Ref<SynchronizerLink> QuerySynchronizer::getRootLink() const {
  std::lock_guard lock(registry().mutex);
  auto root = std::dynamic_pointer_cast<SynchronizerNode>(m_Tree->getRoot());
  return root ? root->getLink() : nullptr;
}

bool QuerySynchronizer::isOpen() const {
  auto root = getRootLink();
  return !root || root->isOpen();
}

std::vector<Ref<SynchronizerLink>> QuerySynchronizer::walk(const Ref<SynchronizerNode>& node, int code) {
  std::lock_guard lock(registry().mutex);
  return node ? node->walk(code) : std::vector<Ref<SynchronizerLink>>{};
}

bool QuerySynchronizer::parentOnNewRecord(const Ref<SynchronizerNode>& node) {
  Ref<SynchronizerLink> parent;
  {
    std::lock_guard lock(registry().mutex);
    auto parentNode = node ? std::dynamic_pointer_cast<SynchronizerNode>(node->getParent()) : nullptr;
    parent = parentNode ? parentNode->getLink() : nullptr;
  }
  auto* ds = parent ? parent->getSynchronizable() : nullptr;
  if (!ds) return false;
  auto record = std::dynamic_pointer_cast<PersistentObject>(ds->getCurrentObject());
  return record && record->getMarkedAsNew();
}

QuerySynchronizer::DirtyNode QuerySynchronizer::findDirty(const Ref<SynchronizerNode>& node, int code) {
  const int walkCode = code == Synchronizable::QBE || code == Synchronizable::RESTART
                           ? SynchronizerNode::TOP_DOWN_INCLUSIVE
                           : SynchronizerNode::TOP_DOWN_EXCLUSIVE;
  for (const auto& link : walk(node, walkCode)) {
    auto* ds = link->getSynchronizable();
    if (ds && ds->isDirty()) return {true, ds, link->getParentLink() == nullptr};
  }
  return {};
}

void QuerySynchronizer::run(const Ref<SynchronizerNode>& node, int operation) {
  switch (operation) {
    case SAVE_DELETED_CHILDREN:
    case SAVE_CURRENT:
    case SAVE_DELETED:
    case SAVE_NEW_OR_MODIFIED_CHILDREN:
    case SAVE_NEW_OR_MODIFIED:
    case CLEAR_CHILDREN:
    case UNDO_DATA: {
      static const std::map<int, std::pair<int, int>> plan{
          {SAVE_DELETED_CHILDREN, {SynchronizerNode::BOTTOM_UP, Synchronizable::SAVE_DELETED_DIRTY_DATA}},
          {SAVE_CURRENT, {SynchronizerNode::CURRENT_NODE_ONLY, Synchronizable::SAVE_CURRENT_RECORD}},
          {SAVE_DELETED, {SynchronizerNode::CURRENT_NODE_ONLY, Synchronizable::SAVE_DELETED_DIRTY_DATA}},
          {SAVE_NEW_OR_MODIFIED_CHILDREN, {SynchronizerNode::TOP_DOWN_EXCLUSIVE, Synchronizable::SAVE_ALL_DIRTY_DATA}},
          {SAVE_NEW_OR_MODIFIED, {SynchronizerNode::CURRENT_NODE_ONLY, Synchronizable::SAVE_ALL_DIRTY_DATA}},
          {CLEAR_CHILDREN, {SynchronizerNode::TOP_DOWN_EXCLUSIVE, Synchronizable::CLEAR_ALL_DATA}},
          {UNDO_DATA, {SynchronizerNode::TOP_DOWN_INCLUSIVE, Synchronizable::CLEAR_ALL_DATA}}};
      const auto [walkCode, mode] = plan.at(operation);
      for (const auto& link : walk(node, walkCode))
        if (auto* ds = link->getSynchronizable()) ds->saveAll(mode);
      break;
    }
    case COMMIT_STATE:
      for (const auto& link : walk(node, SynchronizerNode::TOP_DOWN_INCLUSIVE))
        if (auto* ds = link->getSynchronizable()) ds->commitState();
      break;
    default:
      break;
  }
}

void QuerySynchronizer::queryChildren(const Ref<SynchronizerNode>& node) {
  for (const auto& link : walk(node, SynchronizerNode::TOP_DOWN_EXCLUSIVE)) {
    auto* ds = link->getSynchronizable();
    auto parent = link->getParentLink();
    auto* master = parent ? parent->getSynchronizable() : nullptr;
    if (!ds) continue;
    // Parents come first in the walk, so a master re-queried to nothing (or standing on a new record) clears its
    // details instead of querying them for a record that is not there.
    if (isNewOrAbsent(master)) {
      ds->saveAll(Synchronizable::CLEAR_ALL_DATA);
      continue;
    }
    const long before = announcedBy(ds);
    try {
      ds->executeQuery(master);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (...) {
      // Whatever failed, no record of the former master may stay on show or editable, and the details below
      // (cleared as the walk reaches them) and the siblings after it must still follow the new master.
      const auto failure = std::current_exception();
      try {
        ds->saveAll(Synchronizable::CLEAR_ALL_DATA);
      } catch (const plat::lang::Exception&) {
      }
      reportQueryFailure(ds, before, failure);
    }
  }
}

// ---- navigation -----------------------------------------------------------------------------------------------------

int QuerySynchronizer::ask(Synchronizable* target) {
  try {
    auto& classes = plat::runvale::ClassRegistry::instance();
    Ref<plat::lang::Object> object;
    try {
      object = classes.newInstance(target->getSaveChangesWindowClass());
    } catch (const plat::lang::Exception&) {
    }
    auto dialog = std::dynamic_pointer_cast<SaveChangesDialog>(object);
    if (!dialog)
      dialog =
          std::dynamic_pointer_cast<SaveChangesDialog>(classes.newInstance(QueryNavigator::SAVE_DEFAULT_AWT_WINDOW));
    if (!dialog) return SaveChangesDialog::CANCEL;
    dialog->setMessage(target->getDirtySaveMessage());
    return dialog->run();
  } catch (const plat::lang::Exception&) {
    // A prompt that cannot be made or run must not lose anything.
    return SaveChangesDialog::CANCEL;
  }
}

void QuerySynchronizer::navigate(const Ref<SynchronizerLink>& link, int code, std::optional<int> row) {
  std::lock_guard lock(mutex_);
  auto node = nodeOf(link);
  if (isOpen()) throw RelationshipPendingException(text("QuerySynch_RelationPend2"));
  if (parentOnNewRecord(node)) throw ParentInvalidRecordException(text("QuerySynch_ParentInvalid1"));
  const auto dirty = findDirty(node, code);
  if (dirty.found) {
    switch (ask(dirty.dataSource)) {
      case SaveChangesDialog::YES:
        if (!saveTree(node, true)) throw RelationshipPendingException(EASY_WAY_OUT);
        break;
      case SaveChangesDialog::NO:
        if (code == Synchronizable::QBE) run(node, UNDO_DATA);
        break;
      default:
        throw RelationshipPendingException(EASY_WAY_OUT);
    }
  }
  auto* ds = link->getSynchronizable();
  if (!ds) throw RelationshipPendingException(text("QuerySynch_RelationPend2"));
  const long before = announcedBy(ds);
  std::exception_ptr failure;
  try {
    if (code == Synchronizable::RESTART) {
      auto parent = link->getParentLink();
      ds->executeQuery(parent ? parent->getSynchronizable() : nullptr);
    } else {
      ds->navigate(code, row);
    }
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    failure = std::current_exception();
  }
  // Even after a failed query the details follow what the data source shows now: nothing, they are cleared.
  queryChildren(node);
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const plat::sql::SQLException&) {
    // An SQL failure ends the move quietly once it is announced.
    reportQueryFailure(ds, before, failure);
  } catch (...) {
    // Announced already by the data source itself (the JDBC navigator does): the move simply ends.
    if (announcedBy(ds) == before) throw;
  }
}

// ---- saving ---------------------------------------------------------------------------------------------------------

std::vector<Ref<Connection>> QuerySynchronizer::gatherConnections() {
  std::vector<Ref<Connection>> connections;
  auto root = std::dynamic_pointer_cast<SynchronizerNode>(m_Tree->getRoot());
  for (const auto& link : walk(root, SynchronizerNode::TOP_DOWN_INCLUSIVE)) {
    auto* ds = link->getSynchronizable();
    auto connection = ds ? ds->getConnection() : nullptr;
    if (connection && std::find(connections.begin(), connections.end(), connection) == connections.end())
      connections.push_back(connection);
  }
  return connections;
}

bool QuerySynchronizer::saveTree(const Ref<SynchronizerNode>& node, bool all) {
  std::lock_guard lock(mutex_);
  if (isOpen()) throw RelationshipPendingException(text("QuerySynch_RelationPend1"));
  if (parentOnNewRecord(node)) throw ParentInvalidRecordException(text("QuerySynch_ParentInvalid1"));
  // Gathered on every save: a source that joined since, or a replaced connection, must be inside the transaction.
  const auto connections = gatherConnections();
  Writers writers;
  for (const auto& link : walk(node, SynchronizerNode::TOP_DOWN_INCLUSIVE))
    if (auto* ds = link->getSynchronizable()) writers.emplace_back(ds, ds->getConnection());
  std::size_t begun = 0;
  std::size_t ended = 0;
  auto fail = [&](std::size_t from) {
    rollBack(connections, from);
    plat::lang::System::out().println(text("QuerySynch_TransactionFail"));
  };
  try {
    for (; begun < connections.size(); ++begun) connections[begun]->beginTransaction();
  } catch (const plat::sql::SQLException&) {
    rollBack(std::vector<Ref<Connection>>(connections.begin(), connections.begin() + begun), 0);
    plat::lang::System::out().println(text("QuerySynch_TransactionFail"));
    return false;
  } catch (...) {
    rollBack(std::vector<Ref<Connection>>(connections.begin(), connections.begin() + begun), 0);
    throw;
  }
  try {
    run(node, SAVE_DELETED_CHILDREN);
    if (all) {
      run(node, SAVE_DELETED);
      run(node, SAVE_NEW_OR_MODIFIED);
    } else {
      run(node, SAVE_CURRENT);
    }
    run(node, SAVE_NEW_OR_MODIFIED_CHILDREN);
  } catch (const plat::sql::SQLException&) {
    fail(0);
    return false;
  } catch (...) {
    fail(0);
    throw;
  }
  // A connection whose end throws has rolled back itself; the ones after it are rolled back here. One that
  // committed before cannot be undone, so the records written through it are committed clean at once: a retry
  // then writes exactly what is not yet in the database.
  std::exception_ptr stateFailure;
  try {
    for (; ended < connections.size(); ++ended) {
      connections[ended]->endTransaction(true);
      commitWriters(writers, connections[ended], stateFailure);
    }
  } catch (const plat::sql::SQLException&) {
    fail(ended + 1);
    return false;
  } catch (...) {
    fail(ended + 1);
    throw;
  }
  // Data sources outside every transaction (no connection) are committed once every connection committed.
  commitWriters(writers, nullptr, stateFailure);
  if (stateFailure) std::rethrow_exception(stateFailure);
  return true;
}

bool QuerySynchronizer::save(const Ref<SynchronizerLink>& link) {
  std::lock_guard lock(mutex_);
  auto node = nodeOf(link);
  if (!saveTree(node, false)) return false;
  try {
    queryChildren(node);
  } catch (const plat::sql::SQLException&) {
  }
  return true;
}

bool QuerySynchronizer::saveAll(const Ref<SynchronizerLink>& link) {
  std::lock_guard lock(mutex_);
  if (!saveTree(nodeOf(link), true)) return false;
  navigate(link, Synchronizable::RESTART, std::nullopt);
  return true;
}

bool QuerySynchronizer::saveAllLevels(const Ref<SynchronizerLink>& link) {
  auto root = getRootLink();
  return saveAll(root ? root : link);
}

void QuerySynchronizer::clear(const Ref<SynchronizerLink>& link) {
  std::lock_guard lock(mutex_);
  try {
    run(nodeOf(link), UNDO_DATA);
  } catch (const plat::sql::SQLException&) {
  }
}

}  // namespace quenlora::zafoli::db::beans::binding
