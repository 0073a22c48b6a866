#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetInteger.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/NetTimestamp.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::Ref;
using plat::sql::Types;
using wiretest::Bytes;
using wiretest::Wire;

Ref<Field> fieldOf(int code) {
  return plat::lang::refCast<Field>(NetClass::createObject(code));
}

// One kind: its code and SQL type, the bytes of a non-null value after the header as the server sends them with
// the text that value reads as, and the value objects that kind writes for a fresh (never set) value.
struct KindCase {
  const char* name;
  int code;
  int sqlType;
  bool storesData;
  Bytes readBody;
  std::string readText;
  Bytes freshWrite;
  Bytes freshNullWrite = {};  // when it differs from freshWrite
};

std::vector<KindCase> kindCases() {
  const Bytes noValue;
  return {
      {"TinyInt", 86, Types::TINYINT, true, Wire().u8(51).i16(1).u8(0xFF), "-1", Wire().u8(51).i16(1).u8(0)},
      {"SmallInt", 85, Types::SMALLINT, true, Wire().dataShort(-32768), "-32768", Wire().dataShort(0)},
      {"NetInteger", 82, Types::INTEGER, true, Wire().dataInt(7), "7", Wire().dataInt(0)},
      {"BigInt", 78, Types::BIGINT, true, Wire().dataLong(-5000000000), "-5000000000", Wire().dataLong(0)},
      {"Real", 84, Types::REAL, true, Wire().dataInt(0x3FC00000), "1.5", Wire().dataInt(0)},
      {"NetFloat", 81, Types::FLOAT, true, Wire().dataInt(0xBFC00000), "-1.5", Wire().dataInt(0)},
      {"NetDouble", 80, Types::DOUBLE, true, Wire().str("12.50"), "12.50", Wire().str("0"), Wire().str("")},
      {"NetBigDecimal", 83, Types::NUMERIC, true, Wire().str("-1E+3"), "-1E+3", Wire().str("0"), Wire().str("")},
      {"Bit", 87, Types::BIT, true, Wire().u8(51).i16(1).u8(2), "true", Wire().u8(51).i16(1).u8(0)},
      {"Char", 69, Types::CHAR, true, Wire().i16(3).ascii("abc"), "abc", Wire().str("")},
      {"VarChar", 73, Types::VARCHAR, true, Wire().i16(2).u8(0xE9).u8('x'), "\xC3\xA9x", Wire().str("")},
      {"LongVarChar", 74, Types::LONGVARCHAR, false, noValue, "", noValue},
      {"Binary", 70, Types::BINARY, true, Wire().data({0x41, 0x42}), "AB", Wire().data({})},
      {"VarBinary", 71, Types::VARBINARY, true, Wire().data({0xFF}), "\xC3\xBF", Wire().data({})},
      {"LongVarBinary", 72, Types::LONGVARBINARY, false, noValue, "", noValue},
      {"NetDate", 75, Types::DATE, true, Wire().i16(1999).i16(12).i16(31), "1999-12-31",
       Wire().dataShort(1997).dataShort(4).dataShort(20)},
      {"NetTime", 76, Types::TIME, true, Wire().i16(23).i16(59).i16(58), "23:59:58",
       Wire().dataShort(4).dataShort(5).dataShort(6)},
      {"NetTimestamp", 77, Types::TIMESTAMP, true, Wire().i16(2000).i16(1).i16(2).i16(3).i16(4).i16(5).i16(6),
       "2000-01-02 03:04:05.006",
       Wire().dataShort(1997).dataShort(4).dataShort(20).dataShort(4).dataShort(5).dataShort(6).dataShort(0)},
  };
}

