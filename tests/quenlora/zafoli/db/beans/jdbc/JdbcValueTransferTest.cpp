// The typed transfer below the rows: which driver setter a value reaches and the text fallbacks, typed reads
// with their fallbacks and chunked streams, and the row enumeration's ends.
#include <gtest/gtest.h>

#include <cmath>

#include <set>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/sql/SQLException.h"
#include "platform/util/NoSuchElementException.h"
#include "quenlora/zafoli/db/beans/jdbc/PreparedStatementHelper.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetEnumeration.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetHelper.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/RecordTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;
using plat::sql::Types;

// A statement that records each setter as "name:value" and refuses the setters it is told to.
class RecordingStatement : public plat::sql::PreparedStatement {
 public:
  std::vector<std::string> calls;
  std::set<std::string> refused;

  void setNull(int, int type) override { note("setNull", std::to_string(type)); }
  void setBoolean(int, bool v) override { note("setBoolean", v ? "true" : "false"); }
  void setByte(int, std::int8_t v) override { note("setByte", std::to_string(v)); }
  void setShort(int, std::int16_t v) override { note("setShort", std::to_string(v)); }
  void setInt(int, std::int32_t v) override { note("setInt", std::to_string(v)); }
  void setLong(int, std::int64_t v) override { note("setLong", std::to_string(v)); }
  void setFloat(int, float v) override { note("setFloat", Value(v).toString()); }
  void setDouble(int, double v) override { note("setDouble", Value(v).toString()); }
  void setBigDecimal(int, const plat::math::Decimal& v) override { note("setBigDecimal", v.toString()); }
  void setString(int, const std::string& v) override { note("setString", v); }
  void setBytes(int, const std::vector<std::uint8_t>& v) override { note("setBytes", std::to_string(v.size())); }
  void setDate(int, const plat::time::Date& v) override { note("setDate", Value(v).toString()); }
  void setTime(int, const plat::time::Time& v) override { note("setTime", Value(v).toString()); }
  void setTimestamp(int, const plat::time::Timestamp& v) override { note("setTimestamp", Value(v).toString()); }
  void setAsciiStream(int, const Ref<plat::io::InputStream>&, int length) override {
    note("setAsciiStream", std::to_string(length));
  }
  void setBinaryStream(int, const Ref<plat::io::InputStream>&, int length) override {
    note("setBinaryStream", std::to_string(length));
  }
  void setObject(int, const Value& v, int type) override {
    note("setObject", v.toString() + "/" + std::to_string(type));
  }
  void setObject(int, const Value& v) override { note("setObject", v.toString()); }

 private:
  void note(const std::string& name, const std::string& value) {
    if (refused.count(name)) throw SQLException(name + " refused");
    calls.push_back(name + ":" + value);
  }
};

struct BindCase {
  int type;
  Value value;
  std::set<std::string> refused;
  std::string expected;  // the one call that reached the driver
};

TEST(JdbcBinding, SetterByTypeWithTextFallback) {
  const std::vector<BindCase> cases = {
      {Types::BIT, Value("True"), {}, "setBoolean:true"},
      {Types::TINYINT, Value(200), {}, "setShort:200"},
      {Types::SMALLINT, Value("12"), {}, "setShort:12"},
      // A number that does not fit the type is refused before the driver sees it; a fraction is cut.
      {Types::INTEGER, Value(5000000000LL), {}, "refused"},
      {Types::SMALLINT, Value(70000), {}, "refused"},
      {Types::BIGINT, Value(std::nan("")), {}, "refused"},
      {Types::INTEGER, Value(-2.9), {}, "setInt:-2"},
      {Types::INTEGER, Value(7), {"setInt"}, "setString:7"},
      {Types::BIGINT, Value(1.9), {}, "setLong:1"},
      {Types::REAL, Value(0.5), {}, "setFloat:0.5"},
      {Types::FLOAT, Value(0.1), {}, "setDouble:0.1"},
      {Types::DOUBLE, Value::ofFloat(1.5f), {}, "setDouble:1.5"},
      {Types::DECIMAL, Value(plat::math::Decimal("1.2345")), {}, "setBigDecimal:1.2345"},
      {Types::NUMERIC, Value(2.5), {}, "setBigDecimal:2.5"},
      {Types::NUMERIC, Value(plat::math::Decimal("9.99")), {"setBigDecimal"}, "setString:9.99"},
      {Types::VARCHAR, Value("x"), {}, "setString:x"},
      {Types::CHAR, Value(3), {}, "setObject:3/1"},
      {Types::LONGVARCHAR, Value("abc"), {}, "setAsciiStream:3"},
      {Types::LONGVARCHAR, Value("abc"), {"setAsciiStream"}, "setString:abc"},
      {Types::DATE, Value("2024-03-05"), {}, "setDate:2024-03-05"},
      {Types::TIMESTAMP, Value(plat::time::Date::valueOf("2024-03-05")), {}, "setTimestamp:2024-03-05 00:00:00.0"},
      {Types::VARBINARY, Value("ab"), {}, "setBytes:2"},
      {Types::LONGVARBINARY, Value::ofBytes({1, 2, 3, 4}), {}, "setBinaryStream:4"},
      {Types::INTEGER, Value(), {}, "setNull:4"},
      {Types::NULL_TYPE, Value(1), {}, "setNull:0"},
      {Types::OTHER, Value(1), {}, "setObject:1"},
  };
  for (const auto& c : cases) {
    RecordingStatement statement;
    statement.refused = c.refused;
    try {
      PreparedStatementHelper::setInParameter(statement, 1, c.type, c.value);
    } catch (const SQLException&) {
      statement.calls.push_back("refused");
    }
    EXPECT_EQ(statement.calls, std::vector<std::string>{c.expected}) << c.type << " " << c.value.toString();
  }
}

