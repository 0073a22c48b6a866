// A sortable bound table over the in-memory source on the data bus: header clicks and Shift-clicks, stability, nulls, a
// mixed column, raw values under localization, a failing comparator, 10,000 random rows against std::stable_sort, and
// the source's current record selected again after a sort.
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "platform/gui/ComboBox.h"
#include "platform/gui/InputEvent.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TextField.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"
#include "tests/quenlora/zafoli/db/beans/javax/swing/BoundFormSupport.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testing::BoundFormTest;
using testing::Source;
using Rows = std::vector<testkit::beans::MemoryDataSource::Row>;

class TableBindingModelTest : public BoundFormTest {
 protected:
  Source emp;
  void publishRows(Rows rows) { emp = publish("emp", {"ID", "NAME", "SALARY"}, std::move(rows)); }
  void bindTable(const std::string& lookup = "emp@ID,NAME,SALARY%All") {
    model = makeRef<TableBindingModel>();
    gui = makeRef<plat::gui::Table>();
    model->setTableBinding(lookup);
    model->setTable(gui);
  }
  void click(int column, bool shift = false) {
    const auto& header = gui->getTableHeader();
    header->click(header->pointOfColumn(column), 1, shift ? plat::gui::InputEvent::SHIFT_MASK : 0);
  }
  // Clicks the headers in turn (a shift-click adds a column); after each click the rows stand as the sorting
  // algorithm orders the cells from the order the click before left. Values of several families need not order
  // transitively, so the reference is the same algorithm, not std::stable_sort.
  void expectClicksSortAsTheAlgorithm(const std::vector<std::vector<Value>>& cells,
                                      const std::vector<std::pair<int, bool>>& clicks) {
    std::vector<int> expected = model->getIndexes();
    for (auto [column, shift] : clicks) {
      click(column, shift);
      const std::vector<SortSpec> specs = model->getSortingColumns();
      const std::vector<int> before = expected;
      ShuttleSort::sort(before, expected, [&](int a, int b) {
        for (const SortSpec& spec : specs) {
          const int r = TableRowOrder::compareValues(cells[a][spec.column], cells[b][spec.column], nullptr);
          if (r != 0) return spec.ascending ? r : -r;
        }
        return 0;
      });
      ASSERT_EQ(model->getIndexes(), expected) << specs.size() << " columns, the first " << specs.front().column;
    }
  }
  // Column values in view order.
  std::vector<std::string> shown(int column) const {
    std::vector<std::string> out;
    for (int row = 0; row < model->getRowCount(); ++row) out.push_back(model->getValueAt(row, column).toString());
    return out;
  }
  Ref<TableBindingModel> model;
  Ref<plat::gui::Table> gui;
};

TEST_F(TableBindingModelTest, PlainClicksToggleAndShiftClicksAddOrFlipAColumn) {
  publishRows({{Value(1), Value("b"), Value(300)},
               {Value(2), Value("a"), Value(200)},
               {Value(3), Value("b"), Value(100)},
               {Value(4), Value("a"), Value(400)}});
  bindTable();
  struct Step {
    int column;
    bool shift;
    std::vector<std::string> ids;
  };
  const std::vector<Step> steps = {
      {1, false, {"2", "4", "1", "3"}},  // NAME ascending, ties in source order
      {1, false, {"1", "3", "2", "4"}},  // descending
      {1, false, {"2", "4", "1", "3"}},  // ascending again
      {2, true, {"2", "4", "3", "1"}},   // then SALARY ascending among equal names
      {1, true, {"3", "1", "2", "4"}},   // NAME flips only
  };
  for (const Step& s : steps) {
    click(s.column, s.shift);
    EXPECT_EQ(shown(0), s.ids) << s.column << (s.shift ? " shift" : "");
  }
  // A click beside every column changes nothing.
  gui->getTableHeader()->click({5000, 5}, 1, 0);
  EXPECT_EQ(shown(0), steps.back().ids);
}