TEST(FieldWire, EveryKindReadsItsNonNullValueAndEchoesIdAndTypeWord) {
  for (const auto& c : kindCases()) {
    wiretest::Input input(Wire().valueHeader(c.code, false, 5, 0x0102).raw(c.readBody).str("next"));
    auto field = plat::lang::refCast<Field>(input.next());
    ASSERT_TRUE(field) << c.name;
    EXPECT_EQ(field->getType(), c.code) << c.name;
    EXPECT_EQ(field->getBaseType(), Define::SERVER_FIELD) << c.name;
    EXPECT_EQ(field->getSQLType(), c.sqlType) << c.name;
    EXPECT_EQ(field->storesData(), c.storesData) << c.name;
    EXPECT_FALSE(field->isNull()) << c.name;
    EXPECT_EQ(field->getId(), 5) << c.name;
    EXPECT_EQ(field->getTypeWord(), 0x0102) << c.name;
    if (c.storesData) {
      EXPECT_EQ(field->getString().value_or("<none>"), c.readText) << c.name;
    }
    // The value took exactly its own bytes.
    EXPECT_EQ(plat::lang::refCast<NetString>(input.next())->getString(), "next") << c.name;
  }
}

TEST(FieldWire, EveryKindReadsANullValueAsTheHeaderAlone) {
  for (const auto& c : kindCases()) {
    wiretest::Input input(Wire().valueHeader(c.code, true).str("next"));
    auto field = plat::lang::refCast<Field>(input.next());
    ASSERT_TRUE(field) << c.name;
    EXPECT_TRUE(field->isNull()) << c.name;
    EXPECT_TRUE(field->getObject().isNull()) << c.name;
    if (c.storesData) {
      EXPECT_FALSE(field->getString().has_value()) << c.name;
    }
    EXPECT_EQ(plat::lang::refCast<NetString>(input.next())->getString(), "next") << c.name;
  }
}

TEST(FieldWire, EveryKindWritesHeaderValueObjectsAndEndMarkerNullOrNot) {
  for (const auto& c : kindCases()) {
    for (bool isNull : {false, true}) {
      auto field = fieldOf(c.code);
      field->setId(9);
      field->setTypeWord(-2);
      if (isNull) field->setNull(c.sqlType);
      const Bytes& body = isNull && !c.freshNullWrite.empty() ? c.freshNullWrite : c.freshWrite;
      const Bytes expected = Wire().u8(c.code).i16(3).u8(9).i16(-2).u8(isNull ? 1 : 0).raw(body).eot();
      EXPECT_EQ(wiretest::hex(wiretest::encode(*field)), wiretest::hex(expected)) << c.name << " null " << isNull;
    }
  }
}

TEST(FieldWire, ValueReadBackWritesTheSameValueObjects) {
  // What a kind reads it writes back unchanged, in its write form (value objects, then an end marker).
  struct RoundTrip {
    int code;
    Bytes readBody;
    Bytes writeBody;
  };
  const std::vector<RoundTrip> cases = {
      {86, Wire().u8(51).i16(1).u8(0x80), Wire().u8(51).i16(1).u8(0x80)},
      {82, Wire().dataInt(-2), Wire().dataInt(-2)},
      {78, Wire().dataLong(INT64_MIN), Wire().dataLong(INT64_MIN)},
      {84, Wire().dataInt(0x7F800000), Wire().dataInt(0x7F800000)},
      {83, Wire().str("0.000"), Wire().str("0.000")},
      {87, Wire().u8(51).i16(1).u8(7), Wire().u8(51).i16(1).u8(1)},
      {69, Wire().i16(2).u8(0).u8(0xFF), Wire().str(std::string_view("\x00\xFF", 2))},
      {70, Wire().data({0, 1, 2}), Wire().data({0, 1, 2})},
      {75, Wire().i16(2024).i16(13).i16(1), Wire().dataShort(2025).dataShort(1).dataShort(1)},
      {76, Wire().i16(10).i16(0).i16(60), Wire().dataShort(10).dataShort(1).dataShort(0)},
  };
  for (const auto& c : cases) {
    auto field = wiretest::decodeAs<Field>(Wire().valueHeader(c.code, false, 1, 7).raw(c.readBody));
    const Bytes expected = Wire().u8(c.code).i16(3).u8(1).i16(7).u8(0).raw(c.writeBody).eot();
    EXPECT_EQ(wiretest::hex(wiretest::encode(*field)), wiretest::hex(expected)) << c.code;
  }
}