TEST(JdbcBinding, ADecimalIsNeverRescaledAndBadTextIsAnSqlFailure) {
  RecordingStatement statement;
  PreparedStatementHelper::setInParameter(statement, 1, Types::DECIMAL, Value(plat::math::Decimal("1.23456")), 2);
  EXPECT_EQ(statement.calls, std::vector<std::string>{"setBigDecimal:1.23456"});
  EXPECT_THROW(PreparedStatementHelper::setInParameter(statement, 1, Types::INTEGER, Value("seven")), SQLException);
  EXPECT_THROW(PreparedStatementHelper::setInParameter(statement, 1, Types::DATE, Value("no date")), SQLException);
}

// A one-row result whose columns hold text; typed reads of the columns listed in failing are refused.
class TextResult : public plat::sql::ResultSet {
 public:
  TextResult(std::vector<std::optional<std::string>> cells, std::string className = "test.Result")
      : cells_(std::move(cells)), className_(std::move(className)) {}
  std::set<int> failing;
  std::set<int> unreadable;  // every read fails
  int rows = 1;
  bool failNext = false;

  bool next() override {
    if (failNext) throw SQLException("statement closed");
    return rows-- > 0;
  }
  void close() override { closed = true; }
  bool isClosed() const override { return closed; }
  bool wasNull() override { return wasNull_; }
  std::string getString(int c) override { return cell(c, false); }
  std::int16_t getShort(int c) override { return static_cast<std::int16_t>(std::stoi(cell(c, true))); }
  std::int32_t getInt(int c) override { return std::stoi(cell(c, true)); }
  double getDouble(int c) override { return std::stod(cell(c, true)); }
  float getFloat(int c) override { return std::stof(cell(c, true)); }
  plat::math::Decimal getBigDecimal(int c, int scale) override {
    plat::math::Decimal d(cell(c, true));
    return scale >= 0 ? d.setScale(scale, plat::math::RoundingMode::HALF_UP) : d;
  }
  Value getObject(int c) override {
    std::string text = cell(c, false);
    return wasNull_ ? Value() : Value(text);
  }
  InputStreamRef getAsciiStream(int c) override {
    std::string text = cell(c, false);
    asciiStreamUsed = true;
    return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  InputStreamRef getBinaryStream(int c) override {
    std::string text = cell(c, false);
    return plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  Ref<plat::sql::ResultSetMetaData> getMetaData() override { throw SQLException("no metadata"); }
  std::string getClassName() const override { return className_; }

  bool closed = false;
  bool asciiStreamUsed = false;

 private:
  std::string cell(int c, bool typed) {
    if (unreadable.count(c) || (typed && failing.count(c))) throw SQLException("cannot read " + std::to_string(c));
    const auto& v = cells_.at(static_cast<std::size_t>(c - 1));
    wasNull_ = !v.has_value();
    // SQL NULL reads as the type's empty value.
    return v.value_or(typed ? "0" : "");
  }
  std::vector<std::optional<std::string>> cells_;
  std::string className_;
  bool wasNull_ = false;
};

TEST(JdbcReading, TypedReadsFallBackToText) {
  TextResult rs({"200", "0.1", "12.5", "7", "12.5"});
  rs.failing = {1, 2, 3};
  EXPECT_EQ(ResultSetHelper::getObject(rs, 1, Types::TINYINT), Value::ofShort(200));
  EXPECT_EQ(ResultSetHelper::getObject(rs, 2, Types::FLOAT), Value(0.1));
  // Without a declared scale the digits stay as stored.
  EXPECT_EQ(ResultSetHelper::getObject(rs, 3, Types::DECIMAL).toString(), "12.5");
  EXPECT_EQ(ResultSetHelper::getObject(rs, 4, Types::INTEGER), Value(7));
  EXPECT_EQ(ResultSetHelper::getObject(rs, 5, Types::REAL), Value::ofFloat(12.5f));
  EXPECT_THROW(ResultSetHelper::getObject(rs, 0, Types::INTEGER), plat::lang::IllegalArgumentException);
}

TEST(JdbcReading, LongValuesComeInChunksAndTheProxyUsesItsAsciiStream) {
  const std::string longText(3 * 4096 + 17, 'z');
  TextResult plain({longText});
  EXPECT_EQ(ResultSetHelper::getLongVarChar(plain, 1), Value(longText));
  EXPECT_FALSE(plain.asciiStreamUsed);
  TextResult proxy({longText}, ResultSetHelper::kProxyResultSet);
  EXPECT_EQ(ResultSetHelper::getLongVarChar(proxy, 1), Value(longText));
  EXPECT_TRUE(proxy.asciiStreamUsed);
  Value buffer = ResultSetHelper::getObject(plain, 1, Types::LONGVARBINARY);
  auto bytes = std::dynamic_pointer_cast<plat::io::ByteArrayOutputStream>(buffer.getObject());
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), longText.size());
}

