#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::Ref;
using wiretest::Bytes;
using wiretest::Wire;

TEST(Param, EncodingsByArgumentType) {
  struct Case {
    const char* name;
    Ref<Param> param;
    Bytes expected;
  };
  auto frame = [](int id, int type, const Wire& values) {
    return Bytes(Wire().u8(57).i16(6).ascii("FLD}").u8(id).u8(type).append(values).eot());
  };
  const std::vector<Case> cases = {
      {"int 7", Param::ofInt(0, 7),
       Wire{57, 0x00, 0x06, 'F', 'L', 'D', '}', 0x00, 0x65, 51, 0x00, 0x04, 0x00, 0x00, 0x00, 0x07, 50, 0x00, 0x00}},
      {"reference", Param::ofInt(0, 5, true), frame(0, 107, Wire().dataInt(5))},
      {"short", Param::ofShort(1, -1), frame(1, 100, Wire().dataShort(-1))},
      {"long", Param::ofLong(0, 1), frame(0, 103, Wire().dataLong(1))},
      {"boolean", Param::ofBoolean(0, true), frame(0, 104, Wire().dataBool(true))},
      {"float", Param::ofFloat(0, 1.0f), frame(0, 105, Wire().dataInt(0x3F800000))},
      {"double", Param::ofDouble(0, 2.0), frame(0, 106, Wire().dataLong(0x4000000000000000))},
      {"bytes", Param::ofBytes(0, {1, 2, 3}), frame(0, 108, Wire().data({1, 2, 3}))},
      {"first bytes", Param::ofBytes(0, {1, 2, 3}, 2), frame(0, 108, Wire().data({1, 2}))},
      {"long bytes", Param::ofBytes(0, Bytes(100, 7)), frame(0, 108, Wire().data(Bytes(100, 7)))},
  };
  for (const auto& c : cases) EXPECT_EQ(wiretest::hex(wiretest::encode(*c.param)), wiretest::hex(c.expected)) << c.name;
  EXPECT_EQ(Param::ofInt(0, 5, false)->getArgumentType(), Define::SERVER_TYPE_INT);
  EXPECT_EQ(Param::ofInt(0, 5, true)->getArgumentType(), Define::SERVER_TYPE_REFERENCE);
  // An int written straight from its value is byte for byte the argument object's encoding.
  for (const std::int32_t v : {0, 7, -1, 0x12345678, INT32_MIN}) {
    for (const bool isRef : {false, true}) {
      auto sink = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
      plat::io::DataOutputStream out(sink);
      Param::writeInt(out, 3, v, isRef);
      out.flush();
      EXPECT_EQ(wiretest::hex(sink->toByteArray()), wiretest::hex(wiretest::encode(*Param::ofInt(3, v, isRef))))
          << v << (isRef ? " reference" : "");
    }
  }
}

TEST(Param, ReadsDataObjectsUpToTheEndMarker) {
  const auto p =
      wiretest::decodeAs<Param>(Wire().u8(57).i16(6).ascii("FLD}").u8(3).u8(101).dataInt(9).dataInt(8).eot());
  EXPECT_EQ(p->getId(), 3);
  EXPECT_EQ(p->getArgumentType(), 101);
  ASSERT_EQ(p->getValues().size(), 2u);
  EXPECT_EQ(p->getValues()[1]->getInt(), 8);
  EXPECT_EQ(p->getBaseType(), Define::SERVER_FIELD);
  EXPECT_THROW(p->getInt(), plat::sql::SQLException);
  wiretest::Input stray(Wire().u8(57).i16(6).ascii("FLD}").u8(0).u8(101).str("x").eot());
  EXPECT_THROW(stray.next(), plat::sql::SQLException);
}

TEST(TextParam, EncodingAndReading) {
  EXPECT_EQ(wiretest::encode(TextParam(0, "x")), (Bytes{58, 0x00, 0x01, 0x00, 52, 0x00, 0x01, 0x78}));
  EXPECT_EQ(wiretest::encode(TextParam()), (Bytes{58, 0x00, 0x01, 0x00, 52, 0x00, 0x00}));
  const auto t = wiretest::decodeAs<TextParam>(Wire().u8(58).i16(1).u8(1).str("3.9"));
  EXPECT_EQ(t->getId(), 1);
  EXPECT_EQ(t->getTypeWord(), Define::SERVER_TYPE_STR);
  EXPECT_EQ(t->getText(), "3.9");
  wiretest::Input wrong(Wire().u8(58).i16(1).u8(1).dataInt(3));
  EXPECT_THROW(wrong.next(), plat::sql::SQLException);
}

TEST(TextParam, GettersParseTheText) {
  EXPECT_EQ(TextParam(0, "3.9").getInteger(), 3);
  EXPECT_EQ(TextParam(0, "-3.9").getSmallInt(), -3);
  EXPECT_EQ(TextParam(0, "300").getTinyInt(), 44);  // narrowed, as the argument has no range of its own
  EXPECT_EQ(TextParam(0, "9007199254740993").getBigInt(), 9007199254740993LL);
  EXPECT_EQ(TextParam(0, "3000000000").getInteger(), INT32_MAX);
  EXPECT_EQ(TextParam(0, "2.5").getReal(), 2.5f);
  EXPECT_EQ(TextParam(0, "2.5").getDouble(), 2.5);
  EXPECT_EQ(TextParam(0, "2.345").getDecimal(2).toString(), "2.35");
  EXPECT_EQ(TextParam(0, "2.345").getBigDecimal(1)->toString(), "2.3");
  EXPECT_EQ(TextParam(0, "2000-01-02").getDate()->toString(), "2000-01-02");
  EXPECT_EQ(TextParam(0, "03:04:05").getTime()->toString(), "03:04:05");
  EXPECT_EQ(TextParam(0, "2000-01-02 03:04:05.1").getTimestamp()->toString(), "2000-01-02 03:04:05.1");
  EXPECT_EQ(TextParam(0, "AB").getBinary(), (Bytes{0x41, 0x42}));
  EXPECT_EQ(TextParam(0, "A\xC3\xA9").getVarBinary(), (Bytes{0x41, 0xE9}));
  EXPECT_EQ(TextParam(0, "text").getVarChar(), "text");
  EXPECT_TRUE(TextParam(0, "0").getBit());
  EXPECT_FALSE(TextParam(0, std::string(1, '\0')).getBit());
  EXPECT_FALSE(TextParam(0, "").getBit());
}

TEST(TextParam, UnparsableTextCarriesTheParsersMessage) {
  const TextParam t(0, "abc");
  const std::vector<std::function<void()>> getters = {
      [&] { t.getInteger(); },  [&] { t.getBigInt(); }, [&] { t.getDouble(); }, [&] { t.getFloat(); },
      [&] { t.getDecimal(2); }, [&] { t.getDate(); },   [&] { t.getTime(); },   [&] { t.getTimestamp(); },
  };
  for (const auto& getter : getters) {
    try {
      getter();
      ADD_FAILURE();
    } catch (const plat::sql::SQLException& e) {
      EXPECT_FALSE(e.getMessage().empty());
    }
  }
  try {
    t.getInteger();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "For input string: \"abc\"");
  }
}

}  // namespace
