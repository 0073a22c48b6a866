// Master/detail trees of MemoryQueryNavigators over memory tables: registration in every order, navigation with
// the detail re-query and the save prompt, the save path with its transactions per connection and its failures,
// and closing.
#include "quenlora/zafoli/db/beans/binding/QuerySynchronizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/DefaultSaveChangesDialog.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEventListener.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigatorLink.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesDialog.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesWindow.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventListener.h"
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryQueryNavigator.h"
#include "testkit/beans/MemoryRecord.h"
#include "testkit/beans/MemoryTable.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::MemoryConnection;
using testkit::beans::MemoryQueryNavigator;
using testkit::beans::MemoryRecord;
using testkit::beans::MemoryTable;
using Lines = std::vector<std::string>;

// "type message" of every exception event a navigator announces.
class Failures : public plat::lang::Object, public ExceptionEventListener {
 public:
  void handleExceptionEvent(const ExceptionEvent& e) override {
    lines.push_back(std::to_string(e.getEventType()) + " " + e.getExceptionName());
  }
  Lines lines;
};

// The save prompt, made by class name: answers what the test scripted and keeps the message it was given.
class ScriptedDialog : public plat::lang::Object, public SaveChangesDialog {
 public:
  static constexpr const char* kClass = "test.synchronizer.ScriptedDialog";
  static inline int answer = SaveChangesDialog::CANCEL;
  static inline int asked = 0;
  static inline std::string message;
  void setMessage(const std::string& text) override { message = text; }
  int run() override {
    ++asked;
    return answer;
  }
};

class SynchronizerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    databus::DataBus::initialize();
    plat::runvale::ClassRegistry::instance().registerClass(
        {ScriptedDialog::kClass, [] { return makeRef<ScriptedDialog>(); }, {}, ""});
    ScriptedDialog::asked = 0;
    static int serial = 0;
    prefix = "sync" + std::to_string(++serial) + ".";
    c1 = makeRef<MemoryConnection>();
    c2 = makeRef<MemoryConnection>();
  }

  void TearDown() override {
    for (auto& n : navigators) n->close();
    databus::DataBus::initialize();
  }

  // A table ID, PARENT, NAME; rows are (id, parent, "N<id>").
  Ref<MemoryTable> table(const std::string& name, const std::vector<std::pair<int, int>>& rows) {
    auto t = makeRef<MemoryTable>(name,
                                  std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER},
                                                                   {"PARENT", plat::sql::Types::INTEGER},
                                                                   {"NAME", plat::sql::Types::VARCHAR}},
                                  0, true);
    for (auto [id, parent] : rows) t->addRow({Value(id), Value(parent), Value("N" + std::to_string(id))});
    tables[name] = t;
    return t;
  }

  // A navigator over the table under alias, following master (empty: none) on PARENT = ID; registered, not yet
  // executed.
  Ref<MemoryQueryNavigator> make(const std::string& alias, const std::string& master, const Ref<MemoryTable>& t,
                                 const Ref<MemoryConnection>& connection) {
    const std::string className = "test.synchronizer." + prefix + alias;
    MemoryRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, t, connection);
    auto navigator = makeRef<MemoryQueryNavigator>();
    navigator->setClassName(className);
    navigator->setSaveChangesWindowClass(ScriptedDialog::kClass);
    if (!master.empty()) {
      navigator->setMasterAliasName(prefix + master);
      navigator->setJoins({{"PARENT", "ID"}});
    }
    auto failures = makeRef<Failures>();
    navigator->addExceptionEventListener(failures);
    events[alias] = failures;
    navigator->setAliasName(prefix + alias);
    navigators.push_back(navigator);
    return navigator;
  }

  // Three levels a > b > c: a has 1..3, b has 10 a's children 11,12 / 21,22 / 31, c has children of 11 and 21.
  void threeTables() {
    table("a", {{1, 0}, {2, 0}, {3, 0}});
    table("b", {{11, 1}, {12, 1}, {21, 2}, {22, 2}, {31, 3}});
    table("c", {{111, 11}, {112, 11}, {211, 21}});
  }

  static int id(const Ref<MemoryQueryNavigator>& n) {
    auto v = n->getValue(0, 0);
    return v.isNull() ? -1 : v.intValue();
  }
  static std::string name(const Ref<MemoryTable>& t, int key) {
    auto row = t->find(Value(key));
    return row ? (*row)[2].toString() : "<gone>";
  }
  Ref<SynchronizerLink> link(const std::string& alias) { return QuerySynchronizer::getRegisteredLink(prefix + alias); }

  std::string prefix;
  Ref<MemoryConnection> c1, c2;
  std::map<std::string, Ref<MemoryTable>> tables;
  std::map<std::string, Ref<Failures>> events;
  std::vector<Ref<MemoryQueryNavigator>> navigators;
};

