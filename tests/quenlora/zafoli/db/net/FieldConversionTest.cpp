#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Double.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::Value;
using plat::math::Decimal;
using plat::time::Date;
using plat::time::Time;
using plat::time::Timestamp;
using wiretest::Bytes;

enum class Get {
  Boolean,
  Byte,
  Short,
  Int,
  Long,
  Float,
  Double,
  String,
  Decimal2,
  Date,
  Time,
  Timestamp,
  Bytes,
  Object,
  Stream
};

// The result of one getter as text, or "!" and the failure's message.
std::string call(const Field& f, Get get) {
  try {
    switch (get) {
      case Get::Boolean:
        return f.getBoolean() ? "true" : "false";
      case Get::Byte:
        return std::to_string(f.getByte());
      case Get::Short:
        return std::to_string(f.getShort());
      case Get::Int:
        return std::to_string(f.getInt());
      case Get::Long:
        return std::to_string(f.getLong());
      case Get::Float:
        return plat::lang::Float::toString(f.getFloat());
      case Get::Double:
        return plat::lang::Double::toString(f.getDouble());
      case Get::String:
        return f.getString().value_or("<null>");
      case Get::Decimal2: {
        const auto d = f.getBigDecimal(2);
        return d ? d->toString() : "<null>";
      }
      case Get::Date: {
        const auto d = f.getDate();
        return d ? d->toString() : "<null>";
      }
      case Get::Time: {
        const auto t = f.getTime();
        return t ? t->toString() : "<null>";
      }
      case Get::Timestamp: {
        const auto t = f.getTimestamp();
        return t ? t->toString() : "<null>";
      }
      case Get::Bytes:
        return "[" + wiretest::hex(f.getBytes()) + "]";
      case Get::Object: {
        const Value v = f.getObject();
        return v.isNull() ? "<null>" : v.getClassName() + " " + v.toString();
      }
      case Get::Stream: {
        auto s = f.getAsciiStream();
        if (!s) return "<null>";
        Bytes all;
        for (int c; (c = s->read()) >= 0;) all.push_back(static_cast<std::uint8_t>(c));
        return "[" + wiretest::hex(all) + "]";
      }
    }
  } catch (const plat::sql::SQLException& e) {
    return "!" + e.getMessage();
  }
  return "?";
}

using Setter = std::function<void(Field&)>;

struct Row {
  int code;
  const char* setup;
  Setter set;
  Get get;
  std::string expected;  // "!*": any SQLException
};

Setter none = [](Field&) {};

std::string run(const Row& row) {
  auto field = plat::lang::refCast<Field>(NetClass::createObject(row.code));
  try {
    row.set(*field);
  } catch (const plat::sql::SQLException& e) {
    return "!" + e.getMessage();
  }
  return call(*field, row.get);
}

void check(const std::vector<Row>& rows) {
  for (const auto& row : rows) {
    const std::string actual = run(row);
    if (row.expected == "!*") {
      EXPECT_TRUE(!actual.empty() && actual[0] == '!') << row.code << " " << row.setup << ": " << actual;
    } else {
      EXPECT_EQ(actual, row.expected) << "kind " << row.code << ", " << row.setup;
    }
  }
}

Setter setInt(std::int32_t v) {
  return [v](Field& f) { f.setInt(v); };
}
Setter setLong(std::int64_t v) {
  return [v](Field& f) { f.setLong(v); };
}
Setter setDouble(double v) {
  return [v](Field& f) { f.setDouble(v); };
}
Setter setFloat(float v) {
  return [v](Field& f) { f.setFloat(v); };
}
Setter setString(std::string v) {
  return [v](Field& f) { f.setString(v); };
}
Setter setDecimal(const char* v) {
  return [v](Field& f) { f.setBigDecimal(Decimal(v)); };
}
Setter setObject(Value v) {
  return [v](Field& f) { f.setObject(v); };
}
Setter setStream(Bytes bytes, int length) {
  return [bytes, length](Field& f) {
    f.setAsciiStream(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes), length);
  };
}

