// Parameter rules: timestamp rounding with carry, the kind-to-type table of setObject and its checked narrowing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/ParameterRules.h"

namespace {

using plat::lang::Value;
using plat::sql::Types;
using plat::time::Timestamp;
using quenlora::zafoli::db::jdbc::ParameterRules;
using quenlora::zafoli::db::jdbc::TimestampParts;

TEST(TimestampRounding, NearestMillisecondWithCarry) {
  struct Case {
    Timestamp in;
    TimestampParts out;
  };
  const std::vector<Case> cases = {
      {Timestamp(2002, 7, 15, 10, 20, 30, 0), {2002, 7, 15, 10, 20, 30, 0}},
      {Timestamp(2002, 7, 15, 10, 20, 30, 1499999), {2002, 7, 15, 10, 20, 30, 1}},
      {Timestamp(2002, 7, 15, 10, 20, 30, 1500000), {2002, 7, 15, 10, 20, 30, 2}},
      {Timestamp(2002, 7, 15, 10, 20, 30, 999499999), {2002, 7, 15, 10, 20, 30, 999}},
      // 1000 ms carries only as far as needed.
      {Timestamp(2002, 7, 15, 10, 20, 30, 999600000), {2002, 7, 15, 10, 20, 31, 0}},
      {Timestamp(2002, 7, 15, 10, 20, 59, 999600000), {2002, 7, 15, 10, 21, 0, 0}},
      {Timestamp(2002, 7, 15, 10, 59, 59, 999600000), {2002, 7, 15, 11, 0, 0, 0}},
      {Timestamp(2002, 7, 15, 23, 59, 59, 999600000), {2002, 7, 16, 0, 0, 0, 0}},
      {Timestamp(2002, 7, 31, 23, 59, 59, 999999999), {2002, 8, 1, 0, 0, 0, 0}},
      {Timestamp(1999, 12, 31, 23, 59, 59, 999600000), {2000, 1, 1, 0, 0, 0, 0}},
      {Timestamp(2004, 2, 28, 23, 59, 59, 999600000), {2004, 2, 29, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.toString());
    EXPECT_EQ(ParameterRules::roundTimestamp(c.in), c.out);
  }
}

TEST(SetObjectKinds, TypeChosenForEachKind) {
  const std::vector<std::pair<Value, int>> cases = {
      {Value(std::string("x")), Types::VARCHAR},
      {Value(plat::math::Decimal("1.5")), Types::NUMERIC},
      {Value(true), Types::BIT},
      {Value::ofInt(1), Types::INTEGER},
      {Value::ofLong(1), Types::BIGINT},
      {Value::ofFloat(1.0f), Types::REAL},
      {Value::ofDouble(1.0), Types::DOUBLE},
      {Value(plat::time::Date(2002, 7, 15)), Types::DATE},
      {Value(plat::time::Time(1, 2, 3)), Types::TIME},
      {Value(Timestamp(2002, 7, 15, 1, 2, 3)), Types::TIMESTAMP},
      {Value::ofBytes({1, 2}), Types::VARBINARY},
      {Value::ofShort(1), Types::VARBINARY},
      {Value(), Types::NULL_TYPE},
  };
  for (const auto& [value, type] : cases) {
    SCOPED_TRACE(value.toString());
    EXPECT_EQ(ParameterRules::sqlTypeOf(value), type);
  }
}

TEST(SetObjectKinds, KnownTypeCodes) {
  for (int code : {-7, -6, -5, -4, -3, -2, -1, 1, 2, 3, 4, 5, 6, 7, 8, 12, 91, 92, 93}) {
    EXPECT_TRUE(ParameterRules::isSupportedType(code)) << code;
  }
  for (int code : {0, 1111, 9, 2000, -8}) EXPECT_FALSE(ParameterRules::isSupportedType(code)) << code;
}

TEST(SetObjectNarrowing, IntegersInRangeOnly) {
  EXPECT_EQ(ParameterRules::asInt(Value::ofLong(2147483647LL), Types::INTEGER), 2147483647);
  EXPECT_EQ(ParameterRules::asInt(Value::ofShort(-5), Types::INTEGER), -5);
  EXPECT_THROW(ParameterRules::asInt(Value::ofLong(2147483648LL), Types::INTEGER), plat::sql::SQLException);
  EXPECT_EQ(ParameterRules::asShort(Value::ofInt(-32768), Types::SMALLINT), -32768);
  EXPECT_THROW(ParameterRules::asShort(Value::ofInt(40000), Types::SMALLINT), plat::sql::SQLException);
  EXPECT_EQ(ParameterRules::asLong(Value::ofInt(7), Types::BIGINT), 7);
  // Fractions are not integers: refused, not truncated.
  EXPECT_THROW(ParameterRules::asInt(Value::ofDouble(1.5), Types::INTEGER), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asLong(Value(std::string("7")), Types::BIGINT), plat::sql::SQLException);
}

TEST(SetObjectNarrowing, TinyIntFromIntegerOrFirstByte) {
  EXPECT_EQ(ParameterRules::asTinyInt(Value::ofInt(-128), Types::TINYINT), -128);
  EXPECT_EQ(ParameterRules::asTinyInt(Value::ofBytes({0xFE, 1}), Types::TINYINT), -2);
  EXPECT_THROW(ParameterRules::asTinyInt(Value::ofInt(128), Types::TINYINT), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asTinyInt(Value::ofBytes({}), Types::TINYINT), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asTinyInt(Value(true), Types::TINYINT), plat::sql::SQLException);
}

TEST(SetObjectNarrowing, FloatsAndDecimals) {
  EXPECT_FLOAT_EQ(ParameterRules::asFloat(Value::ofDouble(1.25), Types::REAL), 1.25f);
  EXPECT_THROW(ParameterRules::asFloat(Value::ofDouble(1e300), Types::FLOAT), plat::sql::SQLException);
  EXPECT_TRUE(std::isinf(ParameterRules::asFloat(Value::ofDouble(std::numeric_limits<double>::infinity()), 7)));
  EXPECT_DOUBLE_EQ(ParameterRules::asDouble(Value::ofInt(3), Types::DOUBLE), 3.0);
  EXPECT_EQ(ParameterRules::asDecimal(Value::ofLong(12), Types::NUMERIC).toString(), "12");
  EXPECT_EQ(ParameterRules::asDecimal(Value(plat::math::Decimal("1.50")), Types::DECIMAL).toString(), "1.50");
  EXPECT_THROW(ParameterRules::asDecimal(Value(std::string("1.5")), Types::DECIMAL), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asDecimal(Value::ofDouble(std::nan("")), Types::DECIMAL), plat::sql::SQLException);
}

TEST(SetObjectNarrowing, OtherKindsMustMatchExactly) {
  EXPECT_TRUE(ParameterRules::asBoolean(Value(true), Types::BIT));
  EXPECT_THROW(ParameterRules::asBoolean(Value::ofInt(1), Types::BIT), plat::sql::SQLException);
  EXPECT_EQ(ParameterRules::asText(Value(std::string("a")), Types::CHAR), "a");
  EXPECT_THROW(ParameterRules::asText(Value::ofInt(1), Types::VARCHAR), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asBytes(Value(std::string("ab")), Types::BINARY), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asDate(Value(Timestamp()), Types::DATE), plat::sql::SQLException);
  EXPECT_THROW(ParameterRules::asTimestamp(Value(plat::time::Date()), Types::TIMESTAMP), plat::sql::SQLException);
}

}  // namespace
