// A consumer and a provider mediator moving values both ways between an in-memory data source and a bean, and
// the bus protocol between them: lookup, reuse, "All", all-rows items, navigation, revocation.
#include <gtest/gtest.h>

#include "platform/beans/PropertyVetoException.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/awt/ProjectionBean.h"
#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/ItemGrid.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "tests/quenlora/zafoli/db/beans/binding/MediatorTestSupport.h"

namespace quenlora::zafoli::db::beans::binding::testing {
namespace {

using Row = MemoryDataSource::Row;

std::vector<Row> people() {
  return {{Value(1), Value("Ann")}, {Value(2), Value("Bob")}, {Value(3), Value("Cy")}};
}

TEST_F(MediatorTest, AConsumerWaitingBeforeItsProviderFindsTheItemWhenTheAliasIsAnnounced) {
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME%1");
  EXPECT_FALSE(consumer->hasFoundDI());
  EXPECT_NE(consumer->getDataBus(), nullptr) << "it joined the bus to wait";

  Provider p = provide("emp", {"ID", "NAME"}, people());
  EXPECT_EQ(p.fullName, "emp@ID,NAME,RowNumber,RowState,NumberOfRows,CurrentDataSource%1");
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(bean->getText(), Value("Ann"));
  EXPECT_EQ(nameOf(consumer->getInput()), "emp@NAME%1");
}

TEST_F(MediatorTest, ValuesMoveFromTheSourceToTheBeanAndBack) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME");
  ASSERT_EQ(bean->getText(), Value("Ann"));

  p.source->moveTo(1);
  EXPECT_EQ(bean->getText(), Value("Bob")) << "navigation refreshes the current-row item";
  p.source->setValue(Value("Bobby"), 0, 1);
  EXPECT_EQ(bean->getText(), Value("Bobby")) << "a change in the source reaches the bean";

  bean->edit(Value("Robert"), 0, 0);
  consumer->commit();
  EXPECT_EQ(p.source->cell(1, 1), Value("Robert")) << "the bean's edit is written into the current row";
  EXPECT_EQ(p.source->cell(0, 1), Value("Ann"));
  EXPECT_EQ(p.source->cell(1, 0), Value(2)) << "only the bound column is written";
  EXPECT_TRUE(p.mediator->getNotifyOnDS());
}

TEST_F(MediatorTest, AMultiRowConsumerWritesEveryCellFirstAndOnlyChangesLater) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@ID,NAME%All", true);
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(bean->writes().size(), 6u) << "the first lookup shows the whole item";
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(bean->getCell(r, 0), Value(r + 1));
    EXPECT_EQ(bean->getCell(r, 1), people()[static_cast<std::size_t>(r)][1]);
  }
  EXPECT_EQ(consumer->getOutputSize(), (GridSize{2, 3}));

  bean->clearWrites();
  p.source->setValue(Value("Cyrus"), 2, 1);
  ASSERT_EQ(bean->writes().size(), 1u) << "later changes are written one by one";
  EXPECT_EQ(bean->writes()[0].row, 2);
  EXPECT_EQ(bean->writes()[0].col, 1);
  EXPECT_EQ(bean->writes()[0].value, Value("Cyrus"));
}

// A consumer whose descriptors resolved before it found its item: the lookup itself must show the whole item.
Ref<Mediator> gridConsumerReadyBeforeLookup(const Ref<RecordingBean>& bean, const std::string& binding) {
  auto mediator = makeRef<Mediator>();
  mediator->setOutput(bean);
  mediator->setSetMethods({"setCell(Value,Row,Col)"});
  mediator->setGetMethods({"getCell(Row,Col)"});
  mediator->setDataBinding(binding);
  return mediator;
}

TEST_F(MediatorTest, TheFirstLookupWritesEveryCellOfACollectionItem) {
  auto waiting = makeRef<RecordingBean>();
  auto early = gridConsumerReadyBeforeLookup(waiting, "emp@ID,NAME%All");
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto late = gridConsumerReadyBeforeLookup(bean, "emp@ID,NAME%All");
  for (const auto& b : {waiting, bean}) {
    EXPECT_EQ(b->writes().size(), 6u);
    EXPECT_EQ(b->getCell(1, 1), Value("Bob"));
    EXPECT_EQ(b->getCell(2, 0), Value(3));
  }
}

