// The one-row data source: its row, its registry of published names and its publication through a provider
// mediator, as the SQL adapter and computed columns use it.
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"

#include <gtest/gtest.h>

#include "platform/beans/Beans.h"
#include "tests/quenlora/zafoli/db/beans/binding/MediatorTestSupport.h"

namespace quenlora::zafoli::db::beans::binding::testing {
namespace {

// A publisher as the library's subclasses make one: the support with its own provider mediator.
class Publisher : public SingleRowBDSSupport {
 public:
  using SingleRowBDSSupport::SingleRowBDSSupport;
  void attach() { setMediatorDS(makeRef<MediatorDS>()); }
  using SingleRowBDSSupport::getMediatorDS;
};

class TriggerRecorder : public TriggerUIListener {
 public:
  void commitUI(const TriggerUIEvent& event) override {
    types.push_back(event.m_Type);
    rows.push_back(event.m_Row);
    sources.push_back(event.getSource());
    if (onCommit) onCommit();
  }
  void setDataBinding(const std::string& fullName) override { names.push_back(fullName); }
  std::vector<int> types, rows;
  std::vector<plat::lang::Object*> sources;
  std::vector<std::string> names;
  std::function<void()> onCommit;
};

using SingleRowBDSSupportTest = MediatorTest;

TEST_F(SingleRowBDSSupportTest, OneRowThatGrowsAsColumnsAreSet) {
  SingleRowBDSSupport row;
  EXPECT_EQ(row.getCurrentRowNumber(), -1);
  EXPECT_EQ(row.getTotalNumberOfRows(), 0);
  EXPECT_TRUE(row.getValue(0, 0).isNull());

  row.setValue(Value("v"), 0, 4);
  EXPECT_EQ(row.getCurrentRowNumber(), 0);
  EXPECT_EQ(row.getTotalNumberOfRows(), 1);
  ASSERT_EQ(row.getValues().size(), 5u);
  EXPECT_EQ(row.getValues()[4], Value("v"));
  EXPECT_TRUE(row.getValues()[0].isNull());
  EXPECT_TRUE(row.getValue(1, 4).isNull()) << "only row 0 exists";
  EXPECT_TRUE(row.getValues(9).isNull());

  row.setValue(Value("other"), 1, 0);
  EXPECT_TRUE(row.getValue(0, 0).isNull()) << "writes to another row are ignored";
  row.setValues(1, Value(7));
  EXPECT_EQ(row.getValue(0, 1), Value(7));
  row.setValues({Value("a")});
  EXPECT_EQ(row.getValues().size(), 1u);
}

TEST_F(SingleRowBDSSupportTest, ANegativeColumnReadsNullAndIgnoresWrites) {
  SingleRowBDSSupport row;
  row.setValues({Value("a"), Value("b")});
  EXPECT_TRUE(row.getValue(0, -1).isNull());
  EXPECT_TRUE(row.getValues(-666).isNull());
  row.setValue(Value("x"), 0, -1);
  row.setValues(-3, Value("y"));
  EXPECT_EQ(row.getValues(), (std::vector<Value>{Value("a"), Value("b")}));
}

TEST_F(SingleRowBDSSupportTest, TriggersGoToACopyOfTheListenersInOrder) {
  auto row = makeRef<SingleRowBDSSupport>();
  row->triggerUI();  // nobody to tell
  auto first = makeRef<TriggerRecorder>();
  auto second = makeRef<TriggerRecorder>();
  row->addTriggerUIListener(first);
  row->addTriggerUIListener(second);
  first->onCommit = [&] { row->removeTriggerUIListener(second); };
  row->triggerUI();
  EXPECT_EQ(first->types, (std::vector<int>{TriggerUIEvent::FORCEREFRESH}));
  EXPECT_EQ(first->rows, (std::vector<int>{0}));
  EXPECT_EQ(first->sources, (std::vector<plat::lang::Object*>{row.get()}));
  EXPECT_EQ(second->types.size(), 1u) << "removed during the firing, still called this once";
  row->triggerUI();
  EXPECT_EQ(second->types.size(), 1u);

  auto owner = makeRef<plat::lang::Object>();
  auto delegated = makeRef<SingleRowBDSSupport>(owner);
  auto recorder = makeRef<TriggerRecorder>();
  delegated->addTriggerUIListener(recorder);
  delegated->triggerUI();
  EXPECT_EQ(recorder->sources, (std::vector<plat::lang::Object*>{owner.get()}));
}

TEST_F(SingleRowBDSSupportTest, ANameIsPublishedOnlyWithListenersAndThenRegistered) {
  auto row = makeRef<SingleRowBDSSupport>();
  row->setDataBinding(Name("quiet", "A"));
  EXPECT_EQ(SingleRowBDSSupport::getPublisher("quiet@A%1"), nullptr);
  auto recorder = makeRef<TriggerRecorder>();
  row->addTriggerUIListener(recorder);
  row->setDataBinding(Name("quiet", "A"));
  EXPECT_EQ(recorder->names, (std::vector<std::string>{"quiet@A%1"}));
  EXPECT_EQ(SingleRowBDSSupport::getPublisher("quiet@A%1"), row);
}

TEST_F(SingleRowBDSSupportTest, PublishedValuesReachAConsumerAndItsEditsComeBack) {
  auto row = makeRef<Publisher>();
  row->attach();
  row->setValues({Value(100), Value(19)});
  row->setDataBinding(Name("calc", "TOTAL,TAX"));
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "calc@TOTAL");
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(bean->getText(), Value(100));