TEST_F(SynchronizerTest, EveryRegistrationOrderBuildsOneTreeThatFollowsItsRoot) {
  for (const std::string order : {"abc", "cba", "bca", "acb"}) {
    SCOPED_TRACE(order);
    SetUp();
    threeTables();
    std::map<char, Ref<MemoryQueryNavigator>> n;
    const std::map<char, std::string> master{{'a', ""}, {'b', "a"}, {'c', "b"}};
    for (char level : order) {
      n[level] = make(std::string(1, level), master.at(level), tables[std::string(1, level)], c1);
      // Until the root registers, the tree is open and a navigation is refused.
      if (level != 'a' && !link("a")) {
        n[level]->execute(true);
        n[level]->next();
        EXPECT_EQ(events[std::string(1, level)]->lines.back(),
                  std::to_string(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING) +
                      " Attempt to navigate with a relationship pending.");
      }
    }
    auto sync = link("a")->getSynchronizer();
    for (char level : order) EXPECT_EQ(link(std::string(1, level))->getSynchronizer(), sync);
    EXPECT_FALSE(sync->isOpen());
    EXPECT_EQ(QuerySynchronizer::pathFromRootEnumeration(n['c'].get()),
              (std::vector<Synchronizable*>{n['a'].get(), n['b'].get(), n['c'].get()}));
    n['c']->execute(true);
    n['b']->execute(true);
    n['a']->execute(true);
    EXPECT_EQ(id(n['a']), 1);
    EXPECT_EQ(id(n['b']), 11);
    EXPECT_EQ(id(n['c']), 111);
    n['a']->next();
    EXPECT_EQ(id(n['a']), 2);
    EXPECT_EQ(id(n['b']), 21);
    EXPECT_EQ(id(n['c']), 211);
    n['a']->next();
    EXPECT_EQ(id(n['b']), 31);
    EXPECT_TRUE(n['c']->isEmpty());  // 31 has no children
    TearDown();
    navigators.clear();
  }
}

TEST_F(SynchronizerTest, RelationsThatCannotBeBuiltAreRefusedAndChangeNothing) {
  threeTables();
  auto self = make("s", "s", tables["a"], c1);
  EXPECT_EQ(events["s"]->lines, (Lines{std::to_string(ExceptionEvent::EXCEPTION_APPLICATION) +
                                       " Attempt to add a self-referencing master-detail relationship."}));
  EXPECT_EQ(link("s"), nullptr);
  EXPECT_EQ(QueryNavigator::getQueryNavigatorObject(prefix + "s"), self);  // the alias stays registered

  auto b = make("b", "a", tables["b"], c1);  // a is an open placeholder above b
  auto a = make("a", "b", tables["a"], c1);  // a under b would close a cycle
  EXPECT_EQ(events["a"]->lines, (Lines{std::to_string(ExceptionEvent::EXCEPTION_APPLICATION) +
                                       " Attempt to establish an illegal relationship."}));
  EXPECT_TRUE(link("a")->isOpen());
  EXPECT_EQ(b->getLink()->getParentLink(), link("a"));
}

