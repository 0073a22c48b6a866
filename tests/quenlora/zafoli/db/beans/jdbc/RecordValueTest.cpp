// Values entering a row: conversion to the column's class by JDBC type (also run under de_DE, where numbers are
// written the German way), and the row's value operations.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/io/ByteArrayOutputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/RecordTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using Kind = Value::Kind;

bool german() {
  return plat::text::Locale::getDefault().getLanguage() == "de";
}

const std::vector<ColumnSpec> kAllTypes = {
    {"B", Types::BIT},
    {"TI", Types::TINYINT},
    {"SI", Types::SMALLINT},
    {"I", Types::INTEGER},
    {"BI", Types::BIGINT},
    {"F", Types::FLOAT},
    {"R", Types::REAL},
    {"D", Types::DOUBLE},
    {"N", Types::NUMERIC},
    {"DEC", Types::DECIMAL},
    {"C", Types::CHAR, false, 5},
    {"VC", Types::VARCHAR, false, 3},
    {"LVC", Types::LONGVARCHAR},
    {"BIN", Types::BINARY},
    {"DT", Types::DATE},
    {"TM", Types::TIME},
    {"TS", Types::TIMESTAMP},
    {"O", Types::OTHER},
    {"LVB", Types::LONGVARBINARY},
};

int col(const std::string& name) {
  for (std::size_t i = 0; i < kAllTypes.size(); ++i)
    if (kAllTypes[i].name == name) return static_cast<int>(i);
  return -1;
}

Ref<FixedRow> typedRow() {
  auto row = plat::lang::makeRef<FixedRow>("test.rows.Typed", makeModel("T", kAllTypes, false));
  row->initDataStorage();
  return row;
}

enum class Outcome { Converted, NumberFormat, Record };

struct ConversionCase {
  std::string column;
  Value in;        // as written in English
  Value inGerman;  // as written in German; null: the same as in
  Outcome outcome;
  Kind kind = Kind::Null;
  std::string text;  // the result's text form
};

TEST(JdbcConversions, ByColumnType) {
  const std::vector<ConversionCase> cases = {
      {"B", Value("TRUE"), {}, Outcome::Converted, Kind::Boolean, "true"},
      {"B", Value("yes"), {}, Outcome::Converted, Kind::Boolean, "false"},
      {"B", Value(1), {}, Outcome::Record, Kind::Null, ""},
      {"TI", Value("200"), {}, Outcome::Converted, Kind::Short, "200"},
      // A number from code that does not fit the column's class is refused, never wrapped; a fraction is cut.
      {"TI", Value(70000), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"SI", Value(-32769), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"SI", Value(32767.9), {}, Outcome::Converted, Kind::Short, "32767"},
      {"I", Value(3000000000LL), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"I", Value(std::nan("")), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"I", Value(plat::math::Decimal("2147483648.5")), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"I", Value(-2147483648.7), {}, Outcome::Converted, Kind::Int, "-2147483648"},
      {"BI", Value(-HUGE_VAL), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"BI", Value(9223372036854775807.0), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"TI", Value(true), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"SI", Value("-12"), {}, Outcome::Converted, Kind::Short, "-12"},
      {"SI", Value(true), {}, Outcome::Record, Kind::Null, ""},
      {"I", Value("1,234"), Value("1.234"), Outcome::Converted, Kind::Int, "1234"},
      {"I", Value(7LL), {}, Outcome::Converted, Kind::Int, "7"},
      {"I", Value("12abc"), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"BI", Value("9000000000"), {}, Outcome::Converted, Kind::Long, "9000000000"},
      {"F", Value("1.5"), Value("1,5"), Outcome::Converted, Kind::Double, "1.5"},
      {"F", Value::ofFloat(0.5f), {}, Outcome::Converted, Kind::Double, "0.5"},
      {"R", Value("0.1"), Value("0,1"), Outcome::Converted, Kind::Float, "0.1"},
      {"D", Value(3), {}, Outcome::Converted, Kind::Double, "3.0"},
      {"N", Value("12.34"), Value("12,34"), Outcome::Converted, Kind::Decimal, ""},  // the value is checked below
      {"DEC", Value(2.5), {}, Outcome::Converted, Kind::Decimal, "2.5"},
      {"DEC", Value("x"), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"C", Value("\xC3\xA4rger"), {}, Outcome::Converted, Kind::String, "\xC3\xA4rger"},  // 5 UTF-16 units
      // Three emoji are three characters (six UTF-16 units), as the databases count them.
      {"C", Value("\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"), {}, Outcome::Converted, Kind::String, ""},
      {"C", Value("abcdef"), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"VC", Value("abcd"), {}, Outcome::NumberFormat, Kind::Null, ""},
      {"VC", Value(5), {}, Outcome::Record, Kind::Null, ""},
      {"LVC", Value("any length at all"), {}, Outcome::Converted, Kind::String, "any length at all"},
      {"BIN", Value("ab"), {}, Outcome::Converted, Kind::Bytes, ""},
      {"DT", Value("2024-03-05"), {}, Outcome::Converted, Kind::Date, "2024-03-05"},
      {"DT", Value(plat::time::Timestamp::valueOf("2024-03-05 10:11:12")), {}, Outcome::Record, Kind::Null, ""},
      {"TM", Value("10:11:12"), {}, Outcome::Converted, Kind::Time, "10:11:12"},
      {"TS", Value("2024-03-05 10:11:12"), {}, Outcome::Converted, Kind::Timestamp, "2024-03-05 10:11:12.0"},
      {"O", Value(5), {}, Outcome::Converted, Kind::Int, "5"},
  };
  auto row = typedRow();
  for (const auto& c : cases) {
    const Value& in = german() && !c.inGerman.isNull() ? c.inGerman : c.in;
    const std::string label = c.column + " <- " + in.toString();
    try {
      Value out = row->getDBObject(in, col(c.column));
      EXPECT_EQ(c.outcome, Outcome::Converted) << label;
      EXPECT_EQ(out.kind(), c.kind) << label;
      if (!c.text.empty()) {
        EXPECT_EQ(out.toString(), c.text) << label;
      }
    } catch (const plat::lang::NumberFormatException&) {
      EXPECT_EQ(c.outcome, Outcome::NumberFormat) << label;
    } catch (const RecordDefinitionException& e) {
      EXPECT_EQ(c.outcome, Outcome::Record) << label;
      EXPECT_EQ(e.getMessage(),
                JdbcResourceLoader::text("BaseRecordDefinition_Unexpected") + "BaseRecordDefinition.getDBObject");
    }
  }
  EXPECT_TRUE(row->getDBObject(Value(), col("I")).isNull());
  // The German parser gives its decimals a scale of its own: the value, not the text, is what must match.
  const Value decimal = row->getDBObject(german() ? Value("12,34") : Value("12.34"), col("N"));
  EXPECT_EQ(decimal.getDecimal().compareTo(plat::math::Decimal("12.34")), 0) << decimal.toString();
}

