// Keys read before a sort order every pair of rows exactly as the raw cells do, for columns of one family, columns
// mixing families, values a number key could get wrong, and columns with a comparator.
#include "quenlora/zafoli/db/beans/javax/swing/SortKeys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/math/Decimal.h"
#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableRowOrder.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::lang::Value;

int sign(int v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

class ByLength : public ColumnSorter {
 public:
  int compare(const Value& a, const Value& b) override {
    return static_cast<int>(a.toString().size()) - static_cast<int>(b.toString().size());
  }
  std::string getColumnName() const override { return "n"; }
};

TEST(SortKeys, EveryPairOrdersAsTheCellsDo) {
  using plat::time::DateTime;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
  struct Case {
    const char* name;
    std::vector<Value> cells;
  };
  const std::vector<Case> cases = {
      {"texts", {Value("b"), Value(), Value("B"), Value("a"), Value("b"), Value(""), Value("ab"), Value("a")}},
      // U+FFFD against U+10000: the first is greater in UTF-8 bytes, the second in 16-bit units.
      {"beyond the first plane", {Value("\xef\xbf\xbd"), Value("\xf0\x90\x80\x80"), Value("\xee\x80\x80"), Value("z")}},
      {"numbers of every kind",
       {Value(2), Value(-0.0), Value(0.0), Value(-inf), Value(inf), Value(10.5), Value::ofLong(1LL << 60),
        Value::ofLong((1LL << 60) + 1), Value::ofFloat(0.1f), Value(0.1), Value::ofShort(-3), Value(),
        Value(plat::math::Decimal::parse("2.000"))}},
      {"whole numbers",
       {Value(5), Value(-3), Value(), Value::ofShort(-3), Value::ofLong(std::int64_t{1} << 53),
        Value::ofLong(-(std::int64_t{1} << 53)), Value(0), Value(std::numeric_limits<int>::min())}},
      {"whole numbers beyond a double",
       {Value::ofLong((std::int64_t{1} << 53) + 1), Value::ofLong(std::int64_t{1} << 53), Value(1), Value()}},
      {"a NaN", {Value(1.0), Value(nan), Value(0.5), Value(), Value(2)}},
      {"times", {Value(DateTime(2000)), Value(DateTime(-5)), Value(), Value(DateTime(2000))}},
      {"the lowest time", {Value(DateTime(lowest)), Value(), Value(DateTime(0))}},
      {"Booleans", {Value(true), Value(false), Value(), Value(true)}},
      {"mixed families",
       {Value(10), Value("9"), Value(true), Value("true"), Value(9.5), Value(), Value(DateTime(1000)), Value(2),
        Value(u'x'), Value("10"), Value(false)}},
      {"only nulls", {Value(), Value()}},
  };
  for (const Case& c : cases) {
    for (const bool ascending : {true, false}) {
      SortKeys keys;
      keys.addColumn(c.cells, ascending, nullptr);
      const int rows = static_cast<int>(c.cells.size());
      for (int a = 0; a < rows; ++a) {
        for (int b = 0; b < rows; ++b) {
          ASSERT_TRUE(keys.covers(a, b));
          const int expected = TableRowOrder::compareValues(c.cells[a], c.cells[b], nullptr);
          EXPECT_EQ(sign(keys.compare(a, b)), ascending ? expected : -expected)
              << c.name << ": " << c.cells[a].toString() << " / " << c.cells[b].toString();
        }
      }
    }
  }
}

TEST(SortKeys, LaterColumnsBreakTiesAndAComparatorSeesTheRawCells) {
  ByLength byLength;
  SortKeys keys;
  keys.addColumn({Value("x"), Value("x"), Value("y"), Value()}, true, nullptr);
  keys.addColumn({Value(100), Value(7), Value(1), Value(5)}, false, &byLength);
  EXPECT_GT(keys.compare(1, 0), 0);  // equal texts: the shorter number last, descending
  EXPECT_LT(keys.compare(0, 2), 0);
  EXPECT_LT(keys.compare(3, 1), 0);  // null first
  EXPECT_EQ(keys.compare(2, 2), 0);
  keys.addColumn({Value(1)}, true, nullptr);  // a shorter column limits the rows covered
  EXPECT_TRUE(keys.covers(0, 0));
  EXPECT_FALSE(keys.covers(0, 1));
  EXPECT_FALSE(keys.covers(-1, 0));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