TEST_F(MediatorTest, ADeletedItemIsRewrittenWhole) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@ID,NAME%All", true);
  bean->clearWrites();
  auto input = consumer->getInput();
  consumer->notifyDataItemChanged(
      databus::DataItemChangedEvent(databus::DataItemChangedEvent::DATA_DELETED, input.get()));
  EXPECT_EQ(bean->writes().size(), 6u);
  bean->clearWrites();
  consumer->notifyDataItemChanged(
      databus::DataItemChangedEvent(databus::DataItemChangedEvent::DATA_VALUE_CHANGE, input.get()));
  EXPECT_TRUE(bean->writes().empty()) << "a value change writes only what changed, here nothing";
  plat::lang::Object stranger;
  consumer->notifyDataItemChanged(
      databus::DataItemChangedEvent(databus::DataItemChangedEvent::DATA_DELETED, &stranger));
  EXPECT_TRUE(bean->writes().empty()) << "changes of other items are not the consumer's";
}

TEST_F(MediatorTest, AnAllRowsEditIsWrittenToItsAbsoluteRowWhateverTheCurrentRow) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  p.source->moveTo(1);
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME%All", true);
  ASSERT_EQ(bean->getCell(0, 0), Value("Ann"));
  bean->edit(Value("Cynthia"), 2, 0);
  consumer->commit();
  EXPECT_EQ(p.source->cell(2, 1), Value("Cynthia"));
  EXPECT_EQ(p.source->cell(1, 1), Value("Bob"));
}

TEST_F(MediatorTest, ConsumersAskingForTheSameShapeShareOneItem) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto first = consume(makeRef<RecordingBean>(), "emp@ID,NAME%2", true);
  auto second = consume(makeRef<RecordingBean>(), "emp@ID,NAME%2", true);
  auto other = consume(makeRef<RecordingBean>(), "emp@NAME,ID%2", true);
  ASSERT_TRUE(first->hasFoundDI());
  EXPECT_EQ(first->getInput(), second->getInput());
  EXPECT_NE(first->getInput(), other->getInput()) << "other positions, other item";
  EXPECT_EQ(p.mediator->getDataInputVector().size(), 2u);
  EXPECT_EQ(p.mediator->getDataInputCols()[1], (std::vector<int>{1, 0}));
}

TEST_F(MediatorTest, AllColumnsArePublishedUnderTheRealColumnsOnly) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@All", true);
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(nameOf(consumer->getInput()), "emp@ID,NAME%1");
  EXPECT_EQ(bean->getCell(0, 0), Value(1));
  EXPECT_EQ(bean->getCell(0, 1), Value("Ann"));
  EXPECT_EQ(p.mediator->getDataInputCols()[0], (std::vector<int>{0, 1}));

  auto all = consume(makeRef<RecordingBean>(), "emp@All%All", true);
  EXPECT_EQ(nameOf(all->getInput()), "emp@ID,NAME%-1");
}

TEST_F(MediatorTest, AnAllRowsItemOnAnEmptySourceHasOneRow) {
  Provider p = provide("emp", {"ID", "NAME"}, {});
  auto consumer = consume(makeRef<RecordingBean>(), "emp@NAME%All", true);
  ASSERT_TRUE(consumer->hasFoundDI());
  auto collection = refCast<MutableCollectionItem>(consumer->getInput());
  ASSERT_NE(collection, nullptr) << "an all-rows item is always a collection";
  EXPECT_EQ(collection->getItemCount(), 1);
}

TEST_F(MediatorTest, AnAllRowsItemOfOneCellIsStillACollection) {
  Provider p = provide("emp", {"ID", "NAME"}, {{Value(1), Value("Ann")}});
  auto consumer = consume(makeRef<RecordingBean>(), "emp@NAME%All", true);
  EXPECT_NE(refCast<MutableCollectionItem>(consumer->getInput()), nullptr);
  auto single = consume(makeRef<RecordingBean>(), "emp@NAME%1");
  EXPECT_NE(refCast<DataInput>(single->getInput()), nullptr) << "one cell of the current row is one value";
}

