// The grid algorithms: building and refilling items from grids, writing new and modified values into an output,
// and the size of an item.
#include "quenlora/zafoli/db/beans/binding/ItemGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ItemTestBeans.h"
#include "platform/lang/System.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using databus::DataItem;
using databus::DataItemChangedEvent;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testing::GridBean;
using testing::RecordingHost;

class Heard : public databus::DataItemChangedListener {
 public:
  void notifyDataItemChanged(const DataItemChangedEvent& event) override { types.push_back(event.getChangeType()); }
  std::vector<int> types;
};

Grid grid(std::initializer_list<std::initializer_list<Value>> rows) {
  Grid g;
  for (const auto& row : rows) g.emplace_back(row);
  return g;
}

Ref<MutableCollectionItem> collectionOf(const Ref<DataItem>& item) {
  return std::dynamic_pointer_cast<MutableCollectionItem>(item);
}

// The values of an item as text, rows separated by "|", cells by ",".
std::string dump(const Ref<DataItem>& item) {
  if (auto input = std::dynamic_pointer_cast<DataInput>(item)) return input->getValueAsString().value_or("null");
  std::string text;
  auto collection = collectionOf(item);
  bool firstMember = true;
  for (const auto& member : collection->getDataItems()) {
    if (!firstMember) text += std::dynamic_pointer_cast<DataInput>(member) ? "," : "|";
    firstMember = false;
    text += dump(member);
  }
  return text;
}

int statusOf(const Ref<DataItem>& item) {
  return dynamic_cast<DataItemAddition&>(*item).getStatusFlag();
}

TEST(ItemGrid, OneCellMakesANewOneValueItem) {
  RecordingHost host;
  auto item = ItemGrid::fill(grid({{Value("x")}}), nullptr, host);
  auto input = std::dynamic_pointer_cast<DataInput>(item);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->getValueAsObject(), Value("x"));
  EXPECT_EQ(input->getStatusFlag(), DataItemAddition::NEW);
  EXPECT_EQ(ItemGrid::sizeOf(*item), (GridSize{1, 1}));
  EXPECT_EQ(host.log, (std::vector<std::string>{"notifyOn=off", "notifyOn=on"}));
}

TEST(ItemGrid, RefillingAOneValueItemIsQuietForTheHostOnly) {
  RecordingHost host;
  auto input = makeRef<DataInput>();
  auto heard = std::make_shared<Heard>();
  input->addDataItemChangedListener(heard);
  bool hostWasQuiet = false;
  class Spy : public databus::DataItemChangedListener {
   public:
    Spy(RecordingHost& h, bool& quiet) : host(h), quiet(quiet) {}
    void notifyDataItemChanged(const DataItemChangedEvent&) override { quiet = !host.notifyOn; }
    RecordingHost& host;
    bool& quiet;
  };
  input->addDataItemChangedListener(std::make_shared<Spy>(host, hostWasQuiet));
  EXPECT_EQ(ItemGrid::fill(grid({{Value(3)}}), input, host), input);
  EXPECT_EQ(heard->types.size(), 1u);
  EXPECT_TRUE(hostWasQuiet);
  EXPECT_TRUE(host.notifyOn);
  EXPECT_EQ(input->getStatusFlag(), DataItemAddition::MODIFIED);  // refilled, not new
}

