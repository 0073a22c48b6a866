#include "platform/lang/Value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"

namespace plat::lang {
namespace {

using plat::math::Decimal;
using Kind = Value::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class EmptyStream : public plat::io::InputStream {
 public:
  using InputStream::read;
  int read() override { return -1; }
};

// An object with value equality, as some of the system's classes define it.
class Code : public Object {
 public:
  explicit Code(int code) : code_(code) {}
  std::string getClassName() const override { return "test.Code"; }
  std::string toString() const override { return "Code " + std::to_string(code_); }
  bool equals(const Object& other) const override {
    auto* code = dynamic_cast<const Code*>(&other);
    return code && code->code_ == code_;
  }
  int hashCode() const override { return code_; }

 private:
  int code_;
};

TEST(Value, TextFormsFollowTheRuntime) {
  struct Case {
    Value value;
    const char* text;
  };
  const Case cases[] = {
      {Value(), "null"},
      {Value(true), "true"},
      {Value(false), "false"},
      {Value::ofChar(u'A'), "A"},
      {Value::ofChar(u'\u00e9'), "\xc3\xa9"},
      {Value::ofChar(char16_t{0xD800}), "\xef\xbf\xbd"},  // a lone surrogate is no valid UTF-8: U+FFFD
      {Value::ofByte(-128), "-128"},
      {Value::ofShort(-32768), "-32768"},
      {Value::ofInt(1), "1"},
      {Value::ofLong(-9223372036854775807LL - 1), "-9223372036854775808"},
      {Value::ofDouble(1.0), "1.0"},
      {Value::ofDouble(1e10), "1.0E10"},
      {Value::ofDouble(100.0), "100.0"},
      {Value::ofDouble(1e-4), "1.0E-4"},
      {Value::ofDouble(-0.0), "-0.0"},
      {Value::ofDouble(kNaN), "NaN"},
      {Value::ofFloat(1.1f), "1.1"},
      {Value::ofFloat(1e10f), "1.0E10"},
      {Value(Decimal("2.00")), "2.00"},
      {Value(Decimal("1E+3")), "1E+3"},
      {Value("text"), "text"},
      {Value(std::string()), ""},
      {Value(plat::time::Date(2000, 1, 1)), "2000-01-01"},
      {Value(plat::time::Time(9, 5, 0)), "09:05:00"},
      {Value(plat::time::Timestamp(2000, 1, 1, 0, 0, 0, 0)), "2000-01-01 00:00:00.0"},
      {Value(makeRef<Code>(7)), "Code 7"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.toString(), c.text) << c.value.getClassName();
}

TEST(Value, ByteArrayTextIsTheRuntimeIdentityForm) {
  std::string text = Value::ofBytes({1, 2}).toString();
  EXPECT_EQ(text.rfind("[B@", 0), 0u) << text;
  EXPECT_GT(text.size(), 3u);
}

TEST(Value, EqualityFollowsTheRuntime) {
  Value bytes = Value::ofBytes({1, 2, 3});
  Value sameBytesCopied = bytes;
  struct Case {
    const char* what;
    Value a;
    Value b;
    bool equal;
  };
  const Case cases[] = {
      {"Int 1 / Int 1", Value::ofInt(1), Value::ofInt(1), true},
      {"Int 1 / Long 1", Value::ofInt(1), Value::ofLong(1), false},
      {"Short 1 / Int 1", Value::ofShort(1), Value::ofInt(1), false},
      {"Byte 1 / Short 1", Value::ofByte(1), Value::ofShort(1), false},
      {"Float 1 / Double 1", Value::ofFloat(1), Value::ofDouble(1), false},
      {"Double NaN / NaN", Value::ofDouble(kNaN), Value::ofDouble(-kNaN), true},
      {"Float NaN / NaN", Value::ofFloat(std::nanf("")), Value::ofFloat(std::nanf("1")), true},
      {"Double 0.0 / -0.0", Value::ofDouble(0.0), Value::ofDouble(-0.0), false},
      {"Float 0.0 / -0.0", Value::ofFloat(0.0f), Value::ofFloat(-0.0f), false},
      {"Decimal 2.0 / 2.00", Value(Decimal("2.0")), Value(Decimal("2.00")), false},
      {"Decimal 2.0 / 2.0", Value(Decimal("2.0")), Value(Decimal("2.0")), true},
      {"Decimal 2 / Int 2", Value(Decimal("2")), Value::ofInt(2), false},
      {"String / same content", Value("abc"), Value(std::string("abc")), true},
      {"String / other", Value("abc"), Value("abd"), false},
      {"String 1 / Int 1", Value("1"), Value::ofInt(1), false},
      {"null / null", Value(), Value(nullptr), true},
      {"null / Int 0", Value(), Value::ofInt(0), false},
      {"null / empty String", Value(), Value(""), false},
      {"Boolean true / true", Value(true), Value(true), true},
      {"Char A / Int 65", Value::ofChar(u'A'), Value::ofInt(65), false},
      {"bytes / equal content", Value::ofBytes({1, 2, 3}), Value::ofBytes({1, 2, 3}), false},
      {"bytes / its copy", bytes, sameBytesCopied, true},
      {"Date / same day", Value(plat::time::Date(2000, 13, 1)), Value(plat::time::Date(2001, 1, 1)), true},
      {"Timestamp / other nanos", Value(plat::time::Timestamp(2000, 1, 1, 0, 0, 0, 1)),
       Value(plat::time::Timestamp(2000, 1, 1, 0, 0, 0, 2)), false},
      {"Date / Timestamp", Value(plat::time::Date(2000, 1, 1)), Value(plat::time::Timestamp(2000, 1, 1, 0, 0, 0)),
       false},
      {"Code 7 / Code 7", Value(makeRef<Code>(7)), Value(makeRef<Code>(7)), true},
      {"Code 7 / Code 8", Value(makeRef<Code>(7)), Value(makeRef<Code>(8)), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a.equals(c.b), c.equal) << c.what;
    EXPECT_EQ(c.b.equals(c.a), c.equal) << c.what << " (reversed)";
    if (c.equal) {
      EXPECT_EQ(c.a.hashCode(), c.b.hashCode()) << c.what;
    }
  }
}

TEST(Value, HashCodesAreTheRuntimeValues) {
  struct Case {
    Value value;
    int hash;
  };
  const Case cases[] = {
      {Value("hello"), 99162322},
      {Value("Hello, World"), -505841268},
      {Value("\xc3\xa9"), 233},              // one UTF-16 unit
      {Value("\xf0\x9f\x98\x80"), 1772899},  // a surrogate pair
      {Value(""), 0},
      {Value(true), 1231},
      {Value(false), 1237},
      {Value::ofInt(-5), -5},
      {Value::ofLong(1LL << 32), 1},
      {Value::ofDouble(1.0), 1072693248},
      {Value::ofFloat(1.5f), 1069547520},
      {Value::ofChar(u'A'), 65},
      {Value(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.hashCode(), c.hash) << c.value.toString();
}

TEST(Value, KindsAndClassNames) {
  struct Case {
    Value value;
    Kind kind;
    const char* className;
    bool number;
  };
  const Case cases[] = {
      {Value(), Kind::Null, "", false},
      {Value(true), Kind::Boolean, "java.lang.Boolean", false},
      {Value::ofChar(u'x'), Kind::Char, "java.lang.Character", false},
      {Value(u'x'), Kind::Char, "java.lang.Character", false},
      {Value::ofByte(1), Kind::Byte, "java.lang.Byte", true},
      {Value::ofShort(1), Kind::Short, "java.lang.Short", true},
      {Value(1), Kind::Int, "java.lang.Integer", true},
      {Value(1L), Kind::Long, "java.lang.Long", true},
      {Value(1LL), Kind::Long, "java.lang.Long", true},
      {Value(1.0f), Kind::Float, "java.lang.Float", true},
      {Value(1.0), Kind::Double, "java.lang.Double", true},
      {Value(Decimal("1")), Kind::Decimal, "java.math.BigDecimal", true},
      {Value("s"), Kind::String, "java.lang.String", false},
      {Value(static_cast<const char*>(nullptr)), Kind::Null, "", false},
      {Value::ofBytes({}), Kind::Bytes, "[B", false},
      {Value(plat::time::Date()), Kind::Date, "java.sql.Date", false},
      {Value(plat::time::Time()), Kind::Time, "java.sql.Time", false},
      {Value(plat::time::Timestamp()), Kind::Timestamp, "java.sql.Timestamp", false},
      {Value(plat::time::DateTime()), Kind::DateTime, "java.util.Date", false},
      {Value(makeRef<Code>(1)), Kind::Object, "test.Code", false},
      {Value(Ref<Code>()), Kind::Null, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.kind(), c.kind) << c.className;
    EXPECT_EQ(c.value.getClassName(), c.className);
    EXPECT_EQ(c.value.isNumber(), c.number) << c.className;
  }
}

TEST(Value, AStreamIsAStreamHoweverItIsPassed) {
  auto stream = makeRef<EmptyStream>();
  Ref<Object> asObject = stream;
  for (const Value& v : {Value(stream), Value(asObject), Value::ofObject(asObject)}) {
    EXPECT_EQ(v.kind(), Kind::Stream);
    EXPECT_EQ(v.getStream(), stream);
    EXPECT_EQ(v.getObject(), asObject);
  }
}

TEST(Value, WrongKindIsClassCastAndNullIsNullPointer) {
  try {
    Value::ofInt(1).getString();
    FAIL() << "no exception";
  } catch (const ClassCastException& e) {
    EXPECT_EQ(e.getMessage(), "java.lang.Integer cannot be cast to java.lang.String");
  }
  EXPECT_THROW(Value::ofLong(1).getInt(), ClassCastException);
  EXPECT_THROW(Value::ofShort(1).getInt(), ClassCastException);
  EXPECT_THROW(Value("x").getObject(), ClassCastException);
  EXPECT_THROW(Value("1").intValue(), ClassCastException);
  EXPECT_THROW(Value::ofChar(u'1').intValue(), ClassCastException);
  EXPECT_THROW(Value(true).doubleValue(), ClassCastException);
  EXPECT_THROW(Value().getInt(), NullPointerException);
  EXPECT_THROW(Value().getString(), NullPointerException);
  EXPECT_THROW(Value().longValue(), NullPointerException);
  EXPECT_EQ(Value().getObject(), nullptr);
  EXPECT_EQ(Value().getStream(), nullptr);
}

TEST(Value, IntegerConversionsNarrowAndSaturateAsTheRuntime) {
  struct Case {
    Value value;
    std::int64_t longValue;
    std::int32_t intValue;
    std::int16_t shortValue;
    std::int8_t byteValue;
  };
  const Case cases[] = {
      {Value::ofInt(300), 300, 300, 300, 44},
      {Value::ofInt(-129), -129, -129, -129, 127},
      {Value::ofLong((1LL << 32) + 5), (1LL << 32) + 5, 5, 5, 5},
      {Value::ofLong(70000), 70000, 70000, 4464, 112},
      {Value::ofDouble(-1.9), -1, -1, -1, -1},
      {Value::ofDouble(1e20), std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int32_t>::max(), -1,
       -1},
      {Value::ofDouble(-1e20), std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int32_t>::min(), 0,
       0},
      {Value::ofDouble(kNaN), 0, 0, 0, 0},
      {Value::ofFloat(3e9f), 3000000000LL, std::numeric_limits<std::int32_t>::max(), -1, -1},
      {Value(Decimal("12.7")), 12, 12, 12, 12},
      {Value(Decimal("-4294967297.5")), -4294967297LL, -1, -1, -1},
      {Value::ofShort(-2), -2, -2, -2, -2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.toString());
    EXPECT_EQ(c.value.longValue(), c.longValue);
    EXPECT_EQ(c.value.intValue(), c.intValue);
    EXPECT_EQ(c.value.shortValue(), c.shortValue);
    EXPECT_EQ(c.value.byteValue(), c.byteValue);
  }
}

TEST(Value, FloatingConversions) {
  EXPECT_EQ(Value::ofFloat(1.1f).doubleValue(), static_cast<double>(1.1f));
  EXPECT_EQ(Value::ofLong(1LL << 53).doubleValue(), 9007199254740992.0);
  EXPECT_EQ(Value(Decimal("0.1")).doubleValue(), 0.1);
  EXPECT_EQ(Value::ofDouble(0.1).floatValue(), 0.1f);
  // Beyond the float range: infinite, except within half an ulp of the largest float, which rounds down to it.
  EXPECT_EQ(Value::ofDouble(1e300).floatValue(), std::numeric_limits<float>::infinity());
  EXPECT_EQ(Value::ofDouble(-1e300).floatValue(), -std::numeric_limits<float>::infinity());
  double justAbove = std::nextafter(static_cast<double>(std::numeric_limits<float>::max()), 1e300);
  EXPECT_EQ(Value::ofDouble(justAbove).floatValue(), std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isnan(Value::ofDouble(kNaN).floatValue()));
}

TEST(Value, CopiesAreIndependentValuesButShareArrays) {
  Value original("abc");
  Value copy = original;
  original = Value::ofInt(2);
  EXPECT_EQ(copy.getString(), "abc");
  Value bytes = Value::ofBytes({9});
  Value bytesCopy = bytes;
  EXPECT_EQ(&bytes.getBytes(), &bytesCopy.getBytes());
  Value moved = std::move(bytesCopy);
  EXPECT_TRUE(moved.equals(bytes));
}

}  // namespace
}  // namespace plat::lang