TEST_F(MediatorTest, NavigationRefreshesCurrentRowItemsAndLeavesAllRowsItemsAlone) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto current = makeRef<RecordingBean>();
  auto everyone = makeRef<RecordingBean>();
  consume(current, "emp@NAME");
  consume(everyone, "emp@NAME%All", true);
  p.source->putQuietly(Value("Anna"), 0, 1);

  p.source->moveTo(2);
  EXPECT_EQ(current->getText(), Value("Cy"));
  EXPECT_EQ(everyone->getCell(0, 0), Value("Ann")) << "a navigation refresh leaves all-rows items alone";

  p.source->trigger(TriggerUIEvent::RECORDSETCHANGED);
  EXPECT_EQ(everyone->getCell(0, 0), Value("Anna")) << "any other refresh takes them along";
}

TEST_F(MediatorTest, RevokingAnAliasStrandsNoConsumer) {
  Provider emp = provide("emp", {"ID", "NAME"}, people());
  Provider dept = provide("dept", {"NO", "TITLE"}, {{Value(10), Value("Sales")}});
  auto empBean = makeRef<RecordingBean>();
  auto deptBean = makeRef<RecordingBean>();
  auto empConsumer = consume(empBean, "emp@NAME");
  auto deptConsumer = consume(deptBean, "dept@TITLE");
  ASSERT_TRUE(empConsumer->hasFoundDI());

  emp.mediator->killAll();
  EXPECT_NE(empConsumer->getDataBus(), nullptr) << "the consumer waits on the bus for the alias's next provider";
  EXPECT_FALSE(empConsumer->hasFoundDI()) << "the withdrawn item is dead and no longer held";
  EXPECT_NE(deptConsumer->getDataBus(), nullptr);
  EXPECT_TRUE(deptConsumer->hasFoundDI());
  EXPECT_EQ(emp.mediator->getDataBus(), nullptr);
  EXPECT_TRUE(emp.mediator->getDataInputVector().empty());

  dept.source->setValue(Value("Support"), 0, 1);
  EXPECT_EQ(deptBean->getText(), Value("Support"));
  const auto writes = empBean->writes().size();
  emp.source->setValue(Value("Zed"), 0, 1);
  EXPECT_EQ(empBean->writes().size(), writes) << "a consumer of a withdrawn item hears nothing more from it";

  Provider successor = provide("emp", {"ID", "NAME"}, {{Value(9), Value("Nina")}});
  EXPECT_TRUE(empConsumer->hasFoundDI()) << "the next provider of the alias is found again";
  EXPECT_EQ(empBean->getText(), Value("Nina"));
}

TEST_F(MediatorTest, AConsumerWhoseOutputWasDiscardedLeavesAtTheNextAnnouncement) {
  Provider emp = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME");
  bean.reset();
  ASSERT_NE(consumer->getDataBus(), nullptr);
  Provider other = provide("dept", {"NO"}, {{Value(1)}});
  EXPECT_EQ(consumer->getDataBus(), nullptr);
}

TEST_F(MediatorTest, AConsumerWhoseAliasWasRevokedTakesANewBindingAtOnce) {
  Provider first = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME");
  first.mediator->killAll();
  ASSERT_FALSE(consumer->hasFoundDI());

  Provider second = provide("emp", {"ID", "NAME"}, {{Value(9), Value("Nia")}});
  consumer->setDataBinding("emp@NAME");
  EXPECT_NE(consumer->getDataBus(), nullptr);
  EXPECT_EQ(bean->getText(), Value("Nia"));
}

TEST_F(MediatorTest, AProviderGivenAnotherSourceStopsListeningToTheFirst) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  ASSERT_EQ(p.source->getTriggerUIListeners().size(), 1u);
  auto other =
      makeRef<MemoryDataSource>(std::vector<std::string>{"ID", "NAME"}, std::vector<Row>{{Value(5), Value("Eve")}});
  p.mediator->setOutput(other);
  EXPECT_TRUE(p.source->getTriggerUIListeners().empty());
  EXPECT_EQ(other->getTriggerUIListeners().size(), 1u);
  other->publish("emp");
  auto bean = makeRef<RecordingBean>();
  consume(bean, "emp@NAME");
  EXPECT_EQ(bean->getText(), Value("Eve"));
}