TEST(FieldWire, NullIntegerAndZeroIntegerAreByteExact) {
  // A null INTEGER arrives as the header with the flag set and nothing else.
  const auto null = wiretest::decodeAs<NetInteger>(Wire{82, 0x00, 0x04, 0x03, 0x00, 0x04, 0x01});
  EXPECT_TRUE(null->isNull());
  EXPECT_EQ(null->getInt(), 0);
  NetInteger zero;
  zero.setId(3);
  zero.setTypeWord(4);
  zero.setInt(0);
  EXPECT_EQ(wiretest::encode(zero),
            (Bytes{82, 0x00, 0x03, 0x03, 0x00, 0x04, 0x00, 51, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 50, 0x00, 0x00}));
}

TEST(FieldWire, NumberKindSendsTheNumberItHoldsEvenWhenNull) {
  NetInteger field;
  field.setInt(5);
  field.setNull(Types::INTEGER);
  EXPECT_EQ(field.getInt(), 0);
  EXPECT_EQ(wiretest::encode(field), Bytes(Wire().u8(82).i16(3).u8(0).i16(0).u8(1).dataInt(5).eot()));
}

TEST(FieldWire, WrongValueObjectGetsTheObjectErrorRule) {
  struct Misplaced {
    const char* name;
    Bytes bytes;
    const char* message;
  };
  const std::vector<Misplaced> cases = {
      {"integer given a text", Wire().valueHeader(82, false).str("7"), "TRIVO object stream error."},
      {"decimal given data", Wire().valueHeader(83, false).dataInt(7), "TRIVO object stream error."},
      {"binary given a text", Wire().valueHeader(70, false).str("AB"), "TRIVO object stream error."},
      {"integer given an error", Wire().valueHeader(82, false).error(3, 15, "server says no", "S1"), "server says no"},
      {"decimal text that is no number", Wire().valueHeader(80, false).str("12,5"), "TRIVO object stream error."},
      {"decimal empty text", Wire().valueHeader(80, false).str(""), "TRIVO object stream error."},
  };
  for (const auto& c : cases) {
    wiretest::Input input(c.bytes);
    try {
      input.next();
      ADD_FAILURE() << c.name;
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), c.message) << c.name;
    }
  }
}

TEST(FieldWire, NumberDataShorterThanItsWidthIsAnIoError) {
  for (const Bytes& bytes :
       {Bytes(Wire().valueHeader(82, false).dataShort(1)), Bytes(Wire().valueHeader(78, false).dataInt(1)),
        Bytes(Wire().valueHeader(87, false).data({}))}) {
    wiretest::Input input(bytes);
    EXPECT_THROW(input.next(), plat::io::IOException) << wiretest::hex(bytes);
  }
}

TEST(FieldWire, LongerNumberDataIsReadFromItsStartAndConsumedWhole) {
  wiretest::Input input(Wire().valueHeader(85, false).data({0x01, 0x02, 3, 4, 5, 6, 7, 8, 9, 10, 11}).eot());
  EXPECT_EQ(plat::lang::refCast<Field>(input.next())->getInt(), 0x0102);
  EXPECT_EQ(input.next()->getType(), Define::SERVER_EOT);
}