TEST_F(TableBindingModelTest, NullsComeFirstAndMixedValuesCompareByText) {
  publishRows({{Value(1), Value(), Value(9)}, {Value(2), Value("B"), Value(10)}, {Value(3), Value("a"), Value()}});
  bindTable();
  click(1);
  EXPECT_EQ(shown(0), (std::vector<std::string>{"1", "2", "3"}));  // null, "B", "a": code units
  click(1);
  EXPECT_EQ(shown(0), (std::vector<std::string>{"3", "2", "1"}));
  click(2);
  EXPECT_EQ(shown(0), (std::vector<std::string>{"3", "1", "2"}));  // null, 9, 10: numbers by value
}

TEST_F(TableBindingModelTest, SortingUsesRawValuesEvenWhenCellsAreLocalized) {
  publishRows({{Value(1), Value("x"), Value(1000)}, {Value(2), Value("y"), Value(900)}});
  bindTable();
  model->setLocalizationUsed(true);
  click(2);
  EXPECT_EQ(shown(0), (std::vector<std::string>{"2", "1"}));
}

class Throwing : public ColumnSorter {
 public:
  int compare(const Value&, const Value&) override { throw plat::lang::IllegalStateException("sorter failed"); }
  std::string getColumnName() const override { return "name"; }
};

TEST_F(TableBindingModelTest, AFailingComparatorLeavesTheOrderAndSaysWhy) {
  publishRows({{Value(1), Value("p"), Value(4)}, {Value(2), Value("q"), Value(3)}, {Value(3), Value("r"), Value(2)}});
  bindTable();
  click(2);
  click(2);
  const auto before = shown(0);
  model->addColumnSorter(makeRef<Throwing>());
  plat::lang::ConsoleCapture out;
  click(1);
  EXPECT_EQ(shown(0), before);
  EXPECT_NE(out.text().find("sorter failed"), std::string::npos);
}

TEST_F(TableBindingModelTest, TheCurrentRecordStaysSelectedAtItsSortedPlace) {
  Rows rows;
  for (int i = 1; i <= 5; ++i) rows.push_back({Value(i), Value("N" + std::to_string(i)), Value(100 * i)});
  publishRows(rows);
  bindTable();
  emp.data->moveTo(4);  // the last record
  click(0);
  click(0);  // descending: the last record is now on top
  EXPECT_EQ(gui->getSelectedRow(), 0);
  EXPECT_EQ(model->getValueAt(gui->getSelectedRow(), 0), Value(5));
  // Clicking a row moves the source to that record.
  gui->clickCell(4, 0);
  EXPECT_EQ(emp.data->getCurrentRowNumber(), 0);
}

TEST_F(TableBindingModelTest, TenThousandRandomRowsSortLikeStableSort) {
  std::mt19937 random(7);
  std::vector<std::pair<std::string, int>> keys;
  Rows rows;
  for (int i = 0; i < 10000; ++i) {
    keys.emplace_back("k" + std::to_string(random() % 100), static_cast<int>(random() % 1000));
    rows.push_back({Value(i), Value(keys.back().first), Value(keys.back().second)});
  }
  publishRows(std::move(rows));
  bindTable();
  ASSERT_EQ(model->getRowCount(), 10000);
  click(1);
  click(2, true);
  std::vector<int> expected(keys.size());
  std::iota(expected.begin(), expected.end(), 0);
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return keys[a] < keys[b]; });
  EXPECT_EQ(model->getIndexes(), expected);
}