TEST_F(MediatorTest, ARepublishedSourceHandsItsConsumersTheNewItem) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME");
  auto old = refCast<DataInput>(consumer->getInput());
  ASSERT_NE(old, nullptr);

  p.source->moveTo(1);
  p.source->publish("emp");
  auto fresh = consumer->getInput();
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old) << "the consumer looked up again";
  EXPECT_NE(consumer->getDataBus(), nullptr) << "an item's revocation does not make it leave";
  EXPECT_EQ(bean->getText(), Value("Bob"));

  bean->clearWrites();
  old->setValue(NewValue(Value("ghost")));
  EXPECT_TRUE(bean->writes().empty()) << "the dead item no longer reaches the bean";
  bean->edit(Value("Bobby"), 0, 0);
  consumer->commit();
  EXPECT_EQ(p.source->cell(1, 1), Value("Bobby")) << "commits go into the live item";
}

TEST_F(MediatorTest, ProvidersIgnoreAnnouncementsAndAnEmptyAliasMatchesNothing) {
  Provider emp = provide("emp", {"ID", "NAME"}, people());
  Provider nameless = provide("", {"X"}, {{Value("x")}});
  auto shown = makeRef<RecordingBean>();
  auto aliasless = consume(shown, "X%1");
  Provider twin = provide("emp", {"ID", "NAME"}, people());

  nameless.mediator->killAll();  // revokes the empty alias
  twin.mediator->killAll();      // revokes "emp" from another provider
  EXPECT_NE(emp.mediator->getDataBus(), nullptr) << "a provider does not leave on another's revocation";
  EXPECT_NE(aliasless->getDataBus(), nullptr) << "an empty alias never matches";

  auto late = consume(makeRef<RecordingBean>(), "emp@NAME");
  EXPECT_TRUE(late->hasFoundDI()) << "the remaining provider still answers";
}

TEST_F(MediatorTest, AMalformedOrForeignRequestGetsNoAnswer) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bus = p.mediator->getDataBus();
  ASSERT_NE(bus, nullptr);
  EXPECT_EQ(bus->findDataItem("emp@NAME%lots", nullptr), nullptr);
  EXPECT_EQ(bus->findDataItem("dept@NAME", nullptr), nullptr);
  EXPECT_EQ(bus->findDataItem("emp@SALARY", nullptr), nullptr);
  EXPECT_NE(bus->findDataItem("emp@2", nullptr), nullptr) << "a column number within the count is the source's";
}

TEST_F(MediatorTest, ColumnsTheSourceDoesNotHaveReadNotFound) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  plat::lang::ConsoleCapture out;
  auto consumer = consume(bean, "emp@NAME,SALARY", true);
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(bean->getCell(0, 0), Value("Ann"));
  EXPECT_EQ(bean->getCell(0, 1), Value("Not Found"));
  EXPECT_NE(out.text().find("column SALARY not found"), std::string::npos);
}

class Refusal : public plat::beans::VetoableChangeListener {
 public:
  void vetoableChange(const plat::beans::PropertyChangeEvent& event) override {
    if (event.getPropertyName() == Mediator::DataBusProperty) throw plat::beans::PropertyVetoException("no", event);
  }
};

TEST_F(MediatorTest, AConsumerRefusedByTheBusFindsAndHearsNothing) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto bean = makeRef<RecordingBean>();
  auto consumer = makeRef<Mediator>();
  consumer->addVetoableChangeListener(makeRef<Refusal>());
  consumer->setOutput(bean);
  consumer->setSetMethods({"setText(Value)"});
  consumer->setGetMethods({"getText()"});
  EXPECT_NO_THROW(consumer->setDataBinding("emp@NAME"));
  EXPECT_EQ(consumer->getDataBus(), nullptr);
  EXPECT_FALSE(consumer->hasFoundDI());
  p.source->publish("emp");
  EXPECT_FALSE(consumer->hasFoundDI());
  EXPECT_TRUE(bean->writes().empty());
  EXPECT_NO_THROW(consumer->commit());
}

TEST_F(MediatorTest, WithdrawingWithoutABusReportsAndForgets) {
  auto lonely = makeRef<MediatorDS>();
  plat::lang::ConsoleCapture out;
  lonely->killAll();
  EXPECT_EQ(out.text(), "could'nt do kill all\n");
  EXPECT_EQ(lonely->getDataBinding(), "");
}

