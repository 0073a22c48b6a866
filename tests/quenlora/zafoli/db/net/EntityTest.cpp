#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Attribute.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/FetchSize.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using wiretest::Bytes;
using wiretest::Wire;

struct Column {
  std::string name;
  int displaySize;
  int type;
};

// The 19 description values in their wire order.
Wire attributeElements(const Column& c) {
  return Wire()
      .dataBool(true)          // auto increment
      .dataBool(false)         // case sensitive
      .dataBool(true)          // searchable
      .dataBool(false)         // currency
      .dataShort(1)            // nullable
      .dataBool(true)          // signed
      .dataInt(c.displaySize)  // display size
      .str("Label " + c.name)  // label
      .str(c.name)             // column name
      .str("dbo")              // schema
      .dataInt(10)             // precision
      .dataInt(2)              // scale
      .str("ORDERS")           // table
      .str("shop")             // catalog
      .dataShort(c.type)       // SQL type
      .str("INTEGER")          // type name
      .dataBool(false)         // read only
      .dataBool(true)          // writable
      .dataBool(false);        // definitely writable
}

Wire attribute(const Column& c) {
  return Wire().u8(62).i16(0).u8(54).i16(0).append(attributeElements(c)).eot();
}

Wire entity(const std::vector<Column>& columns) {
  Wire w = Wire().u8(64).i16(0).i16(static_cast<int>(columns.size()));
  if (columns.empty()) return w;
  w.u8(54).i16(0);
  for (const auto& c : columns) w.append(attribute(c));
  return w.eot();
}

std::string failure(const Bytes& bytes) {
  wiretest::Input input(bytes);
  try {
    input.next();
  } catch (const plat::sql::SQLException& e) {
    return e.getMessage();
  }
  return "<no failure>";
}

TEST(Attribute, ReadsTheNineteenValuesInOrder) {
  const auto a = wiretest::decodeAs<Attribute>(attribute({"ID", 11, 4}));
  EXPECT_TRUE(a->isAutoIncrement());
  EXPECT_FALSE(a->isCaseSensitive());
  EXPECT_TRUE(a->isSearchable());
  EXPECT_FALSE(a->isCurrency());
  EXPECT_EQ(a->isNullable(), 1);
  EXPECT_TRUE(a->isSigned());
  EXPECT_EQ(a->getColumnDisplaySize(), 11);
  EXPECT_EQ(a->getColumnLabel(), "Label ID");
  EXPECT_EQ(a->getColumnName(), "ID");
  EXPECT_EQ(a->getSchemaName(), "dbo");
  EXPECT_EQ(a->getPrecision(), 10);
  EXPECT_EQ(a->getScale(), 2);
  EXPECT_EQ(a->getTableName(), "ORDERS");
  EXPECT_EQ(a->getCatalogName(), "shop");
  EXPECT_EQ(a->getColumnType(), 4);
  EXPECT_EQ(a->getColumnTypeName(), "INTEGER");
  EXPECT_FALSE(a->isReadOnly());
  EXPECT_TRUE(a->isWritable());
  EXPECT_FALSE(a->isDefinitelyWritable());
}

TEST(Attribute, MalformedBodiesAreObjectStreamErrors) {
  const Bytes elements = attributeElements({"ID", 11, 4});
  // The same list with element 6 (display size, an i32) replaced.
  auto withDisplaySize = [](const Wire& replacement) {
    Wire w = Wire().dataBool(true).dataBool(false).dataBool(true).dataBool(false).dataShort(1).dataBool(true);
    w.append(replacement);
    w.str("L").str("N").str("S").dataInt(1).dataInt(0).str("T").str("C").dataShort(4).str("I");
    w.dataBool(false).dataBool(true).dataBool(false);
    return Wire().u8(62).i16(0).u8(54).i16(0).append(w).eot();
  };
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"body is no list", Wire().u8(62).i16(0).str("x")},
      {"empty list", Wire().u8(62).i16(0).u8(54).i16(0).eot()},
      {"18 values", Wire().u8(62).i16(0).u8(54).i16(0).raw(Bytes(elements.begin(), elements.end() - 4)).eot()},
      {"text where a number belongs", withDisplaySize(Wire().str("11"))},
      {"number too short", withDisplaySize(Wire().dataShort(11))},
  };
  for (const auto& [name, bytes] : cases) EXPECT_EQ(failure(bytes), "Object Stream error in Attribute object") << name;
}

