// The sorted view of a bound table: header clicks, the cell order, stability against std::stable_sort, and an
// order that survives a failing comparator or algorithm.
#include "quenlora/zafoli/db/beans/javax/swing/TableRowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/text/CaseMapping.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::lang::Value;
using Rows = std::vector<std::vector<Value>>;

// The built-in algorithm over the order's own compare, as a model hands it.
class OrderSort : public SortAlgorithm {
 public:
  explicit OrderSort(const TableRowOrder& order) : order_(order) {}
  void setTableBindingModel(TableBindingModel*) override {}
  void sort(const std::vector<int>& from, std::vector<int>& to) override {
    ShuttleSort::sort(from, to, [this](int a, int b) { return order_.compare(a, b); });
  }

 private:
  const TableRowOrder& order_;
};

class NamedSorter : public ColumnSorter {
 public:
  NamedSorter(std::string name, std::function<int(const Value&, const Value&)> body)
      : name_(std::move(name)), body_(std::move(body)) {}
  int compare(const Value& a, const Value& b) override { return body_(a, b); }
  std::string getColumnName() const override { return name_; }

 private:
  std::string name_;
  std::function<int(const Value&, const Value&)> body_;
};

struct Table {
  Rows rows;
  TableRowOrder order{
      [this](int r, int c) { return rows.at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(c)); }};
  std::vector<int> sorted(std::initializer_list<std::pair<int, bool>> clicks) {
    order.update(static_cast<int>(rows.size()));
    for (auto [column, shift] : clicks) order.click(column, shift);
    OrderSort algorithm(order);
    EXPECT_TRUE(order.sort(algorithm));
    return order.indexes();
  }
};

TEST(TableRowOrder, HeaderClicksToggleAndShiftClicksAppendOrFlip) {
  struct Case {
    std::vector<std::pair<int, bool>> clicks;
    std::vector<SortSpec> expected;
  };
  const std::vector<Case> cases = {
      {{{2, false}}, {{2, true}}},
      {{{2, false}, {2, false}}, {{2, false}}},
      {{{2, false}, {2, false}, {2, false}}, {{2, true}}},
      {{{2, false}, {3, true}}, {{2, true}, {3, true}}},
      {{{2, false}, {3, true}, {2, true}}, {{2, false}, {3, true}}},
      {{{2, false}, {3, true}, {1, false}}, {{1, true}}},
      {{{3, true}}, {{3, true}}},
  };
  for (const Case& c : cases) {
    TableRowOrder order([](int, int) { return Value(); });
    for (auto [column, shift] : c.clicks) order.click(column, shift);
    EXPECT_EQ(order.sortingColumns(), c.expected) << c.clicks.size() << " clicks";
  }
}

TEST(TableRowOrder, CellsCompareNullsFirstThenByFamilyElseByText) {
  const plat::time::DateTime early(1000);
  const plat::time::DateTime late(2000);
  struct Case {
    Value a, b;
    int expected;
  };
  const std::vector<Case> cases = {
      {Value(), Value(), 0},           {Value(), Value(1), -1},         {Value("x"), Value(), 1},
      {Value(2), Value(10.5), -1},  // numbers of two kinds by value
      {Value::ofLong(7), Value(7), 0}, {Value(false), Value(true), -1}, {Value(true), Value(true), 0},
      {Value(late), Value(early), 1},  {Value("B"), Value("a"), -1},  // code units: upper case first
      {Value("abc"), Value("ab"), 1},  {Value(10), Value("9"), -1},   // different families: "10" before "9"
      {Value("9"), Value(10), 1},      {Value(true), Value(1), 1},    // "true" after "1"
      {Value(early), Value(1000), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TableRowOrder::compareValues(c.a, c.b, nullptr), c.expected) << c.a.toString() << " " << c.b.toString();
  }
  NamedSorter huge("n", [](const Value&, const Value&) { return -2147483647 - 1; });
  EXPECT_EQ(TableRowOrder::compareValues(Value(1), Value(2), &huge), -1);
  EXPECT_EQ(TableRowOrder::compareValues(Value(), Value(2), &huge), -1);
}

