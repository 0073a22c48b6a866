// Editing through the query navigator: cell writes and their failures, delete, insert, undo, the query-by-example
// row, the save passes with their record-save exception handling, and the commit of record states.
#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/beans/binding/SaveTransactionChanges.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventExceptionListener.h"
#include "tests/quenlora/zafoli/db/beans/binding/NavigatorTestSupport.h"

namespace quenlora::zafoli::db::beans::binding::testing {
namespace {

using Lines = std::vector<std::string>;
using event::RecordSaveEvent;

// The failed-record prompt, made by class name: answers what the test scripted and counts its questions.
class ScriptedPrompt : public plat::lang::Object, public SaveTransactionChanges {
 public:
  static inline int answer = 0;
  static inline int asked = 0;
  static inline std::vector<std::string> lastChanged;
  int show(const std::vector<std::string>& headers, const std::vector<std::vector<Value>>&,
           const std::vector<std::string>& changed, const std::string&, const std::string&,
           const Ref<plat::lang::Object>&) override {
    ++asked;
    lastChanged = changed;
    EXPECT_EQ(headers.front(), "State");
    return answer;
  }
};

class SaveTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    plat::runvale::ClassRegistry::instance().registerClass(
        {QueryNavigator::TRANSACTION_WINDOW, [] { return makeRef<ScriptedPrompt>(); }, {}, ""});
    ScriptedPrompt::asked = 0;
  }

  // Changes the name of the records at the 1-based rows.
  static void rename(const Ref<QueryNavigator>& navigator, std::initializer_list<int> rows) {
    for (int row : rows) {
      navigator->go_to(row);
      navigator->setValue(Value("X" + std::to_string(row)), 0, 1);
    }
  }

  std::string stored(int id) const {
    auto row = table->find(Value(id));
    return row ? (*row)[1].toString() : "<gone>";
  }
};

TEST_F(SaveTest, AnEditReachesTheRecordThroughTheBoundBean) {
  fill(2);
  auto navigator = start();
  auto bean = makeRef<RecordingBean>();
  auto consumer = bind(bean, "emp@NAME");
  log->take();
  tasks->lines.clear();
  bean->edit(Value("Robert"), 0, 0);
  consumer->commit();
  EXPECT_EQ(name(navigator), "Robert");
  EXPECT_EQ(log->take(), (Lines{"column-before 0 col 1", "column-after 0 col 1"}));
  ASSERT_EQ(tasks->lines.size(), 2u);
  EXPECT_EQ(tasks->lines[1],
            "END " + ChainTasks::applUpdate()->getName() + "|; change value in column: NAME to:Robert");
  EXPECT_TRUE(navigator->isDirty());
  EXPECT_EQ(navigator->getValue(0, 4), Value("Modified"));
}

TEST_F(SaveTest, AValueThatDoesNotConvertIsRefusedAndTheStoredOneIsPublishedAgain) {
  fill(2);
  auto navigator = start();
  auto bean = makeRef<RecordingBean>();
  auto consumer = bind(bean, "emp@ID");
  log->take();
  tasks->lines.clear();
  bean->edit(Value("abc"), 0, 0);
  consumer->commit();
  const Lines events = log->take();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().rfind("exception 2 ", 0), 0u);
  EXPECT_NE(events.back().find(" Invalid value for the column: ID"), std::string::npos);
  auto item = std::dynamic_pointer_cast<databus::ImmediateAccess>(consumer->getInput());
  ASSERT_TRUE(item);
  EXPECT_EQ(item->getValueAsObject(), Value(1)) << "the published item shows the stored value again";
  EXPECT_EQ(navigator->getValue(0, 0), Value(1));
  EXPECT_FALSE(navigator->isDirty());
  EXPECT_EQ(tasks->lines.size(), 1u) << "no end of update";
}

TEST_F(SaveTest, UndoRestoresEveryModifiedColumnWithOnePairOfUndoEvents) {
  fill(2);
  auto navigator = start();
  navigator->setValue(Value("Z"), 0, 1);
  navigator->setValue(Value("7"), 0, 2);
  log->take();
  navigator->undoChanges();
  EXPECT_EQ(log->take(), (Lines{"column-before 1 col 0", "column-before 0 col 1", "column-after 0 col 1",
                                "column-before 0 col 2", "column-after 0 col 2", "column-after 1 col 0"}));
  EXPECT_EQ(name(navigator), "N1");
  EXPECT_FALSE(navigator->isDirty());
}