// One master a and one detail b; each case edits the master's current record, deletes one detail and inserts one.
struct SaveCase {
  const char* name;
  bool twoConnections;
  std::function<void(MemoryTable& a, MemoryTable& b, MemoryConnection& c1, MemoryConnection& c2)> inject;
  bool commits;
  Lines journal1, journal2;
  bool firstCommitted = false;  // c1 (the master's) committed before c2 failed
  std::function<void(MemoryTable& b)> mend = nullptr;
};

TEST_F(SynchronizerTest, ATreeSaveWritesDeletionsMasterAndNewDetailsInOneTransactionPerConnection) {
  const Lines written1{"begin 1", "DELETE b 11", "UPDATE a 1", "INSERT b 99", "commit"};
  const std::vector<SaveCase> cases{
      {"one connection", false, nullptr, true, written1, {}},
      {"two connections",
       true,
       nullptr,
       true,
       {"begin 1", "UPDATE a 1", "commit"},
       {"begin 1", "DELETE b 11", "INSERT b 99", "commit"}},
      {"second write fails",
       false,
       [](auto&, auto& b, auto&, auto&) { b.failSave(2); },
       false,
       {"begin 1", "DELETE b 11", "UPDATE a 1", "rollback 1"},
       {}},
      {"begin fails",
       true,
       [](auto&, auto&, auto&, auto& c2) { c2.failNextBegin(); },
       false,
       {"begin 1", "rollback 1"},
       {"begin failed"}},
      {"second commit fails",
       true,
       [](auto&, auto&, auto&, auto& c2) { c2.failNextCommit(); },
       false,
       {"begin 1", "UPDATE a 1", "commit"},
       {"begin 1", "DELETE b 11", "INSERT b 99", "commit failed"},
       true},
      {"first commit fails",
       true,
       [](auto&, auto&, auto& c1, auto&) { c1.failNextCommit(); },
       false,
       {"begin 1", "UPDATE a 1", "commit failed"},
       {"begin 1", "DELETE b 11", "INSERT b 99", "rollback 1"}},
      // The connection itself refuses the insert (its key is taken) and dooms its transaction.
      {"doomed by a failed write",
       false,
       [](auto&, auto& b, auto& c1, auto&) {
         b.addRow({Value(99), Value(0), Value("Squatter")});
         c1.setFailedWriteDoomsTransaction(true);
       },
       false,
       {"begin 1", "DELETE b 11", "UPDATE a 1", "INSERT b 99 failed", "rollback 1"},
       {},
       false,
       [](auto& b) { b.remove(Value(99)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    auto& ta = *table("a", {{1, 0}, {2, 0}});
    auto& tb = *table("b", {{11, 1}, {12, 1}, {21, 2}});
    auto a = make("a", "", tables["a"], c1);
    auto b = make("b", "a", tables["b"], c.twoConnections ? c2 : c1);
    b->execute(true);
    a->execute(true);
    a->setValue(Value("Renamed"), 0, 2);
    b->deleteRecord();
    b->insert();
    b->setValue(Value(99), 0, 0);
    b->setValue(Value("New"), 0, 2);
    if (c.inject) c.inject(ta, tb, *c1, *c2);
    c1->clearJournal();
    c2->clearJournal();
    {
      plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kOut);
      a->save();
      EXPECT_EQ(capture.text().ends_with("Transaction failed due to SQL failure, will be rolled back.\n"), !c.commits)
          << capture.text();
    }
    EXPECT_EQ(c1->getJournal(), c.journal1);
    EXPECT_EQ(c2->getJournal(), c.journal2);
    const bool masterWritten = c.commits || c.firstCommitted;
    EXPECT_EQ(name(tables["a"], 1), masterWritten ? "Renamed" : "N1");
    EXPECT_EQ(tb.contains(Value(11)), !c.commits);
    EXPECT_EQ(name(tables["b"], 99), c.commits ? "New" : c.mend ? "Squatter" : "<gone>");
    if (c.commits) {
      EXPECT_FALSE(a->isDirty());
      EXPECT_EQ(tb.find(Value(99)).value()[1], Value(1));  // the new detail took its master's key
      continue;
    }
    // What a connection committed is clean; the rest stays dirty, and a retry writes exactly that, each once.
    EXPECT_EQ(a->isDirty(), !c.firstCommitted);
    EXPECT_TRUE(b->isDirty());
    if (c.mend) c.mend(tb);
    c1->clearJournal();
    c2->clearJournal();
    a->save();
    Lines all = c1->getJournal();
    for (const auto& line : c2->getJournal()) all.push_back(line);
    EXPECT_EQ(std::count(all.begin(), all.end(), "UPDATE a 1"), c.firstCommitted ? 0 : 1);
    for (const char* write : {"DELETE b 11", "INSERT b 99"})
      EXPECT_EQ(std::count(all.begin(), all.end(), write), 1) << write;
    EXPECT_EQ(std::count(all.begin(), all.end(), "commit"), c.twoConnections ? 2 : 1);
    EXPECT_FALSE(tb.contains(Value(11)));
    EXPECT_TRUE(tb.contains(Value(99)));
    EXPECT_FALSE(a->isDirty());
    TearDown();
    navigators.clear();
  }
}

TEST_F(SynchronizerTest, TheDirtyPromptSavesDiscardsOrStays) {
  struct Case {
    int answer;
    bool registered;
    bool moves;
    std::string stored;
    bool saveFails = false;
  };
  for (const auto& c : std::vector<Case>{{SaveChangesDialog::YES, true, true, "Edited"},
                                         {SaveChangesDialog::NO, true, true, "N11"},
                                         {SaveChangesDialog::CANCEL, true, false, "N11"},
                                         {7, true, false, "N11"},
                                         {SaveChangesDialog::YES, false, false, "N11"},
                                         {SaveChangesDialog::YES, true, false, "N11", true}}) {
    SCOPED_TRACE(std::to_string(c.answer) + (c.registered ? "" : " no prompt") + (c.saveFails ? " save fails" : ""));
    SetUp();
    table("a", {{1, 0}, {2, 0}});
    table("b", {{11, 1}, {21, 2}});
    auto a = make("a", "", tables["a"], c1);
    auto b = make("b", "a", tables["b"], c1);
    if (!c.registered) b->setSaveChangesWindowClass("test.synchronizer.NoSuchPrompt");
    b->execute(true);
    a->execute(true);
    b->setValue(Value("Edited"), 0, 2);
    if (c.saveFails) tables["b"]->failSave(1);
    ScriptedDialog::answer = c.answer;
    ScriptedDialog::asked = 0;
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kOut);
    a->next();
    EXPECT_EQ(ScriptedDialog::asked, c.registered ? 1 : 0);
    if (c.registered) {
      EXPECT_EQ(ScriptedDialog::message, b->getDirtySaveMessage());
    }
    EXPECT_EQ(id(a), c.moves ? 2 : 1);
    EXPECT_EQ(id(b), c.moves ? 21 : 11);
    EXPECT_EQ(name(tables["b"], 11), c.stored);
    EXPECT_EQ(b->isDirty(), !c.moves);
    EXPECT_TRUE(events["a"]->lines.empty());  // a cancelled prompt is no failure
    TearDown();
    navigators.clear();
  }
}

TEST_F(SynchronizerTest, AMasterOnANewRecordClearsItsDetailsAndRefusesTheirMoves) {
  table("a", {{1, 0}});
  table("b", {{11, 1}, {12, 1}});
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c1);
  b->execute(true);
  a->execute(true);
  EXPECT_EQ(b->getTotalNumberOfRows(), 2);
  a->insert();
  EXPECT_TRUE(b->isEmpty());
  b->next();
  EXPECT_EQ(events["b"]->lines.back(),
            std::to_string(ExceptionEvent::EXCEPTION_PARENT_INVALID_RECORD) +
                " Parent record has not been committed. Data changes are not permitted at this time.");
}