TEST(Attribute, IsNeverWritten) {
  const auto a = wiretest::decodeAs<Attribute>(attribute({"ID", 11, 4}));
  try {
    wiretest::encode(*a);
    FAIL();
  } catch (const plat::io::IOException& e) {
    EXPECT_EQ(e.getMessage(), "Write not permitted on Attribute object");
  }
}

TEST(Entity, DescribesColumnsNumberedFromOne) {
  const auto e = wiretest::decodeAs<Entity>(entity({{"ID", 11, 4}, {"NAME", 20, 12}}));
  EXPECT_EQ(e->getColumnCount(), 2);
  EXPECT_EQ(e->getColumnList(), (std::vector<std::string>{"ID", "NAME"}));
  EXPECT_EQ(e->getColumnName(2), "NAME");
  EXPECT_EQ(e->getColumnDisplaySize(2), 20);
  EXPECT_EQ(e->getColumnType(2), 12);
  EXPECT_EQ(e->getColumnLabel(1), "Label ID");
  EXPECT_EQ(e->getTableName(1), "ORDERS");
  EXPECT_TRUE(e->isAutoIncrement(1));
  EXPECT_EQ(e->isNullable(2), 1);
  for (int col : {0, 3, -1}) {
    try {
      e->getColumnName(col);
      ADD_FAILURE() << col;
    } catch (const plat::sql::SQLException& ex) {
      EXPECT_EQ(ex.getMessage(), "Column index out of range") << col;
    }
  }
}

TEST(Entity, CountZeroHasNoColumnsAndReadsNothingMore) {
  wiretest::Input input(Wire(entity({})).str("next"));
  auto e = plat::lang::refCast<Entity>(input.next());
  ASSERT_TRUE(e);
  EXPECT_EQ(e->getColumnCount(), 0);
  EXPECT_THROW(e->getColumnName(1), plat::sql::SQLException);
  EXPECT_EQ(input.next()->getType(), 52);
}

TEST(Entity, ColumnCountIsTheListsSize) {
  const Bytes bytes = Wire().u8(64).i16(0).i16(5).u8(54).i16(0).append(attribute({"A", 1, 4})).eot();
  EXPECT_EQ(wiretest::decodeAs<Entity>(bytes)->getColumnCount(), 1);
}

TEST(Entity, MalformedBodiesAreObjectStreamErrors) {
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"body is no list", Wire().u8(64).i16(0).i16(1).str("x")},
      {"list holds a text", Wire().u8(64).i16(0).i16(1).u8(54).i16(0).str("x").eot()},
      {"list holds an attribute and data",
       Wire().u8(64).i16(0).i16(2).u8(54).i16(0).append(attribute({"A", 1, 4})).dataInt(1).eot()},
  };
  for (const auto& [name, bytes] : cases) EXPECT_EQ(failure(bytes), "Object Stream error in Entity object") << name;
  const auto e = wiretest::decodeAs<Entity>(entity({}));
  try {
    wiretest::encode(*e);
    FAIL();
  } catch (const plat::io::IOException& ex) {
    EXPECT_EQ(ex.getMessage(), "Write not permitted on Entity object");
  }
}

TEST(FetchSize, RowsPerFetchFromDisplaySizes) {
  struct Case {
    std::vector<int> sizes;
    int rows;
  };
  const std::vector<Case> cases = {
      {{10, 20}, 4096 / 70},   {{0}, 4096 / 20},    {{4076}, 1}, {{5000}, 1},
      {{INT_MAX, INT_MAX}, 1}, {{-100}, 4096 / 20}, {{}, 1},     {{11, 20, 20, 22, 23}, 4096 / 196},
  };
  for (const auto& c : cases) EXPECT_EQ(FetchSize::rowsPerFetch(c.sizes), c.rows);
  EXPECT_EQ(wiretest::decodeAs<Entity>(entity({{"ID", 11, 4}, {"NAME", 20, 12}}))->getRowsPerFetch(), 4096 / 71);
}

}  // namespace