TEST_F(SaveTest, DeletedRecordsAreWrittenAndLeaveTheCacheAtCommit) {
  struct Case {
    std::vector<int> deleted;  // 1-based rows, deleted in this order
    int currentBeforeSave;
    std::string currentAfter;
    int rowsLeft;
  };
  const Case cases[] = {
      {{2}, 2, "N3", 3},               // the next record takes the place of the removed current one
      {{4}, 4, "N3", 3},               // the removed last record gives way to the new last
      {{1}, 3, "N3", 3},               // a removal before the current record keeps the current record
      {{1, 2, 3, 4}, 4, "<none>", 0},  // an emptied cache leaves no current record
  };
  for (const auto& c : cases) {
    SetUp();
    fill(4);
    auto navigator = start();
    for (int row : c.deleted) {
      navigator->go_to(row);
      navigator->deleteRecord();
    }
    navigator->go_to(c.currentBeforeSave);
    navigator->saveAll();
    EXPECT_EQ(table->size(), c.rowsLeft);
    EXPECT_EQ(name(navigator), c.currentAfter) << c.deleted.front();
    EXPECT_FALSE(navigator->isDirty());
    if (c.rowsLeft == 0) {
      navigator->setValue(Value("nobody"), 0, 1);
      EXPECT_EQ(table->size(), 0);
    }
    TearDown();
  }
}

TEST_F(SaveTest, SavingWritesThroughOneTransactionAndCommitsTheStates) {
  fill(3);
  auto navigator = start();
  rename(navigator, {1, 3});
  log->take();
  connection->clearJournal();
  navigator->saveAll();
  EXPECT_EQ(stored(1), "X1");
  EXPECT_EQ(stored(3), "X3");
  EXPECT_EQ(connection->getJournal(), (Lines{"begin 1", "UPDATE emp 1", "UPDATE emp 3", "commit"}));
  EXPECT_EQ(log->take(), (Lines{"save-before 1 type -1", "save-before 0 type 2", "save-after 0 type 2",
                                "save-before 0 type 2", "save-after 0 type 2", "save-after 1 type -1"}));
  EXPECT_FALSE(navigator->isDirty());
}

TEST_F(SaveTest, TheAfterSaveEventComesBeforeTheStateCommit) {
  fill(1);
  auto navigator = start();
  navigator->setValue(Value("Y"), 0, 1);
  bool modifiedWhenTold = false;
  log->afterSave = [&](const RecordSaveEvent& e) {
    if (e.getRecord()) modifiedWhenTold = e.getRecord()->getMarkedAsModified();
  };
  navigator->save();
  EXPECT_TRUE(modifiedWhenTold);
  EXPECT_EQ(stored(1), "Y");
  EXPECT_FALSE(navigator->isDirty());
}

TEST_F(SaveTest, InsertedRecordsAreSavedAsInserts) {
  fill(2);
  auto navigator = start();
  navigator->go_to(2);
  log->take();
  navigator->insert();
  EXPECT_EQ(log->take(), (Lines{"before 4 row 0", "after 4 row 1"}));
  EXPECT_EQ(navigator->getValue(0, 4), Value("New"));
  navigator->setValue(Value("9"), 0, 0);
  navigator->setValue(Value("Nine"), 0, 1);
  navigator->save();
  EXPECT_EQ(stored(9), "Nine");
  EXPECT_EQ(navigator->getValue(0, 4), Value("Existing"));
}

TEST_F(SaveTest, SaveModeThreeDoesNotExist) {
  auto navigator = start();
  try {
    navigator->saveAll(3);
    FAIL() << "mode 3 was accepted";
  } catch (const plat::lang::IllegalArgumentException& e) {
    EXPECT_EQ(e.getMessage(), "INVALID CALL IN SAVE ALL QN");
  }
}