TEST(JdbcConversions, TooWideTextNamesTheColumnAndItsWidth) {
  auto row = typedRow();
  try {
    row->getDBObject(Value("abcdef"), col("C"));
    FAIL();
  } catch (const plat::lang::NumberFormatException& e) {
    EXPECT_EQ(e.getMessage(), JdbcResourceLoader::text("BaseRecordDefinition_InvalidSize") + "11" +
                                  JdbcResourceLoader::text("BaseRecordDefinition_Is") + "5");
    if (!german()) {
      EXPECT_EQ(e.getMessage(), "The maximum width size for column 11 is: 5");
    }
  }
}

TEST(JdbcConversions, ARefusedNumberLeavesTheRowAsItWas) {
  auto row = typedRow();
  row->setValueAsObject(col("I"), Value(4));
  row->bringUpToDate();
  row->setValueAsObject(col("N"), Value(plat::math::Decimal("1.5")));
  ASSERT_TRUE(row->getMarkedAsModified());
  EXPECT_THROW(row->setValueAsObject(col("I"), Value("four")), plat::lang::NumberFormatException);
  EXPECT_EQ(row->getValueAsObject(col("I"), 1), Value(4));
  EXPECT_TRUE(row->getMarkedAsModified());
  // Setting the original value back clears the modification; the comparison is by text.
  row->setValueAsObject(col("N"), Value());
  EXPECT_FALSE(row->getMarkedAsModified());
  row->setValueAsObject(col("D"), Value("2"));
  EXPECT_EQ(row->getModifiedColumns(), std::vector<int>{col("D")});
  row->undoColumnChanges(col("D"));
  EXPECT_FALSE(row->isDirty());
}