TEST(ItemGrid, ShapesOfNewItems) {
  struct Case {
    const char* what;
    Grid cells;
    std::string values;
    GridSize size;
  };
  const Case cases[] = {
      {"two rows of three",
       grid({{Value(1), Value(2), Value(3)}, {Value(4), Value(5), Value(6)}}),
       "1,2,3|4,5,6",
       {3, 2}},
      {"one column of three rows", grid({{Value("a")}, {Value("b")}, {Value("c")}}), "a,b,c", {1, 3}},
      {"one row of two", grid({{Value("a"), Value("b")}}), "a,b", {2, 1}},
      {"no rows", Grid{}, "null", {1, 1}},
      {"a short row padded", grid({{Value(1), Value(2)}, {Value(3)}}), "1,2|3,null", {2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingHost host;
    auto item = ItemGrid::fill(c.cells, nullptr, host);
    EXPECT_EQ(dump(item), c.values);
    EXPECT_EQ(ItemGrid::sizeOf(*item), c.size);
    EXPECT_EQ(statusOf(item), DataItemAddition::NEW);
  }
  // A single row is still a collection holding one row.
  RecordingHost host;
  auto row = collectionOf(ItemGrid::fill(grid({{Value("a"), Value("b")}}), nullptr, host));
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->getItemCount(), 1);
  EXPECT_NE(collectionOf(row->getDataItems()[0]), nullptr);
}

TEST(ItemGrid, AnEmptyCollectionIsZeroByZero) {
  MutableCollectionItem empty;
  EXPECT_EQ(ItemGrid::sizeOf(empty), (GridSize{0, 0}));
}

TEST(ItemGrid, ATallerCollectionKeepsItsLastMembers) {
  RecordingHost host;
  auto item = ItemGrid::fill(grid({{Value("r0")}, {Value("r1")}, {Value("r2")}}), nullptr, host);
  auto collection = collectionOf(item);
  auto before = collection->getDataItems();
  collection->cleanUp();
  auto heard = std::make_shared<Heard>();
  collection->addDataItemChangedListener(heard);
  host.log.clear();

  EXPECT_EQ(ItemGrid::fill(grid({{Value("n0")}, {Value("n1")}}), item, host), item);
  auto after = collection->getDataItems();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0], before[1]);
  EXPECT_EQ(after[1], before[2]);
  EXPECT_EQ(dump(item), "n0,n1");
  // Consumers rewrite their output on the last size change only.
  EXPECT_EQ(host.log,
            (std::vector<std::string>{"notifyOn=off", "notifyOn=on", "notifyOn=off", "notifyOn=on",
                                      "notifySizeOnStatic=off", "notifySizeOnStatic=on", "notifySizeOnStatic=on"}));
  EXPECT_EQ(heard->types.back(), DataItemChangedEvent::DATA_SIZE_CHANGE);
  // The dropped member is no longer followed: its changes are not the collection's any more.
  heard->types.clear();
  std::dynamic_pointer_cast<DataInput>(before[0])->setValue(NewValue(Value("gone")));
  EXPECT_TRUE(heard->types.empty());
}

TEST(ItemGrid, AShorterCollectionGrowsByAppending) {
  RecordingHost host;
  auto item = ItemGrid::fill(grid({{Value("a"), Value("b")}, {Value("c"), Value("d")}}), nullptr, host);
  auto before = collectionOf(item)->getDataItems();
  ItemGrid::fill(grid({{Value("a"), Value("b")}, {Value("c"), Value("D")}, {Value("e"), Value("f")}}), item, host);
  auto after = collectionOf(item)->getDataItems();
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], before[1]);
  EXPECT_EQ(dump(item), "a,b|c,D|e,f");
  EXPECT_EQ(statusOf(after[1]), DataItemAddition::MODIFIED);
  EXPECT_EQ(statusOf(after[2]), DataItemAddition::NEW);
  // Changes in the appended row reach the collection: it listens to the new member.
  collectionOf(item)->cleanUp();
  auto heard = std::make_shared<Heard>();
  item->addDataItemChangedListener(heard);
  auto appendedCell = collectionOf(after[2])->getDataItems()[0];
  std::dynamic_pointer_cast<DataInput>(appendedCell)->setValue(NewValue(Value("E")));
  EXPECT_EQ(heard->types, (std::vector<int>{DataItemChangedEvent::DATA_VALUE_CHANGE}));
}

TEST(ItemGrid, ARefillWithTheSameValuesAnnouncesNoValueChange) {
  RecordingHost host;
  Grid cells = grid({{Value(1), Value(2)}, {Value(3), Value(4)}});
  auto item = ItemGrid::fill(cells, nullptr, host);
  collectionOf(item)->cleanUp();
  auto heard = std::make_shared<Heard>();
  item->addDataItemChangedListener(heard);
  ItemGrid::fill(cells, item, host);
  EXPECT_TRUE(heard->types.empty());
  cells[1][0] = Value(30);
  ItemGrid::fill(cells, item, host);
  EXPECT_EQ(heard->types, (std::vector<int>{DataItemChangedEvent::DATA_VALUE_CHANGE}));
}

TEST(ItemGrid, ARowThatLosesColumnsDropsTheirCells) {
  RecordingHost host;
  auto item = ItemGrid::fill(grid({{Value(1), Value(2), Value(3)}, {Value(4), Value(5), Value(6)}}), nullptr, host);
  ItemGrid::fill(grid({{Value(1), Value(2)}, {Value(4), Value(5)}}), item, host);
  EXPECT_EQ(dump(item), "1,2|4,5");
  EXPECT_EQ(ItemGrid::sizeOf(*item), (GridSize{2, 2}));
}