  row->setValues(0, Value(250));
  row->triggerUI();
  EXPECT_EQ(bean->getText(), Value(250));
  bean->edit(Value(300), 0, 0);
  consumer->commit();
  EXPECT_EQ(row->getValue(0, 0), Value(300));
  EXPECT_EQ(row->getValue(0, 1), Value(19));

  auto all = consume(makeRef<RecordingBean>(), "calc@All", true);
  EXPECT_EQ(nameOf(all->getInput()), "calc@TOTAL,TAX%1") << "a one-row source has no virtual columns to drop";
}

TEST_F(SingleRowBDSSupportTest, ANewerPublisherOfTheSameNameMakesTheOlderWithdraw) {
  auto older = makeRef<Publisher>();
  older->attach();
  older->setValues({Value("old")});
  older->setDataBinding(Name("rate", "R"));
  ASSERT_EQ(older->getMediatorDS()->getDataInputVector().size(), 0u);
  auto shown = makeRef<RecordingBean>();
  auto before = consume(shown, "rate@R");
  ASSERT_EQ(older->getMediatorDS()->getDataInputVector().size(), 1u);

  auto newer = makeRef<Publisher>();
  newer->attach();
  newer->setValues({Value("new")});
  newer->setDataBinding(Name("rate", "R"));
  EXPECT_EQ(SingleRowBDSSupport::getPublisher("rate@R%1"), newer);
  EXPECT_TRUE(older->getMediatorDS()->getDataInputVector().empty());
  EXPECT_EQ(older->getMediatorDS()->getDataBus(), nullptr);
  EXPECT_NE(before->getDataBus(), nullptr) << "consumers of the withdrawn alias stay for the newer publisher";
  EXPECT_TRUE(before->hasFoundDI()) << "and find its item";
  EXPECT_EQ(shown->getText(), Value("new"));

  auto bean = makeRef<RecordingBean>();
  auto after = consume(bean, "rate@R");
  EXPECT_EQ(bean->getText(), Value("new"));
}

TEST_F(SingleRowBDSSupportTest, AReplacedMediatorWithdrawsAndLetsGoOfTheSource) {
  auto row = makeRef<Publisher>();
  row->attach();
  row->setValues({Value(1)});
  row->setDataBinding(Name("calc2", "N"));
  auto first = row->getMediatorDS();
  consume(makeRef<RecordingBean>(), "calc2@N");
  ASSERT_EQ(first->getDataInputVector().size(), 1u);

  row->attach();
  auto second = row->getMediatorDS();
  ASSERT_NE(second, first);
  EXPECT_EQ(first->getDataBus(), nullptr);
  EXPECT_TRUE(first->getDataInputVector().empty());
  row->setDataBinding(Name("calc2", "N"));
  row->setValues(0, Value(2));
  row->triggerUI();
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "calc2@N");
  EXPECT_EQ(bean->getText(), Value(2));
  EXPECT_EQ(second->getDataInputVector().size(), 1u) << "the successor answers";
  EXPECT_TRUE(first->getDataInputVector().empty()) << "the replaced one neither publishes nor answers again";
  EXPECT_EQ(first->getDataBus(), nullptr);
}

TEST_F(SingleRowBDSSupportTest, TheSynchroniserCopiesOneWayFromSourceItemToTargetItem) {
  auto from = makeRef<Publisher>();
  from->attach();
  from->setValues({Value("red")});
  from->setDataBinding(Name("paint", "COLOUR"));
  auto to = makeRef<Publisher>();
  to->attach();
  to->setValues({Value("blank")});
  to->setDataBinding(Name("copy", "COLOUR"));

  auto sync = DataSynchronizer::create("paint@COLOUR", "copy@COLOUR");
  ASSERT_NE(sync->getSourceMediator(), nullptr);
  ASSERT_TRUE(sync->getSourceMediator()->hasFoundDI());
  ASSERT_TRUE(sync->getTargetMediator()->hasFoundDI());
  EXPECT_EQ(sync->getSourceValue(), Value("red"));

  from->setValues(0, Value("green"));
  from->triggerUI();
  EXPECT_EQ(sync->getTargetValue(), Value("green"));
  EXPECT_EQ(to->getValue(0, 0), Value("green")) << "the target item took the value and wrote it into its source";

  to->setValues(0, Value("blue"));
  to->triggerUI();
  EXPECT_EQ(from->getValue(0, 0), Value("green")) << "the copy runs one way only";
  sync->setTargetValue(Value("ignored"));
  EXPECT_EQ(sync->getTargetValue(), Value("green"));
}

TEST_F(SingleRowBDSSupportTest, TheSynchroniserBindsNothingForEmptyNamesOrAtDesignTime) {
  auto idle = DataSynchronizer::create("", "");
  EXPECT_EQ(idle->getSourceMediator(), nullptr);
  EXPECT_EQ(idle->getTargetMediator(), nullptr);
  plat::beans::Beans::setDesignTime(true);
  auto designed = DataSynchronizer::create("a@X", "b@Y");
  plat::beans::Beans::setDesignTime(false);
  EXPECT_EQ(designed->getSourceMediator(), nullptr);
  EXPECT_EQ(designed->getSourceDataItem(), "a@X");
  EXPECT_EQ(designed->getTargetDataItem(), "b@Y");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::testing
