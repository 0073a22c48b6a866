// The query navigator's row cache, cursors, navigation with its event sequences and task-bus announcements, the
// cells it publishes (virtual columns included), the alias registry and closing.
#include <gtest/gtest.h>

#include "platform/beans/Beans.h"
#include "platform/beans/PropertyChangeEvent.h"
#include "quenlora/zafoli/db/beans/binding/ParentInvalidRecordException.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "tests/quenlora/zafoli/db/beans/binding/NavigatorTestSupport.h"

namespace quenlora::zafoli::db::beans::binding::testing {
namespace {

using Lines = std::vector<std::string>;

const int kRowNumber = 3;  // the first virtual column after ID, NAME, SALARY
const int kRowState = 4;
const int kNumberOfRows = 5;
const int kCurrentDataSource = 6;

TEST_F(NavigatorTest, AQueryWithoutRowsShowsTheQueryByExampleRow) {
  auto navigator = start();
  EXPECT_EQ(log->take(), (Lines{"boundary 10", "exception 3 NO ROWS"}));
  EXPECT_TRUE(navigator->isQBERow());
  EXPECT_TRUE(navigator->isEmpty());
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 1) << "the query-by-example row counts as one";
  EXPECT_EQ(navigator->getValue(0, kRowNumber), Value(0));
}

TEST_F(NavigatorTest, NextWalksThreeRowsWithTheListedEvents) {
  fill(3);
  auto navigator = start();
  ASSERT_EQ(name(navigator), "N1");
  log->take();
  tasks->lines.clear();
  const std::string nextChain = ChainTasks::applNext()->getName();
  struct Step {
    Lines events;
    std::string current;
  };
  const Step steps[] = {
      {{"before 2 row 1", "after 2 row 1"}, "N2"},
      {{"before 2 row 2", "boundary 9", "after 2 row 2"}, "N3"},
      {{}, "N3"},
  };
  int row = 2;
  for (const auto& step : steps) {
    navigator->next();
    EXPECT_EQ(log->take(), step.events);
    EXPECT_EQ(name(navigator), step.current);
    ASSERT_EQ(tasks->lines.size(), 2u);
    EXPECT_EQ(tasks->lines[1], "END " + nextChain + "|; go to row:" + std::to_string(std::min(row++, 3)));
    tasks->lines.clear();
  }
}

TEST_F(NavigatorTest, PreviousOnTheFirstRowFiresOnlyTheBoundary) {
  fill(3);
  auto navigator = start();
  log->take();
  navigator->previous();
  EXPECT_EQ(log->take(), (Lines{"boundary 8"}));
  navigator->go_to(3);
  log->take();
  navigator->previous();
  EXPECT_EQ(log->take(), (Lines{"before 3 row 1", "after 3 row 1"}));
  navigator->previous();
  EXPECT_EQ(log->take(), (Lines{"before 3 row 0", "after 3 row 0", "boundary 8"}));
}

TEST_F(NavigatorTest, GoToChecksItsTarget) {
  fill(3);
  auto navigator = start();
  log->take();
  const std::string chain = ChainTasks::applGoto()->getName();
  struct Case {
    int target;
    Lines events;
    std::string current;
    std::string end;
  };
  const Case cases[] = {
      {0, {}, "N1", "; go to row:1"},
      {5, {"exception 1 Request for invalid row ignored."}, "N1", "; go to row:1"},
      {2, {"before 6 row 2", "after 6 row 2"}, "N2", "; go to row:2"},
      {3, {"before 6 row 3", "after 6 row 3", "boundary 9"}, "N3", "; last row:3"},
      {1, {"before 6 row 1", "after 6 row 1", "boundary 8"}, "N1", "; go to row:1"},
  };
  for (const auto& c : cases) {
    tasks->lines.clear();
    navigator->go_to(c.target);
    EXPECT_EQ(log->take(), c.events) << c.target;
    EXPECT_EQ(name(navigator), c.current) << c.target;
    ASSERT_EQ(tasks->lines.size(), 2u) << c.target;
    EXPECT_EQ(tasks->lines[0].rfind("START " + chain + " " + ApplicationTask::gotoTask()->getName(), 0), 0u);
    EXPECT_EQ(tasks->lines[1], "END " + chain + "|" + c.end) << c.target;
  }
}

TEST_F(NavigatorTest, VirtualColumnsAnswerFromTheCurrentRow) {
  fill(7);
  auto navigator = start();
  navigator->go_to(5);
  EXPECT_EQ(navigator->getValue(2, kRowNumber), Value(7));
  EXPECT_EQ(navigator->getValue(0, kRowState), Value("Existing"));
  EXPECT_EQ(navigator->getValue(5, kRowState), Value("")) << "a record past the end has no state";
  EXPECT_EQ(navigator->getValue(0, kNumberOfRows).intValue(), navigator->getTotalNumberOfRows());
  EXPECT_EQ(navigator->getValue(0, kCurrentDataSource).getObject().get(), navigator.get());
  EXPECT_EQ(navigator->getValue(1, 1), Value("N6"));
  EXPECT_EQ(navigator->getValue(-4, 1), Value("N1"));
  EXPECT_TRUE(navigator->getValue(-5, 1).isNull()) << "an offset before the first record reads nothing";
  EXPECT_TRUE(navigator->getValue(0, 42).isNull()) << "a column the record does not have reads nothing";
  navigator->setValue(Value("2"), 0, kRowNumber);
  EXPECT_EQ(name(navigator), "N2") << "writing the row number moves";
  EXPECT_THROW(navigator->setValue(Value("two"), 0, kRowNumber), PositionOutOfRangeException);
}

TEST_F(NavigatorTest, TheCacheGrowsOnlyAsFarAsAsked) {
  fill(10);
  auto navigator = start();
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 2) << "the first record and one ahead";
  navigator->getElementAt(5);
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 6);
  EXPECT_THROW(navigator->getElementAt(10), PositionOutOfRangeException);
  EXPECT_THROW(navigator->getElementAt(-1), PositionOutOfRangeException);
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 10);
}