// a > b > c and a > d: b's query fails as the master moves to 2.
TEST_F(SynchronizerTest, ADetailWhoseRequeryFailsInAnyWayIsClearedReportedOnceAndTheWalkGoesOn) {
  struct Case {
    const char* name;
    std::function<void(MemoryQueryNavigator& b, MemoryTable& tb)> breakIt;
    int reported;  // the event type b reports
  };
  const std::vector<Case> cases{
      {"SQL failure", [](auto& b, auto&) { b.setWhere("no such filter"); }, ExceptionEvent::EXCEPTION_SQL},
      {"other failure",
       [](auto& b, auto& tb) {
         tb.registerFilter("broken", [](const MemoryTable::Row&) -> bool {
           throw plat::lang::IllegalStateException("filter broke");
         });
         b.setWhere("broken");
       },
       ExceptionEvent::EXCEPTION_APPLICATION},
      // As the JDBC navigator does: the navigator announces its failure itself, then throws.
      {"failure the navigator announced",
       [](auto& b, auto& tb) {
         tb.registerFilter("announced", [&b](const MemoryTable::Row&) -> bool {
           b.announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_SQL, "told", &b));
           throw plat::lang::RuntimeException("told");
         });
         b.setWhere("announced");
       },
       ExceptionEvent::EXCEPTION_SQL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    threeTables();
    table("d", {{41, 1}, {42, 2}});
    auto a = make("a", "", tables["a"], c1);
    auto b = make("b", "a", tables["b"], c1);
    auto cc = make("c", "b", tables["c"], c1);
    auto d = make("d", "a", tables["d"], c1);
    for (auto& n : {cc, b, d, a}) n->execute(true);
    ASSERT_EQ(id(d), 41);
    for (auto& [alias, seen] : events) seen->lines.clear();
    c.breakIt(*b, *tables["b"]);
    a->next();
    EXPECT_EQ(id(a), 2);
    EXPECT_TRUE(b->isEmpty());
    EXPECT_FALSE(b->isDirty());
    EXPECT_TRUE(cc->isEmpty()) << "a detail of the cleared detail keeps nothing of the former master";
    ASSERT_EQ(events["b"]->lines.size(), 1u) << "reported once";
    EXPECT_EQ(events["b"]->lines[0].substr(0, 2), std::to_string(c.reported) + " ");
    EXPECT_TRUE(events["a"]->lines.empty());
    // The sibling after the failing detail follows the new master, and its edit is saved into the new master's row.
    EXPECT_EQ(id(d), 42);
    d->setValue(Value("edited under 2"), 0, 2);
    d->save();
    EXPECT_EQ(name(tables["d"], 42), "edited under 2");
    EXPECT_EQ(name(tables["d"], 41), "N41");
    // Mended, the detail follows the next move as before.
    b->setWhere("");
    a->first();
    EXPECT_EQ(id(b), 11);
    EXPECT_EQ(id(cc), 111);
    EXPECT_EQ(events["b"]->lines.size(), 1u);
    TearDown();
    navigators.clear();
  }
}