// A read row holds its originals as its values until the first change: every change after that is measured
// against what was read, and saving or undoing brings the two together again.
TEST(JdbcRowValues, ARowReadKeepsWhatWasReadThroughItsChanges) {
  constexpr int kOriginal = BaseRecordDefinition::ORIGINAL_VALUE;
  constexpr int kModified = BaseRecordDefinition::MODIFIED_VALUE;
  const Value read(plat::math::Decimal("2.50"));
  auto row = typedRow();
  row->setValueAsObject(col("DEC"), read);
  row->bringUpToDate();
  auto same = typedRow();
  same->setValueAsObject(col("DEC"), read);
  same->bringUpToDate();

  struct Step {
    const char* what;
    void (*act)(FixedRow&);
    Value original;
    Value modified;
    bool dirty;
  };
  const Value other(plat::math::Decimal("7.25"));
  const std::vector<Step> steps = {
      {"read", [](FixedRow&) {}, read, read, false},
      {"changed", [](FixedRow& r) { r.setValueAsObject(col("DEC"), Value(plat::math::Decimal("7.25"))); }, read, other,
       true},
      {"set back", [](FixedRow& r) { r.setValueAsObject(col("DEC"), Value(plat::math::Decimal("2.50"))); }, read, read,
       false},
      {"cleared", [](FixedRow& r) { r.setValueAsObject(col("DEC"), Value()); }, read, Value(), true},
      {"undone", [](FixedRow& r) { r.undoChanges(); }, read, read, false},
      {"changed again", [](FixedRow& r) { r.setValueAsObject(col("DEC"), Value(plat::math::Decimal("7.25"))); }, read,
       other, true},
      {"column undone", [](FixedRow& r) { r.undoColumnChanges(col("DEC")); }, read, read, false},
      {"changed and saved",
       [](FixedRow& r) {
         r.setValueAsObject(col("DEC"), Value(plat::math::Decimal("7.25")));
         r.resetState();
       },
       other, other, false},
      {"emptied", [](FixedRow& r) { r.initDataStorage(); }, Value(), Value(), false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act(*row);
    EXPECT_EQ(row->getValueAsObject(col("DEC"), kOriginal), step.original);
    EXPECT_EQ(row->getValueAsObject(col("DEC"), kModified), step.modified);
    EXPECT_EQ(row->isDirty(), step.dirty);
    EXPECT_EQ(row->getModifiedColumns().empty(), !step.dirty);
    EXPECT_EQ(row->toHashtable().at("DEC"), step.original.isNull() ? Value(std::string()) : step.original);
    // Rows are equal by their values, however each holds its originals.
    EXPECT_EQ(row->equals(*same), step.original == read && step.modified == read);
  }
}

TEST(JdbcRowValues, NamesBuffersAndKinds) {
  auto row = typedRow();
  EXPECT_EQ(row->getColumnIndex("TI"), 1);
  EXPECT_EQ(row->getColumnIndex("[TI]"), 1);
  EXPECT_EQ(row->getColumnIndex("[TI"), -1);
  EXPECT_EQ(row->getColumnIndex("nothing"), -1);
  EXPECT_EQ(row->getDataName(",").substr(0, 9), "T@B,TI,SI");
  EXPECT_THROW(row->getValueAsObject(0, 2), RecordDefinitionException);
  EXPECT_THROW(row->getObjectFromResultSet(*plat::lang::makeRef<plat::sql::ResultSet>(), 0),
               plat::lang::IllegalArgumentException);

  // A long binary value read from a result is held as a buffer and handed out as a stream over its bytes.
  auto buffer = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  buffer->write(reinterpret_cast<const std::uint8_t*>("xyz"), 3);
  row->setValueAsObject(col("LVB"), Value::ofObject(buffer));
  Value out = row->getValueAsObject(col("LVB"), 1);
  ASSERT_EQ(out.kind(), Kind::Stream);
  EXPECT_EQ(out.getStream()->read(), 'x');
  EXPECT_EQ(row->getValueAsString(col("I"), 1), "");
  EXPECT_EQ(row->toHashtable().at("I"), Value(std::string()));
}

TEST(JdbcRowValues, QueryByExampleEntries) {
  auto row = typedRow();
  row->setMarkedAsQBE(true);
  row->setValueAsQBE(col("I"), Value("> 5"), true);
  row->setValueAsQBE(col("VC"), Value("abc"), false);
  std::vector<std::string> entries;
  row->getQBEObjectValues(entries);
  EXPECT_EQ(entries, (std::vector<std::string>{"I:4:> 5", "VC:12:abc"}));
  EXPECT_NO_THROW(row->checkQBEValues());
  EXPECT_THROW(row->setValueAsQBE(col("I"), Value("> > >"), true), plat::lang::NumberFormatException);
  EXPECT_EQ(row->getValueAsObject(col("I"), 1), Value("> 5"));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
