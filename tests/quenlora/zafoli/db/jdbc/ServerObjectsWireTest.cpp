// The bytes the SQL server objects put on the wire, checked against the protocol tables without a network: typed
// column values of every kind, rows, result descriptions, warnings, and the reading of call arguments.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/math/Decimal.h"
#include "platform/sql/Types.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace {

using plat::lang::Value;
using plat::sql::Types;
using testkit::middleware::Arg;
using testkit::middleware::Bytes;
using testkit::middleware::ServerFailure;
using namespace testkit::middleware::sql;

struct FieldCase {
  const char* what;
  Value value;
  int sqlType;
  Bytes expected;  // after the header's type byte, length, id and type word
};

TEST(SqlWireField, EveryKindAsTheTablesGiveIt) {
  const std::vector<FieldCase> cases = {
      {"integer", Value::ofInt(7), Types::INTEGER, {82, 0, 4, 1, 0, 4, 0, 51, 0, 4, 0, 0, 0, 7}},
      {"null integer", Value::null(), Types::INTEGER, {82, 0, 4, 1, 0, 4, 1}},
      {"bigint",
       Value::ofLong(-2),
       Types::BIGINT,
       {78, 0, 4, 1, 0xFF, 0xFB, 0, 51, 0, 8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}},
      {"smallint", Value::ofInt(-1), Types::SMALLINT, {85, 0, 4, 1, 0, 5, 0, 51, 0, 2, 0xFF, 0xFF}},
      {"tinyint", Value::ofInt(300), Types::TINYINT, {86, 0, 4, 1, 0xFF, 0xFA, 0, 51, 0, 1, 44}},
      {"bit", Value::ofBoolean(true), Types::BIT, {87, 0, 4, 1, 0xFF, 0xF9, 0, 51, 0, 1, 1}},
      {"real", Value::ofFloat(1.0f), Types::REAL, {84, 0, 4, 1, 0, 7, 0, 51, 0, 4, 0x3F, 0x80, 0, 0}},
      {"double as text", Value::ofDouble(0.5), Types::DOUBLE, {80, 0, 4, 1, 0, 8, 0, 52, 0, 3, '0', '.', '5'}},
      {"decimal as text",
       Value(plat::math::Decimal("12.50")),
       Types::NUMERIC,
       {83, 0, 4, 1, 0, 2, 0, 52, 0, 5, '1', '2', '.', '5', '0'}},
      {"varchar raw", Value::ofString("ab"), Types::VARCHAR, {73, 0, 4, 1, 0, 12, 0, 0, 2, 'a', 'b'}},
      {"char raw", Value::ofString(""), Types::CHAR, {69, 0, 4, 1, 0, 1, 0, 0, 0}},
      {"latin-1 and beyond",
       Value::ofString("\xC3\xA9\xE2\x82\xAC"),
       Types::VARCHAR,
       {73, 0, 4, 1, 0, 12, 0, 0, 2, 0xE9, '?'}},
      {"varbinary", Value::ofBytes({1, 2}), Types::VARBINARY, {71, 0, 4, 1, 0xFF, 0xFD, 0, 51, 0, 2, 1, 2}},
      {"long text has no data", Value::ofString("long"), Types::LONGVARCHAR, {74, 0, 4, 1, 0xFF, 0xFF, 0}},
      {"long bytes null", Value::null(), Types::LONGVARBINARY, {72, 0, 4, 1, 0xFF, 0xFC, 1}},
      {"date raw", Value(plat::time::Date(2002, 7, 15)), Types::DATE, {75, 0, 4, 1, 0, 91, 0, 7, 210, 0, 7, 0, 15}},
      {"time raw", Value(plat::time::Time(23, 59, 58)), Types::TIME, {76, 0, 4, 1, 0, 92, 0, 0, 23, 0, 59, 0, 58}},
      {"timestamp with millis",
       Value(plat::time::Timestamp(1999, 12, 31, 23, 59, 59, 1500000)),
       Types::TIMESTAMP,
       {77, 0, 4, 1, 0, 93, 0, 7, 207, 0, 12, 0, 31, 0, 23, 0, 59, 0, 59, 0, 2}},
      {"timestamp rounding over midnight",
       Value(plat::time::Timestamp(1999, 12, 31, 23, 59, 59, 999600000)),
       Types::TIMESTAMP,
       {77, 0, 4, 1, 0, 93, 0, 7, 208, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"text in a number column goes as text",
       Value::ofString("x"),
       Types::INTEGER,
       {73, 0, 4, 1, 0, 12, 0, 0, 1, 'x'}},
      {"unknown type as text", Value::ofInt(5), Types::OTHER, {73, 0, 4, 1, 0, 12, 0, 0, 1, '5'}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SqlEncode::field(c.value, c.sqlType, 1).bytes, c.expected) << c.what;
  }
}

TEST(SqlWireField, ValuesTooLongForARowAreRefused) {
  EXPECT_THROW(SqlEncode::field(Value::ofString(std::string(kMaxInlineValue + 1, 'a')), Types::VARCHAR, 1),
               ServerFailure);
  EXPECT_THROW(SqlEncode::field(Value::ofBytes(Bytes(kMaxInlineValue + 1)), Types::VARBINARY, 1), ServerFailure);
  EXPECT_NO_THROW(SqlEncode::field(Value::ofString(std::string(kMaxInlineValue, 'a')), Types::VARCHAR, 1));
  EXPECT_THROW(SqlEncode::text(std::string(kMaxInlineValue + 1, 'a')), ServerFailure);
  EXPECT_EQ(SqlEncode::text(std::string(kMaxInlineValue, 'a')).bytes.size(), kMaxInlineValue + 3);
}

// What encode writes through a writer of its own after the bytes of before.
template <class F>
Bytes writtenAfter(Bytes before, F&& encode) {
  {
    ByteWriter w(before);
    encode(w);
  }
  return before;
}

// A row's common columns are encoded from what the typed getters give, without a Value: for every column type,
// the bytes are those of the Value that the getter's result makes, nulls and values that go as text included.
TEST(SqlWireField, GetterResultsEncodeAsTheirValues) {
  const std::vector<int> types = {Types::BIT,       Types::TINYINT, Types::SMALLINT,  Types::INTEGER,
                                  Types::BIGINT,    Types::REAL,    Types::FLOAT,     Types::DOUBLE,
                                  Types::NUMERIC,   Types::CHAR,    Types::VARCHAR,   Types::LONGVARCHAR,
                                  Types::VARBINARY, Types::DATE,    Types::TIMESTAMP, Types::OTHER};
  const std::vector<std::int64_t> wholes = {0, 1, -1, 300, -70000, INT32_MIN, INT32_MAX, INT64_MIN, INT64_MAX};
  const std::vector<double> doubles = {0.0, -0.0, 0.25, -1.5e-7, 123456.789, 1e15, 0.1 + 0.2};
  const std::vector<std::string> texts = {"",           "name 12",      "C0000001",
                                          "Zo\xC3\xA9", "\xE2\x82\xAC", std::string(40, 'a')};
  for (const int type : types) {
    SCOPED_TRACE("type " + std::to_string(type));
    Bytes out = writtenAfter({}, [&](ByteWriter& w) { SqlEncode::appendNullField(w, type, 3); });
    EXPECT_EQ(out, SqlEncode::field(Value::null(), type, 3).bytes);
    for (const std::int64_t v : wholes) {
      out = writtenAfter({}, [&](ByteWriter& w) { SqlEncode::appendWholeField(w, v, type, 3); });
      EXPECT_EQ(out, SqlEncode::field(Value::ofLong(v), type, 3).bytes) << v;
      if (v >= INT32_MIN && v <= INT32_MAX) {
        EXPECT_EQ(out, SqlEncode::field(Value::ofInt(static_cast<std::int32_t>(v)), type, 3).bytes) << v;
      }
    }
    for (const double v : doubles) {
      out = writtenAfter({}, [&](ByteWriter& w) { SqlEncode::appendDoubleField(w, v, type, 3); });
      EXPECT_EQ(out, SqlEncode::field(Value::ofDouble(v), type, 3).bytes) << v;
    }
    for (const std::string& v : texts) {
      out = writtenAfter({}, [&](ByteWriter& w) { SqlEncode::appendTextField(w, v, type, 3); });
      EXPECT_EQ(out, SqlEncode::field(Value::ofString(v), type, 3).bytes) << v;
    }
  }
  Bytes out;
  ByteWriter w(out);
  EXPECT_THROW(SqlEncode::appendTextField(w, std::string(kMaxInlineValue + 1, 'a'), Types::VARCHAR, 1), ServerFailure);
}

TEST(SqlWireRow, AWriterGivesTheBytesOfTheRowsValuesAppendedOneByOne) {
  const std::vector<std::pair<Value, int>> values = {
      {Value::ofInt(7), Types::INTEGER},
      {Value::ofString(std::string(300, 'x')), Types::VARCHAR},
      {Value::null(), Types::DOUBLE},
      {Value::ofDouble(0.25), Types::DOUBLE},
      {Value::ofBytes({1, 2, 3}), Types::VARBINARY},
      {Value(plat::time::Date(2002, 7, 15)), Types::DATE},
      {Value(plat::time::Time(13, 5, 9)), Types::TIME},
      {Value(plat::time::Timestamp(plat::time::Date(2002, 7, 15), plat::time::Time(13, 5, 9), 999600000)),
       Types::TIMESTAMP},
      {Value::ofString("Zo\xC3\xA9"), Types::CHAR},
  };
  const Bytes before{0xAA, 0xBB};  // what the buffer held: written after, never over
  // The same appended one by one, each through a writer of its own.
  Bytes expected = writtenAfter(
      before, [&](ByteWriter& w) { SqlEncode::appendRowHeader(w, 4, static_cast<int>(values.size() + 2)); });
  for (const auto& [value, type] : values) {
    expected = writtenAfter(expected, [&](ByteWriter& w) { SqlEncode::appendField(w, value, type, 2); });
  }
  expected = writtenAfter(expected, [](ByteWriter& w) { SqlEncode::appendWholeField(w, -9, Types::BIGINT, 3); });
  expected = writtenAfter(expected, [](ByteWriter& w) { SqlEncode::appendTextField(w, "name 1", Types::VARCHAR, 4); });

  // No room ahead, less than the first long value, and more than the row: each grows where it must and ends trimmed.
  for (const std::size_t ahead : {0, 16, 4096}) {
    Bytes out = before;
    {
      ByteWriter w(out, ahead);
      SqlEncode::appendRowHeader(w, 4, static_cast<int>(values.size() + 2));
      for (const auto& [value, type] : values) SqlEncode::appendField(w, value, type, 2);
      SqlEncode::appendWholeField(w, -9, Types::BIGINT, 3);
      SqlEncode::appendTextField(w, "name 1", Types::VARCHAR, 4);
    }
    EXPECT_EQ(out, expected) << "ahead " << ahead;
  }
}

TEST(SqlWireRow, RowEndMarkerEntityAndWarning) {
  const auto value = SqlEncode::field(Value::ofInt(1), Types::INTEGER, 1);
  Bytes row{59, 0, 7, 100, 0, 0, 0, 3, 0, 1};
  row.insert(row.end(), value.bytes.begin(), value.bytes.end());
  EXPECT_EQ(SqlEncode::row(3, {value}).bytes, row);
  EXPECT_EQ(SqlEncode::endRow().bytes, (Bytes{59, 0, 7, 105, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(SqlEncode::entity({}).bytes, (Bytes{64, 0, 2, 0, 0}));

  ColumnInfo c;
  c.name = c.label = "ID";
  c.sqlType = Types::INTEGER;
  c.displaySize = 11;
  const Bytes e = SqlEncode::entity({c}).bytes;
  // Entity header, count 1, a list holding one attribute whose body is a list of the 19 values.
  ASSERT_GT(e.size(), 12u);
  EXPECT_EQ(Bytes(e.begin(), e.begin() + 5), (Bytes{64, 0, 2, 0, 1}));
  EXPECT_EQ(Bytes(e.begin() + 5, e.begin() + 11), (Bytes{54, 0, 0, 62, 0, 0}));
  EXPECT_EQ(Bytes(e.end() - 6, e.end()), (Bytes{50, 0, 0, 50, 0, 0}));

  EXPECT_EQ(SqlEncode::warning("w", "01000", 5).bytes,
            (Bytes{88,  0,   0,   'W', 'R', 'N', '}', 52, 0, 1, 'w', 52, 0, 5, '0',
                   '1', '0', '0', '0', 51,  0,   4,   0,  0, 0, 5,   50, 0, 0}));
}

Arg typed(int type, Bytes data) {
  Arg a;
  a.kind = 57;
  a.type = type;
  a.values = {std::move(data)};
  return a;
}

Arg text(std::string t) {
  Arg a;
  a.kind = 58;
  a.type = 102;
  a.text = std::move(t);
  return a;
}

TEST(SqlWireArgs, ReadsEveryWidthAndKind) {
  const std::vector<Arg> args = {typed(101, {0xFF, 0xFF, 0xFF, 0xFE}),
                                 typed(100, {0x80, 0x00}),
                                 typed(103, {0, 0, 0, 1, 0, 0, 0, 0}),
                                 typed(104, {1}),
                                 typed(105, {0x3F, 0xC0, 0, 0}),
                                 typed(106, {0x40, 0x04, 0, 0, 0, 0, 0, 0}),
                                 text("\xE9t\xE9"),
                                 typed(108, {1, 2, 3})};
  const ArgReader r(args, "call");
  EXPECT_EQ(r.int32(0), -2);
  EXPECT_EQ(r.integer(1), -32768);
  EXPECT_EQ(r.integer(2), std::int64_t{1} << 32);
  EXPECT_TRUE(r.boolean(3));
  EXPECT_EQ(r.float32(4), 1.5f);
  EXPECT_EQ(r.float64(5), 2.5);
  EXPECT_EQ(r.text(6), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(r.bytes(7), (Bytes{1, 2, 3}));
  EXPECT_EQ(r.textsFrom(6).size(), 2u);
}

TEST(SqlWireArgs, MissingOrWrongArgumentsAreInvalidArgumentErrors) {
  const std::vector<Arg> args = {text("abc"), typed(101, {1, 2, 3})};
  const ArgReader r(args, "Statement.24");
  try {
    r.int32(5);
    FAIL() << "no failure";
  } catch (const ServerFailure& f) {
    EXPECT_EQ(f.category, kCategoryInvalidArg);
    EXPECT_NE(std::string(f.what()).find("Statement.24"), std::string::npos);
  }
  EXPECT_THROW(r.int32(0), ServerFailure);  // a text is no integer
  EXPECT_THROW(r.int32(1), ServerFailure);  // three bytes are no integer width
}

TEST(SqlWireText, EightBitBothWays) {
  EXPECT_EQ(toWireText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), "a\xE9??");
  EXPECT_EQ(toWireText("\xFF"), "?");  // a stray byte that is no UTF-8
  for (int c = 0; c < 256; ++c) {
    const std::string one(1, static_cast<char>(c));
    EXPECT_EQ(toWireText(fromWireText(one)), one) << c;
  }
}

}  // namespace