// Writing a detail's RowNumber column is a move through the synchroniser; it must not hold the detail's monitor
// while it waits for the synchroniser, which a master move holds while it re-queries that detail.
TEST_F(SynchronizerTest, ARowNumberWriterAndAMasterMoveOnTwoThreadsBothFinish) {
  table("a", {{1, 0}, {2, 0}, {3, 0}});
  table("b", {{11, 1}, {12, 1}, {13, 1}, {21, 2}, {22, 2}, {31, 3}, {32, 3}});
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c1);
  b->execute(true);
  a->execute(true);
  const int rowNumber = 3;  // ID, PARENT, NAME, then the virtual columns, RowNumber first
  b->setValue(Value(2), 0, rowNumber);
  ASSERT_EQ(id(b), 12);
  constexpr int kRounds = 400;
  std::vector<std::function<void()>> bodies{
      [&] {
        for (int i = 0; i < kRounds; ++i) i % 3 == 2 ? a->first() : a->next();
      },
      [&] {
        for (int i = 0; i < kRounds; ++i) b->setValue(Value(1 + i % 2), 0, rowNumber);
      },
  };
  std::vector<std::future<void>> done;
  for (auto& body : bodies) done.push_back(std::async(std::launch::async, body));
  for (auto& f : done) {
    if (f.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
      std::fprintf(stderr, "a RowNumber writer and a master move deadlocked\n");
      std::fflush(stderr);
      std::_Exit(1);
    }
    EXPECT_NO_THROW(f.get());
  }
  a->first();
  b->setValue(Value(3), 0, rowNumber);
  EXPECT_EQ(id(b), 13);
  EXPECT_EQ(b->getValue(0, rowNumber), Value(3));
}