TEST_F(SaveTest, TheQueryByExampleRowSavesNothing) {
  fill(2);
  auto navigator = start();
  navigator->startQueryByExample();
  navigator->setValue(Value("N2"), 0, 1);
  EXPECT_EQ(navigator->saveAll(PersistentDataSource::SAVE_CURRENT_RECORD), 0);
  navigator->deleteRecord();
  navigator->startQBE();
  EXPECT_EQ(table->size(), 2);
}

TEST_F(SaveTest, WithTheDefaultPromptAFailedRecordCancelsTheWholeSave) {
  fill(3);
  auto navigator = start();
  rename(navigator, {1, 2});
  table->failSave(2);
  navigator->saveAll();
  EXPECT_EQ(stored(1), "N1") << "rolled back";
  EXPECT_TRUE(navigator->isDirty());
  EXPECT_EQ(ScriptedPrompt::asked, 0);
  EXPECT_EQ(connection->getJournal().back(), "rollback 1");
  EXPECT_EQ(connection->getDepth(), 0);
  navigator->saveAll();
  EXPECT_EQ(stored(1), "X1") << "nothing of the failed save was left behind";
  EXPECT_EQ(stored(2), "X2");
}

TEST_F(SaveTest, TheScriptedPromptDecidesForEachFailedRecord) {
  struct Case {
    int answer;
    int asked;
    std::string first;  // row 1 is written fine
    bool failedStayDirty;
  };
  const Case cases[] = {
      {SaveTransactionChanges::DISCARD, 2, "X1", true},
      {SaveTransactionChanges::CANCEL, 1, "N1", true},
      {SaveTransactionChanges::DISCARD_ALL, 1, "X1", true},
      {5, 1, "N1", true},
  };
  for (const auto& c : cases) {
    SetUp();
    fill(4);
    auto navigator = start();
    navigator->setSaveChangesWindowClass(QueryNavigator::SAVE_DEFAULT_JFC_WINDOW);
    rename(navigator, {1, 2, 4});
    table->remove(Value(2));  // two updates find their row gone
    table->remove(Value(4));
    ScriptedPrompt::answer = c.answer;
    ScriptedPrompt::asked = 0;
    navigator->saveAll();
    EXPECT_EQ(ScriptedPrompt::asked, c.asked) << c.answer;
    EXPECT_EQ(ScriptedPrompt::lastChanged, (Lines{"NAME"})) << c.answer;
    EXPECT_EQ(stored(1), c.first) << c.answer;
    navigator->go_to(2);
    EXPECT_EQ(navigator->getValue(0, 4), Value("Modified")) << "a skipped record keeps its state";
    TearDown();
  }
}

class SaveTypeSpy : public event::RecordSaveEventExceptionListener {
 public:
  void onRecordSaveException(const RecordSaveEvent& e) override {
    types.push_back(e.getEventType() * 10 + e.getRecordSaveType());
  }
  std::vector<int> types;
};

TEST_F(SaveTest, AFailedWriteIsReportedWithTheRecordsOwnSaveType) {
  fill(3);
  auto navigator = start();
  navigator->setSaveChangesWindowClass(QueryNavigator::SAVE_DEFAULT_JFC_WINDOW);
  ScriptedPrompt::answer = SaveTransactionChanges::DISCARD;
  auto spy = std::make_shared<SaveTypeSpy>();
  navigator->addRecordSaveEventExceptionListener(spy);
  rename(navigator, {1});
  navigator->go_to(3);
  navigator->deleteRecord();
  table->remove(Value(1));
  table->remove(Value(3));
  navigator->saveAll();
  EXPECT_EQ(spy->types, (std::vector<int>{31, 2})) << "the delete as a failed delete, the update as an update";
}

TEST_F(SaveTest, QueryByExampleInputIsValidatedOnRestart) {
  fill(2);
  auto navigator = start();
  navigator->startQueryByExample();
  navigator->setValue(Value(">>"), 0, 0);
  log->take();
  navigator->restart();
  const Lines events = log->take();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().rfind("exception 2 ", 0), 0u);
  EXPECT_NE(events.front().find(" Invalid QBE input "), std::string::npos);
  navigator->setValue(Value(">1"), 0, 0);
  navigator->restart();
  EXPECT_EQ(name(navigator), "N1");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::testing
