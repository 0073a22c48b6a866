#include "platform/runvale/MethodDescriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plat::runvale {
namespace {

using plat::lang::Object;
using plat::lang::Value;
using Kind = Value::Kind;

TEST(DescriptorText, SplitsNameAndParameterWords) {
  struct Case {
    const char* text;
    const char* name;
    std::vector<std::string> parameters;
  };
  const Case cases[] = {
      {"setValue(Value,Row,Col)", "setValue", {"Value", "Row", "Col"}},
      {"getData()", "getData", {}},
      {"setSourceValue(value)", "setSourceValue", {"value"}},
      {"getValue(Row, Col)", "getValue", {"Row", " Col"}},
      {"f(a,,b)", "f", {"a", "", "b"}},
      {"f(", "f", {}},
      {"plainName", "plainName", {}},
      {"", "", {}},
  };
  for (const auto& c : cases) {
    DescriptorText parsed = DescriptorText::parse(c.text);
    EXPECT_EQ(parsed.name, c.name) << c.text;
    EXPECT_EQ(parsed.parameters, c.parameters) << c.text;
  }
}

TEST(MethodDescriptor, PrintsItsSignature) {
  MethodDescriptor m{"setValue", {"java.lang.Object", "int", "int"}, "void", {}};
  EXPECT_EQ(m.toString(), "setValue(java.lang.Object,int,int)");
  EXPECT_EQ((MethodDescriptor{"getData", {}, "java.lang.Object", {}}).toString(), "getData()");
}

// Records the kinds its invoker received.
MethodDescriptor recorder(std::vector<std::string> types, std::vector<Kind>& seen) {
  return {"record", std::move(types), "void", [&seen](Object&, const std::vector<Value>& args) {
            seen.clear();
            for (const auto& a : args) seen.push_back(a.kind());
            return Value();
          }};
}

TEST(MethodDescriptor, ArgumentsAreUnboxedAndWidenedAsTheRuntimeDoes) {
  struct Case {
    const char* type;
    Value arg;
    bool fits;
    Kind received;
  };
  const Case cases[] = {
      {"int", Value::ofInt(5), true, Kind::Int},
      {"int", Value::ofShort(5), true, Kind::Int},
      {"int", Value::ofByte(5), true, Kind::Int},
      {"int", Value::ofChar(u'A'), true, Kind::Int},
      {"int", Value::ofLong(5), false, Kind::Null},
      {"int", Value(), false, Kind::Null},
      {"int", Value("5"), false, Kind::Null},
      {"long", Value::ofInt(5), true, Kind::Long},
      {"short", Value::ofChar(u'A'), false, Kind::Null},
      {"double", Value::ofFloat(1.5f), true, Kind::Double},
      {"float", Value::ofDouble(1.5), false, Kind::Null},
      {"boolean", Value(true), true, Kind::Boolean},
      {"boolean", Value::ofInt(1), false, Kind::Null},
      {"java.lang.String", Value("x"), true, Kind::String},
      {"java.lang.String", Value(), true, Kind::Null},
      {"java.lang.String", Value::ofInt(1), false, Kind::Null},
      {"java.lang.Integer", Value::ofShort(1), false, Kind::Null},
      {"java.lang.Object", Value::ofLong(1), true, Kind::Long},
      {"java.lang.Number", Value::ofDecimal(plat::math::Decimal("1.5")), true, Kind::Decimal},
      {"java.lang.Number", Value("1"), false, Kind::Null},
      {"java.util.Date", Value(plat::time::Timestamp()), true, Kind::Timestamp},
  };
  auto target = plat::lang::makeRef<Object>();
  for (const auto& c : cases) {
    std::vector<Kind> seen;
    MethodDescriptor m = recorder({c.type}, seen);
    if (c.fits) {
      m.invoke(*target, {c.arg});
      ASSERT_EQ(seen.size(), 1u) << c.type;
      EXPECT_EQ(seen[0], c.received) << c.type << " <- " << c.arg.getClassName();
    } else {
      EXPECT_THROW(m.invoke(*target, {c.arg}), plat::lang::IllegalArgumentException)
          << c.type << " <- " << c.arg.getClassName();
    }
  }
}

TEST(MethodDescriptor, WidenedValuesKeepTheirNumber) {
  Value received;
  MethodDescriptor m{"set", {"long"}, "void", [&received](Object&, const std::vector<Value>& args) {
                       received = args[0];
                       return Value();
                     }};
  auto target = plat::lang::makeRef<Object>();
  m.invoke(*target, {Value::ofInt(-7)});
  EXPECT_TRUE(received.equals(Value::ofLong(-7)));
}

TEST(MethodDescriptor, WrongArgumentCountIsIllegalArgument) {
  std::vector<Kind> seen;
  auto target = plat::lang::makeRef<Object>();
  EXPECT_THROW(recorder({"int", "int"}, seen).invoke(*target, {Value::ofInt(1)}), plat::lang::IllegalArgumentException);
  EXPECT_TRUE(seen.empty());
}

TEST(MethodDescriptor, ExceptionOfTheMethodComesBackAsInvocationTargetWithItsCause) {
  MethodDescriptor m{"fail", {}, "void", [](Object&, const std::vector<Value>&) -> Value {
                       throw plat::lang::IllegalStateException("inside");
                     }};
  auto target = plat::lang::makeRef<Object>();
  try {
    m.invoke(*target, {});
    FAIL() << "no exception";
  } catch (const InvocationTargetException& e) {
    ASSERT_NE(e.getCause(), nullptr);
    EXPECT_EQ(e.getCause()->toString(), "plat::lang::IllegalStateException: inside");
  }
}

TEST(MethodDescriptor, WithoutInvokerIsIllegalAccess) {
  MethodDescriptor m{"nothing", {}, "void", {}};
  auto target = plat::lang::makeRef<Object>();
  EXPECT_THROW(m.invoke(*target, {}), plat::lang::IllegalAccessException);
}

}  // namespace
}  // namespace plat::runvale
