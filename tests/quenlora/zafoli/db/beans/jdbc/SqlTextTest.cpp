// The logged text of a generated statement: the values written in are the runtime's texts, and copies of a
// cached text stay independent.
#include "quenlora/zafoli/db/beans/jdbc/SqlText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Value;
using plat::math::Decimal;
using plat::time::Date;

TEST(SqlText, ValueTextIsTheRuntimeText) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<Value> values = {
      Value(), Value("abc"), Value(std::string()), Value(0), Value(-7), Value(std::numeric_limits<std::int32_t>::min()),
      Value::ofLong(std::numeric_limits<std::int64_t>::min()), Value::ofLong(1234567890123LL),
      // Dates across the four-digit years and past them.
      Value(Date(2024, 1, 15)), Value(Date(1, 2, 3)), Value(Date(999, 12, 31)), Value(Date(9999, 12, 31)),
      Value(Date(10000, 1, 1)), Value(Date(0, 1, 1)), Value(Date(-5, 6, 7)),
      // Decimals: scales, signs, zeros, the exponent forms and unscaled values beyond 64 bits.
      Value(Decimal::valueOf(0, 0)), Value(Decimal::valueOf(0, 2)), Value(Decimal::valueOf(12345, 2)),
      Value(Decimal::valueOf(-12345, 2)), Value(Decimal::valueOf(5, 3)), Value(Decimal::valueOf(-5, 3)),
      Value(Decimal::valueOf(1, 7)), Value(Decimal::valueOf(1, 6)), Value(Decimal::valueOf(12, 8)),
      Value(Decimal::valueOf(7, 18)), Value(Decimal::valueOf(7, 19)), Value(Decimal::valueOf(5, -2)),
      Value(Decimal::valueOf(std::numeric_limits<std::int64_t>::min(), 4)), Value(Decimal("123456789012345678901.5")),
      // Doubles: whole and half numbers take the short path, the rest the general formatter.
      Value(0.0), Value(-0.0), Value(0.5), Value(-0.5), Value(3.0), Value(12345.5), Value(9999999.5), Value(1e7),
      Value(-1e7), Value(0.25), Value(0.001), Value(0.1), Value(1e300), Value(std::nan("")), Value(inf), Value(-inf),
      Value(2.5f), Value(true), Value::ofShort(-3)};
  for (const Value& v : values) EXPECT_EQ(SqlText::valueText(v), v.toString()) << v.toString();
}

TEST(SqlText, CopiesOfACachedTextStayIndependent) {
  SqlText cached;
  cached.append("UPDATE T SET ");
  cached.appendMarker("A = ", "");
  cached.append(" WHERE ");
  cached.appendMarker("ID = ", "");
  cached.append("\n");

  SqlText first = cached;
  SqlText second = cached;
  first.bind(1, Value(Decimal::valueOf(150, 2)));
  first.bind(2, Value("?"));
  second.bind(2, Value());
  second.append(" -- more");

  EXPECT_EQ(first.logged(), "UPDATE T SET A = 1.50 WHERE ID = ?\n");
  EXPECT_EQ(second.logged(), "UPDATE T SET A = ? WHERE ID = null\n -- more");
  EXPECT_EQ(cached.logged(), "UPDATE T SET A = ? WHERE ID = ?\n");
  EXPECT_EQ(cached.sql(), first.sql());
  EXPECT_EQ(second.markerCount(), 2);
  EXPECT_EQ(SqlText().logged(), "");
  EXPECT_EQ(SqlText().withoutNewLine(), "");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
