#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/EOT.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::makeRef;
using plat::lang::Ref;
using wiretest::Bytes;
using wiretest::Wire;

struct EncoderCase {
  const char* name;
  Ref<NetData> data;
  Bytes expected;
};

TEST(NetData, EncodersGiveTheBytesOfTheirValue) {
  const std::vector<EncoderCase> cases = {
      {"int 1", NetData::ofInt(1), Wire{51, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01}},
      {"boolean false", NetData::ofBoolean(false), Wire{51, 0x00, 0x01, 0x00}},
      {"boolean true", NetData::ofBoolean(true), Wire{51, 0x00, 0x01, 0x01}},
      {"text abc", NetData::ofText("abc"), Wire{51, 0x00, 0x03, 0x61, 0x62, 0x63}},
      {"byte -1", NetData::ofByte(-1), Wire{51, 0x00, 0x01, 0xFF}},
      {"short -2", NetData::ofShort(-2), Wire{51, 0x00, 0x02, 0xFF, 0xFE}},
      {"long", NetData::ofLong(0x0102030405060708), Wire{51, 0x00, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"float 1.0", NetData::ofFloat(1.0f), Wire{51, 0x00, 0x04, 0x3F, 0x80, 0x00, 0x00}},
      {"double -2.0", NetData::ofDouble(-2.0), Wire{51, 0x00, 0x08, 0xC0, 0, 0, 0, 0, 0, 0, 0}},
      {"bytes", NetData::ofBytes({9, 8}), Wire{51, 0x00, 0x02, 0x09, 0x08}},
      {"first bytes", makeRef<NetData>(Bytes{1, 2, 3}, 2), Wire{51, 0x00, 0x02, 0x01, 0x02}},
      {"nothing", makeRef<NetData>(), Wire{51, 0x00, 0x00}},
      {"text above latin-1", NetData::ofText("a\xE2\x82\xAC"), Wire{51, 0x00, 0x02, 0x61, '?'}},
  };
  for (const auto& c : cases) EXPECT_EQ(wiretest::encode(*c.data), c.expected) << c.name;
}

TEST(NetData, DecodersReadFromTheStartOfTheData) {
  const auto data = wiretest::decodeAs<NetData>(Wire{51, 0x00, 0x08, 0x80, 0, 0, 0, 0, 0, 0, 1});
  EXPECT_EQ(data->getByte(), -128);
  EXPECT_EQ(data->getShort(), -32768);
  EXPECT_EQ(data->getInt(), INT32_MIN);
  EXPECT_EQ(data->getLong(), static_cast<std::int64_t>(0x8000000000000001ULL));
  EXPECT_TRUE(data->getBool());
  EXPECT_EQ(wiretest::decodeAs<NetData>(Wire().dataInt(0x3F800000))->getFloat(), 1.0f);
  EXPECT_EQ(wiretest::decodeAs<NetData>(Wire().dataLong(0x4000000000000000))->getDouble(), 2.0);
}

TEST(NetData, TooFewBytesForTheWidthIsEndOfData) {
  const auto data = wiretest::decodeAs<NetData>(Wire{51, 0x00, 0x03, 1, 2, 3});
  EXPECT_EQ(data->getShort(), 0x0102);
  EXPECT_THROW(data->getInt(), plat::io::EOFException);
  EXPECT_THROW(data->getLong(), plat::io::EOFException);
  const auto empty = wiretest::decodeAs<NetData>(Wire{51, 0x00, 0x00});
  EXPECT_THROW(empty->getBool(), plat::io::EOFException);
  EXPECT_THROW(empty->getByte(), plat::io::EOFException);
}

TEST(NetData, NegativeLengthMeansNoBytes) {
  wiretest::Input input(Wire{51, 0xFF, 0xFE, 50, 0x00, 0x00});
  auto data = refCast<NetData>(input.next());
  ASSERT_TRUE(data);
  EXPECT_EQ(data->size(), 0u);
  EXPECT_EQ(input.next()->getType(), Define::SERVER_EOT);
}

TEST(NetData, EndOfInputInsideTheBodyIsAnIoError) {
  wiretest::Input input(Wire{51, 0x00, 0x04, 0x00, 0x01});
  EXPECT_THROW(input.next(), plat::io::IOException);
}

TEST(NetString, EmptyOrMissingTextIsWrittenAsEmpty) {
  EXPECT_EQ(wiretest::encode(NetString()), (Bytes{52, 0x00, 0x00}));
  EXPECT_EQ(wiretest::encode(NetString("")), (Bytes{52, 0x00, 0x00}));
  EXPECT_EQ(wiretest::encode(NetString("x")), (Bytes{52, 0x00, 0x01, 0x78}));
}

TEST(NetString, ZeroOrNegativeLengthGivesEmptyTextAndConsumesNothingMore) {
  for (int length : {0, -1, -32768}) {
    wiretest::Input input(Wire().u8(52).i16(length).eot());
    auto text = refCast<NetString>(input.next());
    ASSERT_TRUE(text) << length;
    EXPECT_EQ(text->getString(), "") << length;
    EXPECT_EQ(text->toString(), "") << length;
    EXPECT_EQ(input.next()->getType(), Define::SERVER_EOT) << length;
  }
}

TEST(NetString, HighBytesReadAsLatin1Characters) {
  const auto text = wiretest::decodeAs<NetString>(Wire{52, 0x00, 0x02, 0xE9, 0xFF});
  EXPECT_EQ(text->getString(), "\xC3\xA9\xC3\xBF");
  EXPECT_EQ(wiretest::encode(*text), (Bytes{52, 0x00, 0x02, 0xE9, 0xFF}));
}

TEST(EOT, ClientSendsItEmptyAndKeepsAReceivedTrailer) {
  const auto eot = wiretest::decodeAs<EOT>(Wire{50, 0x00, 0x02, 'o', 'k'});
  EXPECT_EQ(eot->getTrailer(), "ok");
  EXPECT_EQ(wiretest::encode(*eot), (Bytes{50, 0x00, 0x00}));
}

TEST(ServerList, ListOfTwoTextsIsByteExact) {
  const Bytes expected = Wire{54, 0x00, 0x00, 52, 0x00, 0x01, 0x78, 52, 0x00, 0x01, 0x79, 50, 0x00, 0x00};
  ServerList list({makeRef<NetString>("x"), makeRef<NetString>("y")});
  EXPECT_EQ(wiretest::encode(list), expected);
  const auto read = wiretest::decodeAs<ServerList>(expected);
  EXPECT_EQ(read->toStringVector(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(read->getObjVector().size(), 2u);
}

TEST(ServerList, ErrorObjectStaysAsAnElement) {
  const auto list = wiretest::decodeAs<ServerList>(Wire().u8(54).i16(0).str("a").error(7, 15, "bad", "S1000").eot());
  ASSERT_EQ(list->size(), 2u);
  const auto error = refCast<NetError>(list->getObjVector()[1]);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->getErrorID(), 7);
  // Asking for texts treats the error as what it is.
  try {
    list->toStringVector();
    FAIL() << "expected the server error";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "bad");
    EXPECT_EQ(e.getSQLState(), "S1000");
  }
}

TEST(ServerList, NonTextElementGivesObjectStreamErrorForTexts) {
  const auto list = wiretest::decodeAs<ServerList>(Wire().u8(54).i16(0).dataInt(1).eot());
  try {
    list->toStringVector();
    FAIL() << "expected the object-stream error";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "TRIVO object stream error.");
  }
}