TEST(ItemGrid, AnItemOfTheWrongKindIsReturnedUnchanged) {
  RecordingHost host;
  auto input = makeRef<DataInput>();
  input->setValue(NewValue(Value("keep")));
  plat::lang::ConsoleCapture out;
  auto back = ItemGrid::fill(grid({{Value(1), Value(2)}, {Value(3), Value(4)}}), input, host);
  EXPECT_EQ(back, input);
  EXPECT_EQ(input->getValueAsObject(), Value("keep"));
  const std::string printed = out.text();
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
  // Likewise a one-value item that cannot be set.
  Ref<DataItem> fixed = makeRef<NewValue>(Value("fixed"));
  EXPECT_EQ(ItemGrid::fill(grid({{Value(1)}}), fixed, host), fixed);
}

TEST(ItemGrid, AProviderSwitchesItsWriteBackOff) {
  RecordingHost host;
  host.provider = true;
  ItemGrid::fill(grid({{Value(1)}}), nullptr, host);
  ASSERT_GE(host.log.size(), 2u);
  EXPECT_EQ(host.log[0], "notifyOnDS=off");
  EXPECT_EQ(host.log[1], "notifyOnStatic=off");
}

class ItemGridWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::registerGridBean();
    component.setOutput(bean);
    ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)"}));
    host.component = &component;
  }

  std::vector<std::string> writes() {
    auto calls = bean->calls;
    bean->calls.clear();
    return calls;
  }

  Ref<GridBean> bean = makeRef<GridBean>();
  OutputComponent component;
  RecordingHost host;
};

TEST_F(ItemGridWrite, WritesNewAndModifiedCellsOnly) {
  auto item = ItemGrid::fill(grid({{Value("a"), Value("b")}, {Value("c"), Value("d")}}), nullptr, host);
  ItemGrid::write(*item, nullptr, host, false);
  EXPECT_EQ(writes(),
            (std::vector<std::string>{"setCell(a,0,0)", "setCell(b,0,1)", "setCell(c,1,0)", "setCell(d,1,1)"}));
  collectionOf(item)->cleanUp();
  ItemGrid::write(*item, nullptr, host, false);
  EXPECT_TRUE(writes().empty());
  ItemGrid::write(*item, nullptr, host, true);
  EXPECT_EQ(writes().size(), 4u);
}

TEST_F(ItemGridWrite, SkippedRowsStillTakeTheirRow) {
  auto item = ItemGrid::fill(grid({{Value("a"), Value("b")}, {Value("c"), Value("d")}, {Value("e"), Value("f")}}),
                             nullptr, host);
  collectionOf(item)->cleanUp();
  // Only the last row's second cell changes: it must land in row 2, column 1.
  auto rows = collectionOf(item)->getDataItems();
  auto cell = collectionOf(rows[2])->getDataItems()[1];
  std::dynamic_pointer_cast<DataInput>(cell)->setStatusFlag(DataItemAddition::MODIFIED);
  collectionOf(rows[2])->setStatusFlag(DataItemAddition::MODIFIED);
  ItemGrid::write(*item, nullptr, host, false);
  EXPECT_EQ(writes(), (std::vector<std::string>{"setCell(f,2,1)"}));
}

TEST_F(ItemGridWrite, ColumnPositionsAndTheOffsetPlaceEachValue) {
  auto item = ItemGrid::fill(grid({{Value("a"), Value("b")}, {Value("c"), Value("d")}}), nullptr, host);
  host.offset = -3;
  const std::vector<int> positions{5, -666};
  ItemGrid::write(*item, &positions, host, true);
  EXPECT_EQ(writes(), (std::vector<std::string>{"setCell(a,3,5)", "setCell(c,4,5)"}));
  auto single = ItemGrid::fill(grid({{Value("z")}}), nullptr, host);
  host.offset = 0;
  const std::vector<int> one{2};
  ItemGrid::write(*single, &one, host, false);
  EXPECT_EQ(writes(), (std::vector<std::string>{"setCell(z,0,2)"}));
}

TEST_F(ItemGridWrite, NullsBecomeEmptyTextAndValuesAreShownLocalized) {
  auto item = ItemGrid::fill(grid({{Value(), Value(1234.5)}}), nullptr, host);
  host.emptyMeansNull = true;
  host.localizationUsed = true;
  host.formatNumbers = true;
  ItemGrid::write(*item, nullptr, host, true);
  std::string shown = util::LocalizedValueGenerator::formatValue(Value(1234.5), true).toString();
  EXPECT_EQ(writes(), (std::vector<std::string>{"setCell(,0,0)", "setCell(" + shown + ",0,1)"}));
  EXPECT_EQ(bean->cells[std::make_pair(0, 1)].kind(), Value::Kind::String);
  // A timestamp bean takes its values as they are.
  bean->className = ItemGrid::TimestampOutputClass;
  ItemGrid::write(*item, nullptr, host, true);
  EXPECT_EQ(bean->cells[std::make_pair(0, 1)], Value(1234.5));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