constexpr int TINYINT = Define::SERVER_TINYINT, SMALLINT = Define::SERVER_SMALLINT, INTEGER = Define::SERVER_INTEGER,
              BIGINT = Define::SERVER_BIGINT, REAL = Define::SERVER_REAL, FLOAT = Define::SERVER_FLOAT,
              DOUBLE = Define::SERVER_DOUBLE, NUMERIC = Define::SERVER_BIGDECIMAL, BIT = Define::SERVER_BIT,
              CHAR = Define::SERVER_CHAR, VARCHAR = Define::SERVER_VARCHAR, LONGVARCHAR = Define::SERVER_LONGVARCHAR,
              BINARY = Define::SERVER_BINARY, VARBINARY = Define::SERVER_VARBINARY,
              LONGVARBINARY = Define::SERVER_LONGVARBINARY, DATE = Define::SERVER_DATE, TIME = Define::SERVER_TIME,
              TIMESTAMP = Define::SERVER_TIMESTAMP;

const std::string kCant = "!Can't convert data to requested format";

TEST(FieldConversion, IntegerKindsRangeChecksAndNarrowing) {
  check({
      {SMALLINT, "setInt 40000", setInt(40000), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setLong 40000", setLong(40000), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setLong -32768", setLong(-32768), Get::Int, "-32768"},
      {SMALLINT, "setString 40000", setString("40000"), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setDouble 32767.9", setDouble(32767.9), Get::Int, "32767"},
      {SMALLINT, "setDouble 32768", setDouble(32768.0), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setDouble NaN", setDouble(std::nan("")), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setBigDecimal 40000.5", setDecimal("40000.5"), Get::Int, "!Data out of range for SmallInt"},
      {SMALLINT, "setBigDecimal -32768.9", setDecimal("-32768.9"), Get::Int, "-32768"},
      {TINYINT, "setInt 300", setInt(300), Get::Int, "!Data out of range for TinyInt"},
      {TINYINT, "setString 300", setString("300"), Get::Int, "!Data out of range for TinyInt"},
      {TINYINT, "setInt -128", setInt(-128), Get::Byte, "-128"},
      {TINYINT, "setInt 127", setInt(127), Get::Object, "java.lang.Integer 127"},
      {TINYINT, "setFloat 127.5", setFloat(127.5f), Get::Int, "127"},
      {INTEGER, "setLong 3000000000", setLong(3000000000LL), Get::Int, "!Data out of range for Integer"},
      {INTEGER, "setString 3000000000", setString("3000000000"), Get::Int, "!Data out of range for Integer"},
      {INTEGER, "setDouble 1e10", setDouble(1e10), Get::Int, "!Data out of range for Integer"},
      {INTEGER, "setLong MIN", setLong(INT32_MIN), Get::Long, "-2147483648"},
      {INTEGER, "70000 as short", setInt(70000), Get::Short, "4464"},
      {INTEGER, "70000 as byte", setInt(70000), Get::Byte, "112"},
      {INTEGER, "setDouble -3.9", setDouble(-3.9), Get::Int, "-3"},
      {INTEGER, "setBigDecimal 123.99", setDecimal("123.99"), Get::Int, "123"},
      {INTEGER, "setString 1.5", setString("1.5"), Get::Int, "!For input string: \"1.5\""},
      {INTEGER, "setString empty", setString(""), Get::Int, "!*"},
      {BIGINT, "2^40 as int", setLong(1LL << 40), Get::Int, "0"},
      {BIGINT, "setDouble 1e30 saturates", setDouble(1e30), Get::Long, "9223372036854775807"},
      {BIGINT, "setString MIN", setString("-9223372036854775808"), Get::String, "-9223372036854775808"},
      {BIGINT, "setBigDecimal 1.9", setDecimal("1.9"), Get::Long, "1"},
  });
}

TEST(FieldConversion, IntegerKindsGetters) {
  check({
      {INTEGER, "7", setInt(7), Get::Boolean, "true"},
      {INTEGER, "0", setInt(0), Get::Boolean, "false"},
      {INTEGER, "7", setInt(7), Get::Float, "7.0"},
      {INTEGER, "7", setInt(7), Get::Double, "7.0"},
      {INTEGER, "7", setInt(7), Get::String, "7"},
      {INTEGER, "7", setInt(7), Get::Decimal2, "7.00"},
      {INTEGER, "7", setInt(7), Get::Object, "java.lang.Integer 7"},
      {BIGINT, "2^53+1 exact", setLong((1LL << 53) + 1), Get::Decimal2, "9007199254740993.00"},
      {BIGINT, "7", setLong(7), Get::Object, "java.lang.Long 7"},
      {INTEGER, "7", setInt(7), Get::Date, kCant},
      {INTEGER, "7", setInt(7), Get::Bytes, kCant},
      {INTEGER, "7", setInt(7), Get::Stream, kCant},
      {INTEGER, "setBoolean", [](Field& f) { f.setBoolean(true); }, Get::Int, "1"},
      {INTEGER, "setObject Int", setObject(Value::ofInt(5)), Get::Int, "5"},
      {INTEGER, "setObject Long", setObject(Value::ofLong(5)), Get::Int, kCant},
      {BIGINT, "setObject Long", setObject(Value::ofLong(5)), Get::Long, "5"},
      {BIGINT, "setObject Int", setObject(Value::ofInt(5)), Get::Long, kCant},
      {INTEGER, "setDate", [](Field& f) { f.setDate(Date(2000, 1, 1)); }, Get::Int, kCant},
      {INTEGER, "null", [](Field& f) { f.setNull(4); }, Get::Boolean, "false"},
      {INTEGER, "null", [](Field& f) { f.setNull(4); }, Get::Decimal2, "<null>"},
      {INTEGER, "null", [](Field& f) { f.setNull(4); }, Get::String, "<null>"},
      {INTEGER, "setObject null", setObject(Value()), Get::Object, "<null>"},
  });
}

TEST(FieldConversion, FloatKinds) {
  check({
      {REAL, "1.5", setFloat(1.5f), Get::Object, "java.lang.Float 1.5"},
      {FLOAT, "1.5", setFloat(1.5f), Get::Object, "java.lang.Double 1.5"},
      {REAL, "0.1", setFloat(0.1f), Get::String, "0.1"},
      {REAL, "-2.7", setFloat(-2.7f), Get::Int, "-2"},
      {REAL, "1e20 saturates int", setFloat(1e20f), Get::Int, "2147483647"},
      {REAL, "1e20 short from saturated int", setFloat(1e20f), Get::Short, "-1"},
      {REAL, "1e20 saturates long", setFloat(1e20f), Get::Long, "9223372036854775807"},
      {REAL, "NaN int", setFloat(std::nanf("")), Get::Int, "0"},
      {REAL, "NaN decimal", setFloat(std::nanf("")), Get::Decimal2, kCant},
      {REAL, "1.005 through its double", setFloat(1.005f), Get::Decimal2, "1.00"},
      {REAL, "2.5 half up", setFloat(2.125f), Get::Decimal2, "2.13"},
      {REAL, "0.5", setFloat(0.5f), Get::Boolean, "true"},
      {REAL, "setString 2.5", setString("2.5"), Get::Double, "2.5"},
      {REAL, "setString x", setString("x"), Get::Double, "!For input string: \"x\""},
      {REAL, "setBigDecimal", setDecimal("0.25"), Get::Float, "0.25"},
      {REAL, "setObject Float", setObject(Value::ofFloat(3.0f)), Get::Float, "3.0"},
      {REAL, "setObject Double", setObject(Value::ofDouble(3.0)), Get::Float, kCant},
      {FLOAT, "setObject Double", setObject(Value::ofDouble(3.0)), Get::Float, "3.0"},
      {FLOAT, "setObject Float", setObject(Value::ofFloat(3.0f)), Get::Float, kCant},
      {FLOAT, "setLong", setLong(16777217), Get::Long, "16777216"},
      {REAL, "setTimestamp", [](Field& f) { f.setTimestamp(Timestamp()); }, Get::Float, kCant},
  });
}

TEST(FieldConversion, DecimalKinds) {
  check({
      {DOUBLE, "0.5", setDecimal("0.5"), Get::Boolean, "false"},
      {DOUBLE, "0.5", setDecimal("0.5"), Get::Int, "0"},
      {DOUBLE, "-1.5", setDecimal("-1.5"), Get::Boolean, "true"},
      {NUMERIC, "2.345 half up", setDecimal("2.345"), Get::Decimal2, "2.35"},
      {NUMERIC, "-2.345 half up", setDecimal("-2.345"), Get::Decimal2, "-2.35"},
      {NUMERIC, "1E+3", setDecimal("1E+3"), Get::String, "1E+3"},
      {NUMERIC, "1e10 as int", setDecimal("10000000000"), Get::Int, "1410065408"},
      {NUMERIC, "1e10 as long", setDecimal("10000000000"), Get::Long, "10000000000"},
      {NUMERIC, "12.5", setDecimal("12.5"), Get::Object, "java.math.BigDecimal 12.5"},
      {NUMERIC, "setLong 2^53+1 exact", setLong((1LL << 53) + 1), Get::String, "9007199254740993"},
      {NUMERIC, "setInt", setInt(-7), Get::String, "-7"},
      {NUMERIC, "setDouble 0.1 shortest", setDouble(0.1), Get::String, "0.1"},
      {NUMERIC, "setFloat 0.1 shortest", setFloat(0.1f), Get::String, "0.1"},
      {NUMERIC, "setDouble NaN", setDouble(std::nan("")), Get::String, kCant},
      {NUMERIC, "setDouble inf", setDouble(HUGE_VAL), Get::String, kCant},
      {NUMERIC, "setFloat -inf", setFloat(-HUGE_VALF), Get::String, kCant},
      {NUMERIC, "setBoolean", [](Field& f) { f.setBoolean(true); }, Get::String, "1"},
      {NUMERIC, "setString", setString("-0.010"), Get::String, "-0.010"},
      {NUMERIC, "setString abc", setString("abc"), Get::String, "!*"},
      {NUMERIC, "setObject Decimal", setObject(Value::ofDecimal(Decimal("3.30"))), Get::String, "3.30"},
      {NUMERIC, "setObject Double", setObject(Value::ofDouble(3.3)), Get::String, kCant},
      {DOUBLE, "12.5 as double", setDecimal("12.5"), Get::Double, "12.5"},
      {DOUBLE, "null", [](Field& f) { f.setBigDecimal(std::nullopt); }, Get::Decimal2, "<null>"},
      {DOUBLE, "getDate", setDecimal("1"), Get::Date, kCant},
  });
}

TEST(FieldConversion, Bit) {
  check({
      {BIT, "setInt 5", setInt(5), Get::Boolean, "true"},
      {BIT, "setInt 5", setInt(5), Get::Int, "1"},
      {BIT, "setInt 0", setInt(0), Get::Double, "0.0"},
      {BIT, "true", [](Field& f) { f.setBoolean(true); }, Get::String, "true"},
      {BIT, "false", [](Field& f) { f.setBoolean(false); }, Get::String, "false"},
      {BIT, "true", [](Field& f) { f.setBoolean(true); }, Get::Decimal2, "1.00"},
      {BIT, "true", [](Field& f) { f.setBoolean(true); }, Get::Object, "java.lang.Boolean true"},
      {BIT, "setString 0", setString("0"), Get::Boolean, "false"},
      {BIT, "setString -3", setString("-3"), Get::Boolean, "true"},
      {BIT, "setString true", setString("true"), Get::Boolean, "!*"},
      {BIT, "setDouble 0.1", setDouble(0.1), Get::Boolean, "true"},
      {BIT, "setBigDecimal 0.00", setDecimal("0.00"), Get::Boolean, "false"},
      {BIT, "setObject Boolean", setObject(Value(true)), Get::Boolean, "true"},
      {BIT, "setObject Int", setObject(Value::ofInt(1)), Get::Boolean, kCant},
  });
}

TEST(FieldConversion, TextKindsGetters) {
  check({
      {CHAR, "12.7", setString("12.7"), Get::Int, "12"},
      {CHAR, "abc", setString("abc"), Get::Int, "!For input string: \"abc\""},
      {CHAR, "-12.7", setString("-12.7"), Get::Long, "-12"},
      {CHAR, " 42 ", setString(" 42 "), Get::Int, "42"},
      {CHAR, "1e3", setString("1e3"), Get::Short, "1000"},
      {CHAR, "70000", setString("70000"), Get::Short, "4464"},
      {CHAR, "2^53+1 exact", setString("9007199254740993"), Get::Long, "9007199254740993"},
      {CHAR, "2.5", setString("2.5"), Get::Float, "2.5"},
      {CHAR, "2.345", setString("2.345"), Get::Decimal2, "2.35"},
      {CHAR, "padded 2.345", setString("2.345   "), Get::Decimal2, "2.35"},
      {CHAR, "x", setString("x"), Get::Decimal2, "!*"},
      {CHAR, "date", setString("2000-01-02"), Get::Date, "2000-01-02"},
      {CHAR, "time", setString("03:04:05"), Get::Time, "03:04:05"},
      {CHAR, "timestamp", setString("2000-01-02 03:04:05.123456789"), Get::Timestamp, "2000-01-02 03:04:05.123456789"},
      {CHAR, "bad date", setString("02.01.2000"), Get::Date, "!*"},
      {CHAR, "bytes", setString("A\xC3\xA9"), Get::Bytes, "[41 E9]"},
      {CHAR, "above latin-1", setString("\xE2\x82\xAC"), Get::Bytes, "[3F]"},
      {CHAR, "stream", setString("abc"), Get::Stream, "[61 62 63]"},
      {CHAR, "object", setString("abc"), Get::Object, "java.lang.String abc"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Int, "0"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Boolean, "false"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Bytes, "[]"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Stream, "<null>"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Date, "<null>"},
      {CHAR, "null", [](Field& f) { f.setNull(1); }, Get::Decimal2, "<null>"},
  });
}

TEST(FieldConversion, TextKindsBoolean) {
  const std::vector<std::pair<std::string, bool>> texts = {
      {"true", true}, {" TRUE ", true}, {"True", true}, {"1", true},      {"2.5", true},
      {"-1", true},   {"0", false},     {"0.0", false}, {"", false},      {"   ", false},
      {"yes", false}, {"false", false}, {"t", false},   {"truex", false},
  };
  for (const auto& [text, expected] : texts) {
    check({{VARCHAR, text.c_str(), setString(text), Get::Boolean, expected ? "true" : "false"}});
  }
}

TEST(FieldConversion, TextKindsSetters) {
  check({
      {VARCHAR, "setInt", setInt(-5), Get::String, "-5"},
      {VARCHAR, "setLong", setLong(INT64_MIN), Get::String, "-9223372036854775808"},
      {VARCHAR, "setDouble 1.0", setDouble(1.0), Get::String, "1.0"},
      {VARCHAR, "setFloat 1e10", setFloat(1e10f), Get::String, "1.0E10"},
      {VARCHAR, "setBoolean", [](Field& f) { f.setBoolean(true); }, Get::String, "true"},
      {VARCHAR, "setBigDecimal", setDecimal("12.50"), Get::String, "12.50"},
      {VARCHAR, "setDate", [](Field& f) { f.setDate(Date(2000, 1, 2)); }, Get::String, "2000-01-02"},
      {VARCHAR, "setTime", [](Field& f) { f.setTime(Time(3, 4, 5)); }, Get::String, "03:04:05"},
      {VARCHAR, "setTimestamp", [](Field& f) { f.setTimestamp(Timestamp(2000, 1, 2, 3, 4, 5)); }, Get::String,
       "2000-01-02 03:04:05.0"},
      {VARCHAR, "setBytes",
       [](Field& f) {
         f.setBytes({0x41, 0xE9});
       },
       Get::String, "A\xC3\xA9"},
      {VARCHAR, "setObject String", setObject(Value("s")), Get::String, "s"},
      {VARCHAR, "setObject Int", setObject(Value::ofInt(1)), Get::String, kCant},
      {VARCHAR, "stream of 3 with length 10 keeps 3", setStream({'a', 'b', 'c'}, 10), Get::String, "abc"},
      {VARCHAR, "stream of 3 with length 2", setStream({'a', 'b', 'c'}, 2), Get::String, "ab"},
      {VARCHAR, "stream length 0", setStream({'a'}, 0), Get::String, ""},
      {VARCHAR, "stream length 255", setStream(Bytes(300, 'z'), 255), Get::Int,
       "!For input string: \"" + std::string(255, 'z') + "\""},
      {VARCHAR, "stream length 256", setStream({'a'}, 256), Get::String, "!Stream length out of range."},
      {VARCHAR, "stream length -1", setStream({'a'}, -1), Get::String, "!Stream length out of range."},
      {VARCHAR, "null stream", [](Field& f) { f.setAsciiStream(nullptr, 3); }, Get::String, "<null>"},
  });
}

TEST(FieldConversion, FailingStreamBecomesSqlExceptionWithItsText) {
  class Broken : public plat::io::InputStream {
   public:
    using InputStream::read;
    int read() override { throw plat::io::IOException("disk gone"); }
  };
  check({{VARCHAR, "broken stream", [](Field& f) { f.setBinaryStream(plat::lang::makeRef<Broken>(), 3); }, Get::String,
          "!disk gone"},
         {BINARY, "broken stream", [](Field& f) { f.setUnicodeStream(plat::lang::makeRef<Broken>(), 3); }, Get::String,
          "!disk gone"}});
}

TEST(FieldConversion, BinaryKinds) {
  check({
      {BINARY, "setString AB", setString("AB"), Get::Bytes, "[41 42]"},
      {BINARY, "setString latin-1", setString("\xC3\xBF"), Get::Bytes, "[FF]"},
      {VARBINARY, "setBytes",
       [](Field& f) {
         f.setBytes({0xFF, 0x00});
       },
       Get::String, std::string("\xC3\xBF\0", 3)},
      {VARBINARY, "setBytes",
       [](Field& f) {
         f.setBytes({1, 2});
       },
       Get::Stream, "[01 02]"},
      {BINARY, "stream", setStream({9, 8, 7}, 2), Get::Bytes, "[09 08]"},
      {BINARY, "stream 256", setStream({9}, 256), Get::Bytes, "!Stream length out of range."},
      {BINARY, "setObject Bytes", setObject(Value::ofBytes({5})), Get::Bytes, "[05]"},
      {BINARY, "setObject String", setObject(Value("x")), Get::Bytes, kCant},
      {BINARY, "getInt", setString("1"), Get::Int, kCant},
      {BINARY, "setInt", setInt(1), Get::Bytes, kCant},
      {BINARY, "null", [](Field& f) { f.setNull(-2); }, Get::Bytes, "[]"},
      {BINARY, "null", [](Field& f) { f.setNull(-2); }, Get::String, "<null>"},
      {BINARY, "null", [](Field& f) { f.setNull(-2); }, Get::Stream, "<null>"},
  });
}

TEST(FieldConversion, BinaryObjectIsAByteArrayOfTheBytes) {
  auto field = plat::lang::refCast<Field>(NetClass::createObject(VARBINARY));
  field->setBytes({1, 2});
  const Value v = field->getObject();
  ASSERT_TRUE(v.is(Value::Kind::Bytes));
  EXPECT_EQ(v.getBytes(), (Bytes{1, 2}));
}

// The stream getters hand out the wire client's own byte stream, so its whole-value and typed getters work on
// them as on a server stream.
TEST(FieldConversion, StreamGettersAreLocalByteStreams) {
  for (int code : {CHAR, VARCHAR, BINARY, VARBINARY}) {
    auto field = plat::lang::refCast<Field>(NetClass::createObject(code));
    field->setString(std::string("\0\0\1\2", 4));
    for (const auto& stream : {field->getAsciiStream(), field->getBinaryStream(), field->getUnicodeStream()}) {
      auto local = plat::lang::refCast<BinaryInputStream>(stream);
      ASSERT_NE(local, nullptr) << code;
      EXPECT_EQ(local->getInt(), 258) << code;
      EXPECT_EQ(local->read(), 0) << code;  // getInt fetched the chunk and took its first byte
      EXPECT_EQ(local->getBytes(), (Bytes{1, 2})) << code;
      EXPECT_EQ(local->read(), -1) << code;
    }
  }
}

TEST(FieldConversion, LongKindsRefuseWhatTheyDoNotHold) {
  for (int code : {LONGVARCHAR, LONGVARBINARY}) {
    check({
        {code, "getObject", none, Get::Object, kCant},
        {code, "stream", none, Get::Stream, kCant},
        {code, "setObject", setObject(Value("x")), Get::String, kCant},
        {code, "setStream", setStream({1}, 1), Get::String, kCant},
        {code, "null getObject", [](Field& f) { f.setNull(-1); }, Get::Object, "<null>"},
    });
  }
}

TEST(FieldConversion, DateAndTimeKinds) {
  const Timestamp ts(2000, 1, 2, 3, 4, 5, 6'000'000);
  auto setTs = [ts](Field& f) { f.setTimestamp(ts); };
  check({
      {DATE, "setTimestamp takes the date", setTs, Get::String, "2000-01-02"},
      {DATE, "timestamp at midnight", setTs, Get::Timestamp, "2000-01-02 00:00:00.0"},
      {DATE, "setString", setString("1999-12-31"), Get::Date, "1999-12-31"},
      {DATE, "setString bad", setString("31/12/1999"), Get::Date, "!*"},
      {DATE, "setObject Date", setObject(Value(Date(2001, 2, 3))), Get::Object, "java.sql.Date 2001-02-03"},
      {DATE, "setObject Timestamp", setObject(Value(ts)), Get::Date, kCant},
      {DATE, "getTime", setTs, Get::Time, kCant},
      {DATE, "getInt", setTs, Get::Int, kCant},
      {DATE, "fresh holds the default", none, Get::String, "1997-04-20"},
      {TIME, "setTimestamp takes the time", setTs, Get::String, "03:04:05"},
      {TIME, "setString", setString("23:59:59"), Get::Time, "23:59:59"},
      {TIME, "setObject Time", setObject(Value(Time(1, 2, 3))), Get::Time, "01:02:03"},
      {TIME, "getDate", setTs, Get::Date, kCant},
      {TIME, "setDate", [](Field& f) { f.setDate(Date()); }, Get::Time, kCant},
      {TIMESTAMP, "setTimestamp", setTs, Get::String, "2000-01-02 03:04:05.006"},
      {TIMESTAMP, "date part", setTs, Get::Date, "2000-01-02"},
      {TIMESTAMP, "time part", setTs, Get::Time, "03:04:05"},
      {TIMESTAMP, "setString", setString("2000-01-02 03:04:05.5"), Get::Timestamp, "2000-01-02 03:04:05.5"},
      {TIMESTAMP, "setObject Timestamp", setObject(Value(ts)), Get::Timestamp, "2000-01-02 03:04:05.006"},
      {TIMESTAMP, "setDate", [](Field& f) { f.setDate(Date()); }, Get::Timestamp, kCant},
      {TIMESTAMP, "fresh holds the default", none, Get::String, "1997-04-20 04:05:06.000000007"},
      {TIMESTAMP, "null", [](Field& f) { f.setNull(93); }, Get::Timestamp, "<null>"},
      {DATE, "null", [](Field& f) { f.setNull(91); }, Get::String, "<null>"},
  });
}

TEST(FieldConversion, EverySuccessfulSetterClearsTheNullFlag) {
  const std::vector<std::pair<int, Setter>> cases = {
      {INTEGER, setInt(1)},
      {BIGINT, setString("2")},
      {REAL, setDouble(1)},
      {NUMERIC, setLong(1)},
      {BIT, setInt(1)},
      {CHAR, setInt(1)},
      {BINARY, setString("")},
      {DATE, setString("2000-01-01")},
      {TIME, setString("01:01:01")},
      {TIMESTAMP, [](Field& f) { f.setTimestamp(Timestamp()); }},
  };
  for (const auto& [code, set] : cases) {
    auto field = plat::lang::refCast<Field>(NetClass::createObject(code));
    field->setNull(0);
    ASSERT_TRUE(field->isNull());
    set(*field);
    EXPECT_FALSE(field->isNull()) << code;
  }
  // A failing setter leaves the flag as it was.
  auto small = plat::lang::refCast<Field>(NetClass::createObject(SMALLINT));
  small->setNull(0);
  EXPECT_THROW(small->setInt(40000), plat::sql::SQLException);
  EXPECT_TRUE(small->isNull());
}

}  // namespace