TEST(Factory, CodesWithoutObjectClassAreReadAsErrors) {
  // Codes named only, below 49, above 88 and the negative bytes: all carry an error body here.
  for (int code : {0, 1, 48, 49, 53, 55, 56, 60, 61, 63, 65, 66, 67, 89, 127, 128, 200, 255}) {
    wiretest::Input input(Wire().u8(code).i16(0).ascii("LDR}").i32(3).i32(0).str("m").str("s").eot());
    auto object = input.next();
    auto error = refCast<NetError>(object);
    ASSERT_TRUE(error) << code;
    EXPECT_EQ(error->getErrorString(0), "m") << code;
    EXPECT_EQ(error->getErrorString(1), "s") << code;
    EXPECT_EQ(error->getErrorString(2), "") << code;
    EXPECT_EQ(error->getLeader(), "LDR}") << code;
    EXPECT_EQ(input.next()->getType(), Define::SERVER_EOT) << code;
  }
}

TEST(Factory, NoTypeByteIsALostConnection) {
  wiretest::Input input(Bytes{});
  try {
    input.next();
    FAIL() << "expected a lost connection";
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server.");
  }
}

TEST(Factory, EndOfInputBeforeAnInnerObjectIsAnIoError) {
  for (const Bytes& bytes : {Bytes(Wire{54, 0x00, 0x00}), Bytes(Wire().u8(54).i16(0).str("x")),
                             Bytes(Wire().u8(49).i16(0).ascii("ERR}").i32(1).i32(0))}) {
    wiretest::Input input(bytes);
    try {
      input.next();
      ADD_FAILURE() << wiretest::hex(bytes);
    } catch (const SQLServerConnException&) {
      ADD_FAILURE() << "not the first byte of a reply: " << wiretest::hex(bytes);
    } catch (const plat::io::IOException&) {
    }
  }
}