TEST(FieldWire, TimestampRoundsNanosHalfUpAndCarriesThroughTheCalendar) {
  struct Case {
    plat::time::Timestamp value;
    std::vector<int> fields;  // year, month, day, hour, minute, second, millisecond
  };
  const std::vector<Case> cases = {
      {plat::time::Timestamp(1999, 12, 31, 23, 59, 59, 999'600'000), {2000, 1, 1, 0, 0, 0, 0}},
      {plat::time::Timestamp(2000, 2, 28, 23, 59, 59, 999'500'000), {2000, 2, 29, 0, 0, 0, 0}},
      {plat::time::Timestamp(2001, 2, 28, 23, 59, 59, 999'500'000), {2001, 3, 1, 0, 0, 0, 0}},
      {plat::time::Timestamp(2000, 1, 1, 10, 59, 59, 999'499'999), {2000, 1, 1, 10, 59, 59, 999}},
      {plat::time::Timestamp(2000, 1, 1, 10, 0, 0, 1'500'000), {2000, 1, 1, 10, 0, 0, 2}},
      {plat::time::Timestamp(2000, 1, 1, 10, 0, 0, 499'999), {2000, 1, 1, 10, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    NetTimestamp field;
    field.setTimestamp(c.value);
    Wire expected = Wire().u8(77).i16(3).u8(0).i16(0).u8(0);
    for (int f : c.fields) expected.dataShort(f);
    EXPECT_EQ(wiretest::hex(wiretest::encode(field)), wiretest::hex(expected.eot())) << c.value.toString();
  }
}

TEST(FieldWire, TimestampWithMillisecondsOutsideTheSecondIsReadAsNull) {
  for (int ms : {1000, -1, 32767}) {
    wiretest::Input input(
        Wire().valueHeader(77, false).i16(2000).i16(1).i16(1).i16(0).i16(0).i16(0).i16(ms).str("next"));
    auto field = plat::lang::refCast<NetTimestamp>(input.next());
    ASSERT_TRUE(field) << ms;
    EXPECT_TRUE(field->isNull()) << ms;
    EXPECT_FALSE(field->getTimestamp().has_value()) << ms;
    // The refused value is replaced by the default, which is what it would send.
    const Bytes expected = Wire()
                               .u8(77)
                               .i16(3)
                               .u8(0)
                               .i16(0)
                               .u8(1)
                               .dataShort(1997)
                               .dataShort(4)
                               .dataShort(20)
                               .dataShort(4)
                               .dataShort(5)
                               .dataShort(6)
                               .dataShort(0)
                               .eot();
    EXPECT_EQ(wiretest::encode(*field), expected) << ms;
    EXPECT_EQ(plat::lang::refCast<NetString>(input.next())->getString(), "next") << ms;
  }
}

TEST(FieldWire, DateAndTimeFieldsAreNormalisedByTheCalendar) {
  struct Case {
    int code;
    Bytes body;
    std::string text;
  };
  const std::vector<Case> cases = {
      {75, Wire().i16(1999).i16(13).i16(1), "2000-01-01"},
      {75, Wire().i16(2000).i16(3).i16(0), "2000-02-29"},
      {75, Wire().i16(2001).i16(2).i16(29), "2001-03-01"},
      {76, Wire().i16(12).i16(59).i16(60), "13:00:00"},
      {77, Wire().i16(1999).i16(12).i16(31).i16(23).i16(59).i16(60).i16(5), "2000-01-01 00:00:00.005"},
      {77, Wire().i16(2000).i16(1).i16(1).i16(24).i16(0).i16(0).i16(0), "2000-01-02 00:00:00.0"},
  };
  for (const auto& c : cases) {
    const auto field = wiretest::decodeAs<Field>(Wire().valueHeader(c.code, false).raw(c.body));
    EXPECT_EQ(field->getString().value_or("<none>"), c.text);
  }
}

// The double of a decimal is the nearest one to its exact value, whichever way it is reached: the same as the
// conversion through the decimal's text, at the edges of the exact shortcut too.
TEST(FieldWire, DecimalKindsGiveTheNearestDouble) {
  for (const char* text : {"12.50", "0.1", "0.3", "-0.75", "0", "-0.000", "9007199254740991", "9007199254740993",
                           "0.9007199254740993", "1E+22", "1E+23", "1E-22", "1E-23", "123456789012345678901234567890",
                           "-2.5E-30", "1.7976931348623157E+308", "4.9E-324", "3.14159265358979323846"}) {
    wiretest::Input input(Wire().valueHeader(80, false).str(text));
    auto field = plat::lang::refCast<Field>(input.next());
    ASSERT_TRUE(field) << text;
    EXPECT_EQ(field->getDouble(), plat::math::Decimal(text).doubleValue()) << text;
  }
}

TEST(FieldWire, EndOfInputInsideAValueIsAnIoError) {
  for (const Bytes& bytes : {Bytes(Wire().valueHeader(82, false)), Bytes(Wire().valueHeader(75, false).i16(1)),
                             Bytes(Wire().valueHeader(69, false).i16(5).ascii("ab")), Bytes(Wire{82, 0, 4, 0})}) {
    wiretest::Input input(bytes);
    EXPECT_THROW(input.next(), plat::io::IOException) << wiretest::hex(bytes);
  }
}

}  // namespace
