#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetDouble.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/SocketIS.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::makeRef;
using plat::lang::Ref;
using wiretest::Bytes;
using wiretest::Wire;

// One value of each way a value reads its bytes: numbers in data objects, texts, decimal texts, date fields, a
// null, and a number with more data bytes than it uses.
Bytes mixedRow() {
  return Wire()
      .u8(59)
      .i16(0)
      .u8(100)
      .i32(42)
      .i16(8)
      .valueHeader(82, false, 1, 4)
      .dataInt(-123456)
      .valueHeader(78, false, 2, 8)
      .dataLong(5000000000)
      .valueHeader(73, false, 3, 12)
      .i16(12)
      .ascii("name \xE9 12345")
      .valueHeader(80, false, 4, 8)
      .str("-1234.25")
      .valueHeader(83, false, 5, 2)
      .str("1E+3")
      .valueHeader(77, false, 6, 93)
      .i16(2001)
      .i16(2)
      .i16(3)
      .i16(4)
      .i16(5)
      .i16(6)
      .i16(7)
      .valueHeader(82, true, 7, 4)
      .valueHeader(82, false, 8, 4)
      .data({0, 0, 0, 9, 1, 2, 3, 4, 5, 6, 7})
      .bytes();
}

Bytes packets(const std::vector<Bytes>& payloads) {
  Wire wire;
  for (const Bytes& payload : payloads) wire.u8(0xBB).i16(static_cast<int>(payload.size() + 2)).i16(1).raw(payload);
  return wire.bytes();
}

// Every value as text, or the failure's kind.
std::vector<std::string> texts(const Ref<ServerObject>& object) {
  auto row = plat::lang::refCast<NetRecord>(object);
  std::vector<std::string> out;
  for (int col = 1; col <= row->getColumnCount(); ++col) out.push_back(row->getString(col).value_or("<null>"));
  return out;
}

Ref<ServerObject> decodeFromPackets(const Bytes& bytes) {
  auto socket = makeRef<SocketIS>(makeRef<plat::io::ByteArrayInputStream>(bytes), nullptr);
  plat::io::DataInputStream in(socket);
  return NetClass::getNextObject(in);
}

// Values read in place from a packet must read as from any other stream, wherever packet ends cut them.
TEST(WireInPlace, ARowCutAtAnyByteByPacketEndsReadsAsFromOneStream) {
  const Bytes row = mixedRow();
  const std::vector<std::string> expected = texts(wiretest::decodeAll(row));
  ASSERT_EQ(expected.size(), 8u);
  EXPECT_EQ(expected[5].substr(0, 4), "2001");
  EXPECT_EQ(texts(decodeFromPackets(packets({row}))), expected);
  for (std::size_t cut = 1; cut < row.size(); ++cut) {
    const Bytes head(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(cut));
    const Bytes tail(row.begin() + static_cast<std::ptrdiff_t>(cut), row.end());
    EXPECT_EQ(texts(decodeFromPackets(packets({head, tail}))), expected) << "cut at " << cut;
    // The same row short of its end: an I/O failure, as from any stream, never a value read past the packet.
    EXPECT_THROW(decodeFromPackets(packets({head})), plat::io::IOException) << "cut at " << cut;
  }
}

// Decimal texts read without the big-number parser must give the very number (digits and scale) the parser gives,
// and a text the parser refuses still breaks the reply.
TEST(WireInPlace, DecimalTextsReadAsTheParserReadsThem) {
  const std::vector<std::string> cases = {"12.50",
                                          "-0.00",
                                          "0",
                                          "007",
                                          "123456789012345678",
                                          "-999999999999999999",
                                          "1234567890123456789",
                                          "0.000000000000000001",
                                          "1e3",
                                          "+5",
                                          ".5",
                                          "5.",
                                          "1.2.3",
                                          "",
                                          "-",
                                          "abc",
                                          "12,5",
                                          " 1",
                                          "\xB2",
                                          "1.5\xE9"};
  for (const std::string& text : cases) {
    const Bytes wire = Wire().valueHeader(80, false, 1, 8).str(text).bytes();
    std::optional<plat::math::Decimal> expected;
    try {
      expected = plat::math::Decimal(text);
    } catch (const plat::lang::NumberFormatException&) {
    }
    if (!expected) {
      EXPECT_THROW(wiretest::decodeAll(wire), plat::sql::SQLException) << text;
      EXPECT_THROW(decodeFromPackets(packets({wire})), plat::sql::SQLException) << text;
      continue;
    }
    for (const auto& object : {wiretest::decodeAll(wire), decodeFromPackets(packets({wire}))}) {
      auto value = plat::lang::refCast<NetDouble>(object);
      ASSERT_TRUE(value) << text;
      EXPECT_EQ(value->getString(), expected->toString()) << text;
      EXPECT_EQ(value->getBigDecimal(expected->scale())->unscaledValue(), expected->unscaledValue()) << text;
      EXPECT_EQ(value->getDouble(), expected->doubleValue()) << text;
      // Plain digits are kept as read: every get, asked twice, gives what the number itself gives.
      for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(value->getInt(), expected->intValue()) << text;
        EXPECT_EQ(value->getLong(), expected->longValue()) << text;
        EXPECT_EQ(value->getFloat(), expected->floatValue()) << text;
        EXPECT_EQ(value->getBoolean(), expected->abs().compareTo(plat::math::Decimal::valueOf(std::int64_t{1})) >= 0)
            << text;
        EXPECT_EQ(value->getObject(), plat::lang::Value::ofDecimal(*expected)) << text;
        for (int scale : {expected->scale() - 1, expected->scale() + 2, expected->scale() + 19}) {
          const auto widened = value->getBigDecimal(scale);
          const auto reference = expected->setScale(scale, plat::math::RoundingMode::HALF_UP);
          EXPECT_EQ(widened->unscaledValue(), reference.unscaledValue()) << text << " at scale " << scale;
          EXPECT_EQ(widened->scale(), reference.scale()) << text << " at scale " << scale;
        }
      }
      // A store replaces the digits kept from the wire.
      value->setInt(7);
      EXPECT_EQ(value->getString(), "7") << text;
      EXPECT_EQ(value->getDouble(), 7.0) << text;
    }
  }
}

}  // namespace