TEST_F(SynchronizerTest, ClosingAMiddleLevelClosesItsSubtreeAndAClosedRootWaitsForItsSuccessor) {
  threeTables();
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c1);
  auto c = make("c", "b", tables["c"], c1);
  auto cLink = c->getLink();
  b->close();
  EXPECT_EQ(link("b"), nullptr);
  EXPECT_EQ(link("c"), nullptr);
  EXPECT_TRUE(cLink->isOpen());
  EXPECT_TRUE(link("a")->getNode()->isLeaf());
  b->close();  // the echo and a second call close nothing twice

  auto b2 = make("b", "a", tables["b"], c1);
  a->close();
  ASSERT_NE(link("a"), nullptr);  // the open root its detail waits under
  EXPECT_TRUE(link("a")->isOpen());
  b2->execute(true);
  b2->next();
  EXPECT_EQ(events["b"]->lines.back(), std::to_string(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING) +
                                           " Attempt to navigate with a relationship pending.");
  auto a2 = make("a", "", tables["a"], c1);
  a2->execute(true);
  a2->next();
  EXPECT_EQ(id(a2), 2);
  EXPECT_EQ(id(b2), 21);
}

TEST_F(SynchronizerTest, LinksAndTreesDescribeThemselves) {
  table("b", {});
  make("b", "a", tables["b"], c1);
  EXPECT_EQ(std::dynamic_pointer_cast<plat::lang::Object>(link("a"))->toString(), "\t\tOPEN\t\t" + prefix + "a");
  const std::string text = link("a")->getSynchronizer()->toString();
  EXPECT_NE(text.find("\nQuerySynchronizer nodes: \n\t\t\tOPEN\t\t" + prefix + "a\n\t"), std::string::npos) << text;
  EXPECT_EQ(QuerySynchronizer::getSlotCount() % QuerySynchronizer::SLOT_GROWTH, 0);
}

TEST_F(SynchronizerTest, TheDefaultPromptsAskTheDialogServiceAndOnlyASaveOrDiscardMoves) {
  constexpr int kNoScript = -2;
  struct Case {
    const char* prompt;
    int scripted;
    bool moves;
    std::string stored;
  } cases[] = {
      {SaveChangesWindow::kClassName, 0, true, "Edited"},
      {SaveChangesWindow::kClassName, 1, true, "N11"},
      {SaveChangesWindow::kClassName, 2, false, "N11"},
      {SaveChangesWindow::kClassName, kNoScript, false, "N11"},
      {DefaultSaveChangesDialog::kClassName, 0, true, "Edited"},
      {DefaultSaveChangesDialog::kClassName, plat::gui::HeadlessDialogService::kCloseBox, false, "N11"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.prompt) + " " + std::to_string(c.scripted));
    SetUp();
    auto dialogs = std::make_shared<plat::gui::HeadlessDialogService>();
    plat::gui::DialogService::setCurrent(dialogs);
    if (c.scripted != kNoScript) dialogs->scriptChoice(c.scripted);
    table("a", {{1, 0}, {2, 0}});
    table("b", {{11, 1}, {21, 2}});
    auto a = make("a", "", tables["a"], c1);
    auto b = make("b", "a", tables["b"], c1);
    b->setSaveChangesWindowClass(c.prompt);
    b->execute(true);
    a->execute(true);
    b->setValue(Value("Edited"), 0, 2);
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
    a->next();
    EXPECT_EQ(dialogs->shownChoices().size(), 1u);
    EXPECT_EQ(id(a), c.moves ? 2 : 1);
    EXPECT_EQ(name(tables["b"], 11), c.stored);
    EXPECT_EQ(b->isDirty(), !c.moves);
    plat::gui::DialogService::setCurrent(nullptr);
    TearDown();
    navigators.clear();
  }
}