TEST(Writers, ObjectsLongerThanALengthFieldCanSayAreRefused) {
  EXPECT_EQ(wiretest::encode(*NetData::ofBytes(Bytes(32767, 1))).size(), 3u + 32767u);
  EXPECT_THROW(wiretest::encode(*NetData::ofBytes(Bytes(32768, 1))), plat::io::IOException);
  EXPECT_EQ(wiretest::encode(NetString(std::string(32767, 'a'))).size(), 3u + 32767u);
  EXPECT_THROW(wiretest::encode(NetString(std::string(32768, 'a'))), plat::io::IOException);
  // The limit counts wire bytes, one per character.
  std::string twoByteCharacters;
  for (int i = 0; i < 20000; ++i) twoByteCharacters += "\xC3\xA9";
  EXPECT_EQ(wiretest::encode(NetString(twoByteCharacters)).size(), 3u + 20000u);
}

TEST(Factory, ZeroByteFloodEndsInAProtocolErrorNotADeepRecursion) {
  for (std::size_t size : {1u, 3u, 14u, 100u, 4096u, 1u << 20}) {
    wiretest::Input input(Bytes(size, 0));
    EXPECT_THROW(input.next(), plat::io::IOException) << size;
  }
}

TEST(Factory, NestingIsCappedAt32Levels) {
  auto nested = [](int depth) {
    Wire w;
    for (int i = 0; i < depth - 1; ++i) w.u8(54).i16(0);
    w.str("leaf");
    for (int i = 0; i < depth - 1; ++i) w.eot();
    return Bytes(w);
  };
  EXPECT_NO_THROW(wiretest::decodeAll(nested(NetClass::kMaxNesting)));
  EXPECT_THROW(wiretest::decodeAll(nested(NetClass::kMaxNesting + 1)), plat::io::IOException);
  // The count starts afresh for the next object.
  wiretest::Input input(Wire(nested(NetClass::kMaxNesting)).append(Wire(nested(NetClass::kMaxNesting))));
  EXPECT_NO_THROW(input.next());
  EXPECT_NO_THROW(input.next());
  EXPECT_EQ(input.left(), 0);
}

TEST(ObjectErrorRule, UnexpectedPlainObjectIsObjectStreamError) {
  try {
    ServerObject::onObjectError(NetString("surprise"));
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "TRIVO object stream error.");
    EXPECT_EQ(e.getClassName(), "java.sql.SQLException");
  }
}

}  // namespace