Ref<FixedRow> rowClass() {
  return plat::lang::makeRef<FixedRow>(
      "test.rows.Enumerated",
      makeModel("T", {{"ID", Types::INTEGER, true}, {"N", Types::INTEGER}, {"S", Types::VARCHAR}}, false));
}

TEST(JdbcEnumeration, AnUnreadableColumnIsLeftOutOfTheWhereClause) {
  auto result = plat::lang::makeRef<TextResult>(std::vector<std::optional<std::string>>{"1", std::nullopt, "s"});
  result->unreadable = {3};
  auto made = rowClass();
  ResultSetEnumeration rows(
      result, nullptr, [made] { return made->newRow(); }, "T");
  ASSERT_TRUE(rows.hasMoreElements());
  auto row = std::dynamic_pointer_cast<FixedRow>(rows.nextElement());
  EXPECT_EQ(row->getValueAsObject(0, 0), Value(1));
  EXPECT_TRUE(row->getValueAsObject(1, 0).isNull());  // SQL NULL is none, not 0
  EXPECT_TRUE(row->getValueAsObject(2, 0).isNull());
  EXPECT_FALSE(row->isDirty());
  row->setValueAsObject(1, Value(5));
  // Every usable column is compared; the unreadable one is skipped.
  auto model = std::dynamic_pointer_cast<DataModel>(row->getDataModel());
  EXPECT_EQ(model->getColumnMetaData(2)->getColumnState(), ColumnMetaData::INVALID_STATE);
  EXPECT_EQ(row->makeUpdateSQLString(), "UPDATE T SET N = ? WHERE ID = ? AND N IS NULL \n");
  EXPECT_FALSE(rows.hasMoreElements());
  EXPECT_TRUE(result->closed);
  EXPECT_THROW(rows.nextElement(), plat::util::NoSuchElementException);
}

TEST(JdbcEnumeration, AnSqlFailureEndsTheRows) {
  auto result = plat::lang::makeRef<TextResult>(std::vector<std::optional<std::string>>{"1", "2", "s"});
  result->failNext = true;
  auto made = rowClass();
  ResultSetEnumeration rows(
      result, nullptr, [made] { return made->newRow(); }, "T");
  EXPECT_FALSE(rows.hasMoreElements());
  EXPECT_TRUE(result->closed);
  EXPECT_THROW(rows.nextElement(), plat::util::NoSuchElementException);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