// The built-in sort compares keys read before the sort; whatever form they take (one ordered number per cell, or a
// family and a text rank for a column of several families) the order is the raw cells' order.
TEST_F(TableBindingModelTest, ThreeColumnsAndAMixedColumnSortAsTheAlgorithmOverTheCells) {
  std::mt19937 random(11);
  std::vector<std::vector<Value>> cells;
  Rows rows;
  for (int i = 0; i < 2000; ++i) {
    const unsigned pick = random() % 4;
    Value salary = pick == 0   ? Value()
                   : pick == 1 ? Value(static_cast<int>(random() % 20))
                               : Value(std::to_string(random() % 20));
    cells.push_back({Value(static_cast<int>(random() % 3)), Value("n" + std::to_string(random() % 5)), salary});
    rows.push_back(cells.back());
  }
  publishRows(std::move(rows));
  bindTable();
  // Each click sorts the order the one before left: a mixed column first, then three columns with it last.
  const std::vector<std::pair<int, bool>> clicks = {{2, false}, {2, false}, {1, true}, {1, false},
                                                    {0, true},  {0, true},  {2, true}};
  expectClicksSortAsTheAlgorithm(cells, clicks);
  EXPECT_EQ(model->getSortingColumns(), (std::vector<SortSpec>{{1, true}, {0, false}, {2, true}}));
}

// Keys narrow enough share one machine word with the row's position; wide ones (fractions, whole numbers beyond a
// double's precision) do not. Both sort as the algorithm over the cells, ascending and descending, with nulls.
TEST_F(TableBindingModelTest, NarrowAndWideKeysSortAsTheAlgorithmOverTheCells) {
  std::mt19937 random(5);
  std::vector<std::vector<Value>> cells;
  Rows rows;
  for (int i = 0; i < 3000; ++i) {
    const auto pick = random() % 8;
    Value wide = pick == 0   ? Value()
                 : pick == 1 ? Value::ofLong((std::int64_t{1} << 53) + static_cast<std::int64_t>(random() % 4))
                             : Value(static_cast<double>(static_cast<int>(random() % 2000) - 1000) / 8.0);
    Value whole = pick == 2 ? Value() : Value(static_cast<int>(random() % 50) - 25);
    cells.push_back({whole, wide, Value::ofLong(static_cast<std::int64_t>(random() % 7) - (std::int64_t{1} << 53))});
    rows.push_back(cells.back());
  }
  publishRows(std::move(rows));
  bindTable();
  const std::vector<std::pair<int, bool>> clicks = {{0, false}, {2, true}, {0, true}, {1, false},
                                                    {0, true},  {1, true}, {2, true}};
  expectClicksSortAsTheAlgorithm(cells, clicks);
}

TEST_F(TableBindingModelTest, ADataBoundComboColumnListsTheLookupsNames) {
  Source dept = publish("dept", {"CODE", "NAME"}, {{Value("S"), Value("Sales")}, {Value("R"), Value("Research")}});
  ColumnAttributes::Layout layout;
  auto attributes =
      makeRef<ColumnAttributes>(layout, makeRef<plat::gui::ComboBox>(), false, true, std::string("dept@CODE,NAME"));
  auto combo = std::dynamic_pointer_cast<plat::gui::ComboBox>(attributes->getCellEditorComponent());
  ASSERT_TRUE(combo);
  ASSERT_EQ(combo->getItemCount(), 2);
  EXPECT_EQ(combo->getItemAt(0), Value("Sales"));
  EXPECT_EQ(combo->getItemAt(1), Value("Research"));
}

TEST_F(TableBindingModelTest, ColumnAttributesGiveTheTableItsColumnsAndEditability) {
  publishRows({{Value(1), Value("a"), Value(1)}});
  bindTable();
  ColumnAttributes::Layout locked;
  locked.headerValue = "Id";
  locked.editable = false;
  ColumnAttributes::Layout open;
  open.headerValue = "Name";
  model->setColumnAttributes({makeRef<ColumnAttributes>(locked, makeRef<plat::gui::TextField>()),
                              makeRef<ColumnAttributes>(open, makeRef<plat::gui::TextField>())});
  EXPECT_FALSE(gui->getAutoCreateColumnsFromModel());
  ASSERT_EQ(gui->getColumnCount(), 2);
  EXPECT_EQ(gui->getColumnModel()->getColumn(1)->getHeaderValue(), Value("Name"));
  EXPECT_FALSE(model->isCellEditable(0, 0));
  EXPECT_TRUE(model->isCellEditable(0, 1));
  EXPECT_TRUE(model->isCellEditable(0, 2));  // no attributes for that column
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