TEST_F(NavigatorTest, CountingANewSetFetchesAllAndTellsItOnce) {
  fill(4);
  auto navigator = start();
  navigator->executeQuery(nullptr);  // a new set: its size is unknown
  log->take();
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 4);
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 4);
  EXPECT_EQ(log->take(), (Lines{"boundary 11"}));
}

TEST_F(NavigatorTest, BoundBeansFollowTheCurrentRecord) {
  fill(3);
  auto navigator = start();
  auto bean = makeRef<RecordingBean>();
  auto consumer = bind(bean, "emp@NAME");
  EXPECT_EQ(bean->getText(), Value("N1"));
  navigator->next();
  EXPECT_EQ(bean->getText(), Value("N2"));
  navigator->go_to(3);
  EXPECT_EQ(bean->getText(), Value("N3"));
}

TEST_F(NavigatorTest, WithoutLinkNothingMoves) {
  fill(3);
  auto navigator = start("emp", false);
  EXPECT_TRUE(navigator->isQBERow());
  for (auto move : {&QueryNavigator::next, &QueryNavigator::previous, &QueryNavigator::first}) {
    ((*navigator).*move)();
    EXPECT_TRUE(navigator->isQBERow());
  }
  navigator->go_to(2);
  EXPECT_TRUE(navigator->isQBERow());
}

TEST_F(NavigatorTest, TheNavigatorWithoutRecordReadsNothing) {
  auto navigator = makeRef<MemoryQueryNavigator>();
  navigator->setClassName(className);
  EXPECT_TRUE(navigator->getValue(0, 0).isNull());
  EXPECT_TRUE(navigator->getValue(1, 0).isNull());
  EXPECT_EQ(navigator->getCurrentRowNumber(), -1);
  EXPECT_EQ(navigator->getTotalNumberOfRows(), 0);
  EXPECT_TRUE(navigator->isEmpty());
}

class FailingLink : public MemoryLink {
 public:
  FailingLink(Synchronizable* source, std::function<void()> failure) : MemoryLink(source, nullptr), failure_(failure) {}
  void navigate(int, std::optional<int>) override { failure_(); }

 private:
  std::function<void()> failure_;
};

TEST_F(NavigatorTest, LinkFailuresBecomeExceptionEvents) {
  fill(2);
  auto navigator = start();
  struct Case {
    std::function<void()> failure;
    Lines events;
  };
  const Case cases[] = {
      {[] { throw ParentInvalidRecordException("parent is new"); }, {"exception 7 parent is new"}},
      {[] { throw RelationshipPendingException("no master"); }, {"exception 8 no master"}},
      {[] { throw RelationshipPendingException("Easy way out"); }, {}},
      {[] { throw plat::lang::IllegalStateException("odd"); }, {"exception 1 odd"}},
  };
  for (const auto& c : cases) {
    navigator->setLink(makeRef<FailingLink>(navigator.get(), c.failure));
    log->take();
    tasks->lines.clear();
    navigator->next();
    EXPECT_EQ(log->take(), c.events);
    EXPECT_EQ(tasks->lines.size(), 1u) << "a failed move is not announced as done";
    EXPECT_EQ(name(navigator), "N1");
  }
}