TEST_F(SynchronizerTest, TheTwoHundredAndFiftySixthTreeGrowsTheSlotListByABlock) {
  table("t", {{1, 0}});
  const int slots = QuerySynchronizer::getSlotCount();
  const int trees = QuerySynchronizer::getSynchronizerCount();
  const int free = slots - trees;
  for (int i = 0; i <= free; ++i) make("t" + std::to_string(i), "", tables["t"], c1);
  EXPECT_EQ(QuerySynchronizer::getSlotCount(), slots + QuerySynchronizer::SLOT_GROWTH);
  EXPECT_EQ(QuerySynchronizer::getSynchronizerCount(), trees + free + 1);
  // The tree in the new block works like any other.
  auto last = navigators.back();
  last->execute(true);
  EXPECT_EQ(id(last), 1);
  // A closed tree gives its slot back.
  navigators.front()->close();
  EXPECT_EQ(QuerySynchronizer::getSynchronizerCount(), trees + free);
  make("again", "", tables["t"], c1);
  EXPECT_EQ(QuerySynchronizer::getSlotCount(), slots + QuerySynchronizer::SLOT_GROWTH);
}

// Throws from its first after-save call, then lets saves through.
class ThrowingAfterSave : public plat::lang::Object, public event::RecordSaveEventListener {
 public:
  void onBeforeRecordSave(const event::RecordSaveEvent&) override {}
  void onAfterRecordSave(const event::RecordSaveEvent&) override {
    if (throws-- > 0) throw plat::lang::RuntimeException("listener refuses");
  }
  int throws = 1;
};

TEST_F(SynchronizerTest, AThrowingAfterSaveListenerRollsTheTreeBackAndARetryWritesEachRecordOnce) {
  table("a", {{1, 0}, {2, 0}});
  table("b", {{11, 1}, {12, 1}});
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c2);
  b->execute(true);
  a->execute(true);
  a->setValue(Value("Renamed"), 0, 2);
  b->setValue(Value("Edited"), 0, 2);
  b->addRecordSaveEventListener(makeRef<ThrowingAfterSave>());
  c1->clearJournal();
  c2->clearJournal();
  a->save();
  EXPECT_EQ(name(tables["a"], 1), "N1");
  EXPECT_EQ(name(tables["b"], 11), "N11");
  EXPECT_TRUE(a->isDirty());
  EXPECT_TRUE(b->isDirty());
  for (const auto& journal : {c1->getJournal(), c2->getJournal()})
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "commit"), 0);

  c1->clearJournal();
  c2->clearJournal();
  a->save();
  Lines all = c1->getJournal();
  for (const auto& line : c2->getJournal()) all.push_back(line);
  EXPECT_EQ(std::count(all.begin(), all.end(), "UPDATE a 1"), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), "UPDATE b 11"), 1);
  EXPECT_EQ(name(tables["a"], 1), "Renamed");
  EXPECT_EQ(name(tables["b"], 11), "Edited");
  EXPECT_FALSE(a->isDirty());
  EXPECT_FALSE(b->isDirty());
}