// A source that fails while it is read, once switched to.
class FailingSource : public MemoryDataSource {
 public:
  using MemoryDataSource::MemoryDataSource;
  bool failing = false;
  Value getValue(int row, int column) override {
    if (failing) throw plat::lang::IllegalStateException("disk gone");
    return MemoryDataSource::getValue(row, column);
  }
};

TEST_F(MediatorTest, FlagsSwitchedAroundARefreshComeBackWhenTheSourceThrows) {
  auto source = makeRef<FailingSource>(std::vector<std::string>{"ID", "NAME"}, people());
  auto provider = makeRef<MediatorDS>();
  provider->setOutput(source);
  provider->setSetMethods({MediatorDS::SourceSetDescriptor});
  provider->setGetMethods({MediatorDS::SourceGetDescriptor});
  source->publish("emp");
  auto bean = makeRef<RecordingBean>();
  auto consumer = consume(bean, "emp@NAME");
  ASSERT_TRUE(consumer->hasFoundDI());

  source->failing = true;
  EXPECT_THROW(source->trigger(TriggerUIEvent::FORCEREFRESH), plat::lang::IllegalStateException);
  EXPECT_FALSE(Mediator::notifyOnStatic.load()) << "a forced refresh does not stay forced";
  EXPECT_TRUE(provider->getNotifyOnDS()) << "write-back is on again";
  EXPECT_THROW(source->moveTo(1), plat::lang::IllegalStateException);
  source->failing = false;

  bean->edit(Value("Bobby"), 0, 0);
  consumer->commit();
  EXPECT_EQ(source->cell(1, 1), Value("Bobby")) << "edits are written back after the failed refreshes";
  source->moveTo(0);
  EXPECT_EQ(bean->getText(), Value("Ann")) << "a navigation after a failed one refreshes the current-row item";
}

TEST_F(MediatorTest, TheDataBusChangeIsOfferedForVetoAndAVetoKeepsTheOldBus) {
  auto consumer = makeRef<Mediator>();
  consumer->addVetoableChangeListener(makeRef<Refusal>());
  Provider p = provide("emp", {"ID"}, {{Value(1)}});
  EXPECT_THROW(consumer->setDataBus(p.mediator->getDataBus()), plat::beans::PropertyVetoException);
  EXPECT_EQ(consumer->getDataBus(), nullptr);
}

// A one-value editing bean, read and written directly rather than through registered methods.
class TextField : public plat::lang::Object, public awt::ProjectionBean {
 public:
  Value getData() override { return text; }
  void setData(const Value& value) override {
    text = value;
    ++sets;
  }
  int getScale() override { return 0; }
  bool isTextBased() override { return true; }
  void registerListeners() override {}
  void setReadOnly(bool) override {}
  Value text;
  int sets = 0;
};

TEST_F(MediatorTest, AProjectionBeanIsReadAndWrittenDirectly) {
  Provider p = provide("emp", {"ID", "NAME"}, people());
  auto field = makeRef<TextField>();
  auto consumer = makeRef<Mediator>();
  consumer->setOutput(field);
  consumer->setDataBinding("emp@NAME");
  consumer->setSetMethods({"setData(Value)"});
  consumer->setGetMethods({"getData()"});
  ASSERT_TRUE(consumer->getHasFoundSetMethod());
  ASSERT_TRUE(consumer->getHasFoundGetMethod());
  EXPECT_EQ(field->text.toString(), "Ann");
  field->text = Value("Annie");
  consumer->commit();
  EXPECT_EQ(p.source->cell(0, 1).toString(), "Annie");
}

TEST_F(MediatorTest, FormattingSwitchesPullEachOther) {
  auto mediator = makeRef<Mediator>();
  EXPECT_FALSE(mediator->getLocalizationUsed());
  mediator->setFormatNumbers(true);
  EXPECT_TRUE(mediator->getLocalizationUsed());
  mediator->setLocalizationUsed(false);
  EXPECT_FALSE(mediator->getFormatNumbers());
  EXPECT_TRUE(mediator->getEmptyMeansNull());
  EXPECT_EQ(mediator->getOutput(), mediator) << "a mediator is its own output until given one";
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::testing