TEST_F(NavigatorTest, TheDispatchRefusesUnknownCodesQuietly) {
  fill(2);
  auto navigator = start();
  log->take();
  navigator->navigate(99, std::nullopt);
  EXPECT_TRUE(log->take().empty());
  EXPECT_EQ(name(navigator), "N1");
}

TEST_F(NavigatorTest, AnAliasIsOwnedByTheLastNavigatorAndSettingItAgainChangesNothing) {
  fill(2);
  auto first = start("emp");
  first->setAliasName("emp");
  EXPECT_EQ(QueryNavigator::getQueryNavigatorObject("emp"), first) << "setting the held alias keeps the navigator";
  first->next();
  EXPECT_EQ(name(first), "N2");
  first->setAliasName("other");
  EXPECT_EQ(first->getAliasName(), "emp");
  auto second = start("emp");
  EXPECT_EQ(QueryNavigator::getQueryNavigatorObject("emp"), second);
  first->go_to(1);
  EXPECT_EQ(name(first), "N2") << "the replaced navigator is closed";
}

class CloseCounter : public plat::beans::PropertyChangeListener {
 public:
  void propertyChange(const plat::beans::PropertyChangeEvent& e) override {
    if (e.getPropertyName() == "close") ++count;
  }
  int count = 0;
};

TEST_F(NavigatorTest, CloseRunsOnceAndStopsTheNavigator) {
  fill(3);
  auto navigator = start();
  auto link = std::dynamic_pointer_cast<MemoryLink>(navigator->getLink());
  auto counter = std::make_shared<CloseCounter>();
  navigator->addPropertyChangeListener(counter);
  link->close();  // the link's "close" closes the navigator
  navigator->close();
  EXPECT_EQ(counter->count, 1);
  EXPECT_FALSE(QueryNavigator::getQueryNavigatorObject("emp"));
  navigator->next();
  EXPECT_EQ(name(navigator), "N1");
}

TEST_F(NavigatorTest, TheRecordClassMustBeKnownAndMakePersistentObjects) {
  RecordingBean::registerClass(plat::runvale::ClassRegistry::instance());
  struct Case {
    std::string className;
    std::string event;
  };
  const Case cases[] = {
      {"test.navigator.Missing", "exception 1 test.navigator.Missing"},
      {RecordingBean::kClassName, std::string("exception 1 ") + RecordingBean::kClassName},
  };
  for (const auto& c : cases) {
    auto navigator = makeRef<MemoryQueryNavigator>();
    auto events = makeRef<EventLog>();
    navigator->addExceptionEventListener(events);
    navigator->setClassName(c.className);
    EXPECT_EQ(events->take(), (Lines{c.event})) << c.className;
    navigator->execute(true);
    EXPECT_FALSE(navigator->getQBEObject()) << c.className;
  }
}

TEST_F(NavigatorTest, AnInsertWhoseRecordCannotBePreparedIsReported) {
  fill(2);
  auto navigator = start();
  table->failInitDataStorage(1);
  log->take();
  navigator->insert();
  EXPECT_EQ(log->take(), (Lines{"before 4 row 0", "exception 1 injected"}));
  EXPECT_EQ(name(navigator), "N1");
}

TEST_F(NavigatorTest, InADesignerTheNavigatorOnlyKeepsItsProperties) {
  plat::beans::Beans::setDesignTime(true);
  auto navigator = makeRef<MemoryQueryNavigator>();
  navigator->setClassName(className);
  navigator->setAliasName("designed");
  navigator->execute(true);
  plat::beans::Beans::setDesignTime(false);
  EXPECT_EQ(navigator->getAliasName(), "designed");
  EXPECT_FALSE(QueryNavigator::getQueryNavigatorObject("designed"));
  EXPECT_FALSE(navigator->getQBEObject());
  navigator->navigate(QueryNavigator::FIRST, std::nullopt);
  EXPECT_TRUE(navigator->getValue(0, 0).isNull());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::testing