TEST_F(SynchronizerTest, ASubtreeMergedInBringsItsConnectionIntoTheTreeSave) {
  threeTables();
  auto c = make("c", "b", tables["c"], c2);  // c's own tree waits under an open b
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c1);  // b fills c's placeholder; the subtree merges into a's tree
  EXPECT_EQ(link("c")->getSynchronizer(), link("a")->getSynchronizer());
  c->execute(true);
  b->execute(true);
  a->execute(true);
  a->setValue(Value("Renamed"), 0, 2);
  c->setValue(Value("Edited"), 0, 2);
  c1->clearJournal();
  c2->clearJournal();
  a->save();
  EXPECT_EQ(c1->getJournal(), (Lines{"begin 1", "UPDATE a 1", "commit"}));
  EXPECT_EQ(c2->getJournal(), (Lines{"begin 1", "UPDATE c 111", "commit"}));
  EXPECT_EQ(name(tables["c"], 111), "Edited");
  EXPECT_FALSE(c->isDirty());
}

// Registered bottom up, each level naming a master that is not there yet; the deepest level saves every level.
TEST_F(SynchronizerTest, SaveAllLevelsFromTheDeepestDetailWritesTheWholeTreeInOneTransactionPerConnection) {
  threeTables();
  auto c = make("c", "b", tables["c"], c2);
  auto b = make("b", "a", tables["b"], c1);
  auto a = make("a", "", tables["a"], c1);
  for (auto& n : {c, b, a}) n->execute(true);
  ASSERT_EQ(id(c), 111);
  a->setValue(Value("A"), 0, 2);
  b->setValue(Value("B"), 0, 2);
  c->deleteRecord();
  c1->clearJournal();
  c2->clearJournal();
  c->saveAllLevels();
  EXPECT_EQ(c1->getJournal(), (Lines{"begin 1", "UPDATE a 1", "UPDATE b 11", "commit"}));
  EXPECT_EQ(c2->getJournal(), (Lines{"begin 1", "DELETE c 111", "commit"}));
  for (auto& n : {a, b, c}) EXPECT_FALSE(n->isDirty());
  // The tree is queried again from its root.
  EXPECT_EQ(id(a), 1);
  EXPECT_EQ(id(b), 11);
  EXPECT_EQ(id(c), 112);
}

TEST_F(SynchronizerTest, NavigatingAndSavingFromSeveralThreadsEndsWithoutDeadlock) {
  threeTables();
  auto a = make("a", "", tables["a"], c1);
  auto b = make("b", "a", tables["b"], c1);
  auto c = make("c", "b", tables["c"], c2);
  c->execute(true);
  b->execute(true);
  a->execute(true);
  ScriptedDialog::answer = SaveChangesDialog::YES;
  constexpr int kRounds = 300;
  std::vector<std::function<void()>> bodies{
      [&] {
        for (int i = 0; i < kRounds; ++i) i % 4 == 3 ? a->first() : a->next();
      },
      [&] {
        for (int i = 0; i < kRounds; ++i) {
          b->setValue(Value("B" + std::to_string(i)), 0, 2);
          i % 2 ? b->save() : (void)b->next();
        }
      },
      [&] {
        for (int i = 0; i < kRounds; ++i) {
          c->setValue(Value("C" + std::to_string(i)), 0, 2);
          a->save();
        }
      },
  };
  std::vector<std::future<void>> done;
  for (auto& body : bodies) done.push_back(std::async(std::launch::async, body));
  for (auto& d : done) {
    if (d.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
      // A deadlocked thread cannot be joined: report and end the process rather than hang.
      std::fprintf(stderr, "navigating and saving threads deadlocked\n");
      std::fflush(stderr);
      std::_Exit(1);
    }
    EXPECT_NO_THROW(d.get());
  }
  // The tree is still usable and consistent: the details follow the master again.
  ScriptedDialog::answer = SaveChangesDialog::NO;
  a->first();
  EXPECT_EQ(id(a), 1);
  EXPECT_EQ(id(b), 11);
  EXPECT_EQ(id(c), 111);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