TEST(TableRowOrder, TenThousandRandomRowsSortLikeStableSort) {
  std::mt19937 random(12345);
  Table t;
  for (int i = 0; i < 10000; ++i) {
    const unsigned pick = random() % 101;
    Value text = pick == 100 ? Value() : Value("k" + std::to_string(pick % 100));
    t.rows.push_back({text, Value(static_cast<int>(random() % 50)), Value(i)});
  }
  auto reference = [&](std::vector<std::pair<int, bool>> specs) {
    std::vector<int> rows(t.rows.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
      for (auto [column, ascending] : specs) {
        int r = TableRowOrder::compareValues(t.rows[a][column], t.rows[b][column], nullptr);
        if (r != 0) return ascending ? r < 0 : r > 0;
      }
      return false;
    });
    return rows;
  };
  EXPECT_EQ(t.sorted({{0, false}, {1, true}}), reference({{0, true}, {1, true}}));
  // Sorting again from that order, descending by one column, keeps the previous order among equal keys.
  std::vector<int> expected = t.order.indexes();
  std::stable_sort(expected.begin(), expected.end(),
                   [&](int a, int b) { return TableRowOrder::compareValues(t.rows[a][1], t.rows[b][1], nullptr) > 0; });
  // The last click was a Shift-click on column 1 after an ascending plain click: a plain click on it descends.
  EXPECT_EQ(t.sorted({{1, false}}), expected);
}

TEST(TableRowOrder, AComparatorServesItsColumnWhateverTheCase) {
  Table t;
  t.rows = {{Value("b")}, {Value("C")}, {Value("a")}};
  t.order.setColumnNames({"AMOUNT"});
  t.order.addColumnSorter(plat::lang::makeRef<NamedSorter>("Amount", [](const Value& a, const Value& b) {
    return plat::text::compareToIgnoreCase(a.getString(), b.getString());
  }));
  t.order.addColumnSorter(plat::lang::makeRef<NamedSorter>("amount", [](const Value&, const Value&) { return 0; }));
  EXPECT_EQ(t.sorted({{0, false}}), (std::vector<int>{2, 0, 1}));
}

TEST(TableRowOrder, AFailingSortKeepsThePreviousOrder) {
  Table t;
  t.rows = {{Value(3)}, {Value(1)}, {Value(2)}};
  const std::vector<int> ordered = t.sorted({{0, false}});
  ASSERT_EQ(ordered, (std::vector<int>{1, 2, 0}));

  class Garbage : public SortAlgorithm {
   public:
    void setTableBindingModel(TableBindingModel*) override {}
    void sort(const std::vector<int>&, std::vector<int>& to) override { to = {0, 0, 7}; }
  };
  t.order.setColumnNames({"n"});
  t.order.addColumnSorter(plat::lang::makeRef<NamedSorter>(
      "N", [](const Value&, const Value&) -> int { throw plat::lang::IllegalStateException("comparator broke"); }));
  t.order.click(0, false);
  plat::lang::ConsoleCapture out;
  OrderSort throwing(t.order);
  EXPECT_FALSE(t.order.sort(throwing));
  Garbage garbage;
  EXPECT_FALSE(t.order.sort(garbage));
  EXPECT_EQ(t.order.indexes(), ordered);
  EXPECT_NE(out.text().find("comparator broke"), std::string::npos);
}

TEST(TableRowOrder, NewRowsAppendAndFewerRowsResetToSourceOrder) {
  Table t;
  t.rows = {{Value(3)}, {Value(1)}, {Value(2)}};
  ASSERT_EQ(t.sorted({{0, false}}), (std::vector<int>{1, 2, 0}));
  t.order.update(5);
  EXPECT_EQ(t.order.indexes(), (std::vector<int>{1, 2, 0, 3, 4}));
  EXPECT_EQ(t.order.toView(0), 2);
  EXPECT_EQ(t.order.toModel(1), 2);
  t.order.update(2);
  EXPECT_EQ(t.order.indexes(), (std::vector<int>{0, 1}));
  t.order.update(-1);
  EXPECT_TRUE(t.order.indexes().empty());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
