// The statement proxies against scripted server objects: method numbering, the current result set, every
// setter's wire form, setObject by kind and by type code, stream parameters and out-parameters.
#include <gtest/gtest.h>

#include "JdbcTestSupport.h"
#include "platform/io/ByteArrayInputStream.h"
#include "platform/sql/CallableStatement.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/CallableStatement.h"
#include "quenlora/zafoli/db/jdbc/PreparedStatement.h"
#include "quenlora/zafoli/db/jdbc/Statement.h"

namespace {

using jdbctest::Arg;
using jdbctest::Bytes;
using jdbctest::Call;
using jdbctest::Encoded;
using jdbctest::MwEncode;
using jdbctest::ScriptedObject;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using plat::lang::Value;
using plat::sql::Types;

Bytes be32(std::int32_t v) {
  return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v)};
}

class StatementTest : public ::testing::Test {
 protected:
  StatementTest() : conn_(s_.connect()) {
    auto st = s_.addObject();
    stId_ = st.first;
    st_ = st.second;
    for (int m : {0, 1, 2}) s_.connection().on(m, {MwEncode::dataInt(stId_)});
  }

  // The calls the statement object received since the last clear.
  std::vector<Call> calls() { return s_.calls(stId_); }
  Call last() {
    auto c = calls();
    if (c.empty()) throw std::runtime_error("no call");
    return c.back();
  }
  // A result set object and the reply that introduces it.
  std::int32_t scriptResult(int method) {
    auto rs = s_.addObject();
    st_->on(method, jdbctest::queryReply(rs.first, jdbctest::columnsOfSizes({10})));
    return rs.first;
  }

  ScriptedServer s_;
  plat::lang::Ref<plat::sql::Connection> conn_;
  std::int32_t stId_ = 0;
  std::shared_ptr<ScriptedObject> st_;
};

TEST_F(StatementTest, NumbersOfMethodsPerClass) {
  using quenlora::zafoli::db::jdbc::CallableStatement;
  using quenlora::zafoli::db::jdbc::PreparedStatement;
  using quenlora::zafoli::db::jdbc::Statement;
  EXPECT_EQ(Statement::kNumberOfMethods, 18);
  EXPECT_EQ(PreparedStatement::kNumberOfMethods, 40);
  EXPECT_EQ(CallableStatement::kNumberOfMethods, 57);
  EXPECT_EQ(PreparedStatement::METHOD_setInt, 24);
  EXPECT_EQ(PreparedStatement::METHOD_getStream, 39);
  EXPECT_EQ(CallableStatement::METHOD_registerOutParameter, 40);
  EXPECT_EQ(CallableStatement::METHOD_getObject, 56);
}

TEST_F(StatementTest, PlainOperationsSendTheirNumbers) {
  auto st = conn_->createStatement();
  st_->on(1, {MwEncode::dataInt(3)});
  st_->on(3, {MwEncode::dataInt(100)});
  st_->on(5, {MwEncode::dataInt(7)});
  st_->on(8, {MwEncode::dataInt(30)});
  st_->on(13, {SqlEncode::boolean(false)});
  st_->on(15, {MwEncode::dataInt(-1)});
  st_->on(16, {SqlEncode::boolean(false)});
  s_.clear();
  EXPECT_EQ(st->executeUpdate("update t set a = 1"), 3);
  EXPECT_EQ(st->getMaxFieldSize(), 100);
  st->setMaxFieldSize(200);
  EXPECT_EQ(st->getMaxRows(), 7);
  st->setMaxRows(8);
  st->setEscapeProcessing(true);
  EXPECT_EQ(st->getQueryTimeout(), 30);
  st->setQueryTimeout(5);
  st->cancel();
  EXPECT_EQ(st->getWarnings(), nullptr);
  st->clearWarnings();
  EXPECT_FALSE(st->execute("delete from t"));
  EXPECT_EQ(st->getUpdateCount(), -1);
  EXPECT_FALSE(st->getMoreResults());
  st->setCursorName("c1");
  std::vector<int> methods;
  for (const auto& c : calls()) methods.push_back(c.method);
  EXPECT_EQ(methods, (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17}));
  EXPECT_EQ(calls()[0].args[0].text, "update t set a = 1");
  EXPECT_EQ(calls()[7].args[0].asInt(), 5);
}

TEST_F(StatementTest, OneCurrentResultSetAtATime) {
  auto st = conn_->createStatement();
  const std::int32_t rs1 = scriptResult(0);
  auto first = st->executeQuery("select a from t");
  ASSERT_NE(first, nullptr);
  s_.clear();
  // getResultSet answers the current one without a call.
  EXPECT_EQ(st->getResultSet(), first);
  EXPECT_TRUE(calls().empty());

  const std::int32_t rs2 = scriptResult(0);
  auto second = st->executeQuery("select b from t");
  EXPECT_NE(second, first);
  // The previous result set was closed on the server before the new query.
  EXPECT_EQ(s_.methods(rs1), std::vector<int>{2});
  EXPECT_THROW(first->next(), plat::sql::SQLException);

  st_->on(1, {MwEncode::dataInt(0)});
  st->executeUpdate("delete from t");
  EXPECT_EQ(s_.methods(rs2), std::vector<int>{2});

  // With none current, getResultSet asks the server (method 14); an empty answer is no result set.
  st_->on(14, std::vector<Encoded>{});
  EXPECT_EQ(st->getResultSet(), nullptr);
  scriptResult(14);
  s_.clear();
  EXPECT_NE(st->getResultSet(), nullptr);
  EXPECT_EQ(s_.methods(stId_), std::vector<int>{14});
}

TEST_F(StatementTest, CloseDropsTheResultSetAndDisables) {
  auto st = conn_->createStatement();
  const std::int32_t rs = scriptResult(0);
  auto r = st->executeQuery("select");
  s_.clear();
  st->close();
  EXPECT_EQ(s_.methods(rs), std::vector<int>{2});
  EXPECT_EQ(s_.methods(stId_), std::vector<int>{2});
  st->close();
  EXPECT_EQ(s_.methods(stId_), std::vector<int>{2});
  try {
    st->getMaxRows();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error: Remote Object closed");
  }
}

TEST_F(StatementTest, CloseIsBestEffort) {
  auto st = conn_->createStatement();
  auto [rsId, rsObject] = s_.addObject();
  rsObject->on(2, [](const std::vector<Arg>&) -> std::vector<Encoded> {
    throw testkit::middleware::ServerFailure(3, 17, "result set close failed");
  });
  st_->on(0, jdbctest::queryReply(rsId, jdbctest::columnsOfSizes({10})));
  auto rs = st->executeQuery("select");
  s_.clear();
  try {
    st->close();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "result set close failed");
  }
  // The statement's own close still went out, and both are closed for good.
  EXPECT_EQ(s_.methods(stId_), std::vector<int>{2});
  EXPECT_THROW(rs->next(), plat::sql::SQLException);
  EXPECT_THROW(st->getMaxRows(), plat::sql::SQLException);
  s_.clear();
  st->close();
  rs->close();
  EXPECT_TRUE(s_.server().commands().empty());
}

TEST_F(StatementTest, PreparedSettersWireForms) {
  auto ps = conn_->prepareStatement("insert into t values (?)");
  s_.clear();
  struct Case {
    std::function<void()> set;
    int method;
    std::vector<int> types;  // argument type codes after the index; 102 for a text argument
    std::vector<Bytes> data;
  };
  const std::vector<Case> cases = {
      {[&] { ps->setNull(1, Types::INTEGER); }, 20, {101}, {be32(4)}},
      {[&] { ps->setBoolean(1, true); }, 21, {104}, {{1}}},
      {[&] { ps->setByte(1, -2); }, 22, {100}, {{0xFF, 0xFE}}},
      {[&] { ps->setShort(1, 258); }, 23, {100}, {{1, 2}}},
      {[&] { ps->setInt(2, 7); }, 24, {101}, {be32(7)}},
      {[&] { ps->setLong(1, 0x0102030405060708LL); }, 25, {103}, {{1, 2, 3, 4, 5, 6, 7, 8}}},
      {[&] { ps->setFloat(1, 1.0f); }, 26, {105}, {{0x3F, 0x80, 0, 0}}},
      {[&] { ps->setDouble(1, 2.0); }, 27, {106}, {{0x40, 0, 0, 0, 0, 0, 0, 0}}},
      {[&] {
         ps->setBytes(1, {9, 8, 7});
       },
       30,
       {108, 101},
       {{9, 8, 7}, be32(3)}},
      {[&] { ps->setDate(1, plat::time::Date(2002, 7, 15)); }, 31, {101, 101, 101}, {be32(2002), be32(7), be32(15)}},
      {[&] { ps->setTime(1, plat::time::Time(13, 5, 9)); }, 32, {101, 101, 101}, {be32(13), be32(5), be32(9)}},
      {[&] { ps->setTimestamp(1, plat::time::Timestamp(2002, 12, 31, 23, 59, 59, 999600000)); },
       33,
       {101, 101, 101, 101, 101, 101, 101},
       {be32(2003), be32(1), be32(1), be32(0), be32(0), be32(0), be32(0)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    c.set();
    const Call call = last();
    EXPECT_EQ(call.method, c.method);
    ASSERT_EQ(call.args.size(), c.types.size() + 1);
    EXPECT_EQ(call.args[0].type, 101);
    EXPECT_EQ(call.args[0].id, 0);
    for (std::size_t i = 0; i < c.types.size(); ++i) {
      EXPECT_EQ(call.args[i + 1].type, c.types[i]) << i;
      EXPECT_EQ(call.args[i + 1].id, 0);
      ASSERT_EQ(call.args[i + 1].values.size(), 1u);
      EXPECT_EQ(call.args[i + 1].values[0], c.data[i]) << i;
    }
  }
  EXPECT_EQ(calls()[4].args[0].asInt(), 2);
}

TEST_F(StatementTest, PreparedTextSettersAndArgumentlessCalls) {
  auto ps = conn_->prepareStatement("x");
  st_->on(19, {MwEncode::dataInt(1)});
  st_->on(38, {SqlEncode::boolean(true)});
  s_.clear();
  ps->setString(3, "hello");
  ps->setBigDecimal(1, plat::math::Decimal("-12.50"));
  ps->clearParameters();
  EXPECT_EQ(ps->executeUpdate(), 1);
  EXPECT_TRUE(ps->execute());
  const auto c = calls();
  ASSERT_EQ(c.size(), 5u);
  EXPECT_EQ(c[0].method, 29);
  EXPECT_EQ(c[0].args[0].asInt(), 3);
  EXPECT_EQ(c[0].args[1].kind, 58);
  EXPECT_EQ(c[0].args[1].text, "hello");
  EXPECT_EQ(c[1].method, 28);
  EXPECT_EQ(c[1].args[1].text, "-12.50");
  for (std::size_t i = 2; i < 5; ++i) EXPECT_TRUE(c[i].args.empty()) << c[i].method;
  EXPECT_EQ(c[2].method, 34);
  EXPECT_EQ(c[3].method, 19);
  EXPECT_EQ(c[4].method, 38);
  // The plain forms keep the plain numbers on a prepared statement.
  st_->on(1, {MwEncode::dataInt(4)});
  EXPECT_EQ(ps->executeUpdate("delete from t"), 4);
  EXPECT_EQ(last().method, 1);
}

TEST_F(StatementTest, PreparedQueryWithEmptyReplyGivesNoResultSet) {
  auto ps = conn_->prepareStatement("select");
  const std::int32_t rs = scriptResult(18);
  auto first = ps->executeQuery();
  ASSERT_NE(first, nullptr);
  st_->on(18, std::vector<Encoded>{});
  EXPECT_EQ(ps->executeQuery(), nullptr);
  EXPECT_EQ(s_.methods(rs), std::vector<int>{2});
}

TEST_F(StatementTest, SetObjectByKindAndByType) {
  auto ps = conn_->prepareStatement("x");
  s_.clear();
  const std::vector<std::pair<Value, int>> byKind = {
      {Value::ofLong(5), 25},
      {Value::ofInt(5), 24},
      {Value(std::string("t")), 29},
      {Value(true), 21},
      {Value::ofFloat(1.5f), 26},
      {Value::ofDouble(1.5), 27},
      {Value(plat::math::Decimal("3.25")), 28},
      {Value(plat::time::Date(2002, 7, 15)), 31},
      {Value(plat::time::Time(1, 2, 3)), 32},
      {Value(plat::time::Timestamp(2002, 7, 15, 1, 2, 3)), 33},
      {Value::ofBytes({1}), 30},
  };
  for (const auto& [value, method] : byKind) {
    SCOPED_TRACE(value.toString());
    ps->setObject(1, value);
    EXPECT_EQ(last().method, method);
  }
  // By type code, narrowing where the setter takes a smaller value.
  ps->setObject(2, Value::ofInt(300), Types::SMALLINT);
  EXPECT_EQ(last().method, 23);
  EXPECT_EQ(last().args[1].values[0], (Bytes{0x01, 0x2C}));
  ps->setObject(2, Value::ofBytes({0x80, 1}), Types::TINYINT, 0);
  EXPECT_EQ(last().method, 22);
  EXPECT_EQ(last().args[1].values[0], (Bytes{0xFF, 0x80}));
  ps->setObject(2, Value::ofLong(9), Types::INTEGER);
  EXPECT_EQ(last().method, 24);
  // A null value goes through setNull with the type given.
  ps->setObject(4, Value(), Types::VARCHAR);
  EXPECT_EQ(last().method, 20);
  EXPECT_EQ(last().args[1].asInt(), Types::VARCHAR);
  ps->setObject(4, Value());
  EXPECT_EQ(last().method, 20);
}

TEST_F(StatementTest, SetObjectRefusalsSendNothing) {
  auto ps = conn_->prepareStatement("x");
  s_.clear();
  try {
    ps->setObject(1, Value::ofLong(5), 1111);
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Unrecognized sql type1111");
  }
  try {
    ps->setObject(1, Value::ofInt(5), 0, 2);
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Unrecognized sql type0");
  }
  EXPECT_THROW(ps->setObject(1, Value::ofInt(40000), Types::SMALLINT), plat::sql::SQLException);
  EXPECT_THROW(ps->setObject(1, Value::ofLong(1LL << 40), Types::INTEGER), plat::sql::SQLException);
  EXPECT_THROW(ps->setObject(1, Value(std::string("1")), Types::INTEGER), plat::sql::SQLException);
  EXPECT_THROW(ps->setObject(1, Value::ofBytes({}), Types::TINYINT), plat::sql::SQLException);
  // Kinds outside the table go as VARBINARY and must be bytes.
  EXPECT_THROW(ps->setObject(1, Value::ofShort(3)), plat::sql::SQLException);
  EXPECT_TRUE(calls().empty());
}

TEST_F(StatementTest, StreamParametersUploadThroughTheServerStream) {
  auto ps = conn_->prepareStatement("x");
  auto upload = std::make_shared<testkit::middleware::ProxyStream>();
  const std::int32_t streamId = s_.server().addObject(upload);
  st_->on(39, {MwEncode::dataInt(streamId)});
  s_.clear();
  Bytes content(9000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i * 7);
  ps->setBinaryStream(2, plat::lang::makeRef<plat::io::ByteArrayInputStream>(content), 9000);
  ASSERT_EQ(calls().size(), 1u);
  EXPECT_EQ(calls()[0].method, 39);
  EXPECT_EQ(calls()[0].args[0].asInt(), 2);
  EXPECT_FALSE(jdbctest::argBool(calls()[0].args[1]));
  EXPECT_EQ(upload->content(), content);
  EXPECT_EQ(upload->pieces(), (std::vector<std::size_t>{4000, 4000, 1000}));

  const std::string text = "some long text";
  ps->setAsciiStream(1, plat::lang::makeRef<plat::io::ByteArrayInputStream>(Bytes(text.begin(), text.end())), 4);
  EXPECT_TRUE(jdbctest::argBool(last().args[1]));
  EXPECT_EQ(upload->content(), (Bytes{'s', 'o', 'm', 'e'}));
  ps->setUnicodeStream(1, plat::lang::makeRef<plat::io::ByteArrayInputStream>(Bytes{1}), 1);
  EXPECT_TRUE(jdbctest::argBool(last().args[1]));
}

TEST_F(StatementTest, StreamParameterRefusals) {
  auto ps = conn_->prepareStatement("x");
  s_.clear();
  auto in = plat::lang::makeRef<plat::io::ByteArrayInputStream>(Bytes{1, 2});
  EXPECT_THROW(ps->setBinaryStream(1, in, -1), plat::sql::SQLException);
  EXPECT_THROW(ps->setAsciiStream(1, in, -5), plat::sql::SQLException);
  EXPECT_TRUE(calls().empty());
  // A stream shorter than the length promised is an error, not a silent short value.
  auto upload = std::make_shared<testkit::middleware::ProxyStream>();
  st_->on(39, {MwEncode::dataInt(s_.server().addObject(upload))});
  EXPECT_THROW(ps->setBinaryStream(1, in, 10), plat::sql::SQLException);
  // No stream at all is SQL NULL.
  ps->setBinaryStream(3, nullptr, 0);
  EXPECT_EQ(last().method, 20);
  EXPECT_EQ(last().args[1].asInt(), Types::LONGVARBINARY);
}

TEST_F(StatementTest, CallableOutParameters) {
  auto cs = conn_->prepareCall("{call p(?, ?)}");
  st_->on(42, {SqlEncode::boolean(true)});
  st_->on(43, {SqlEncode::text("out text")});
  st_->on(44, {SqlEncode::boolean(true)});
  st_->on(45, {SqlEncode::int8(-3)});
  st_->on(46, {SqlEncode::int16(-300)});
  st_->on(47, {MwEncode::dataInt(70000)});
  st_->on(48, {MwEncode::dataLong(1LL << 40)});
  st_->on(49, {SqlEncode::float32(0.5f)});
  st_->on(50, {SqlEncode::float64(0.25)});
  st_->on(51, {SqlEncode::text("12.340")});
  st_->on(52, {MwEncode::data({1, 2, 3})});
  st_->on(53, {MwEncode::dataInt(2002), MwEncode::dataInt(7), MwEncode::dataInt(15)});
  st_->on(54, {MwEncode::dataInt(13), MwEncode::dataInt(14), MwEncode::dataInt(15)});
  st_->on(55, {MwEncode::dataInt(2002), MwEncode::dataInt(7), MwEncode::dataInt(15), MwEncode::dataInt(1),
               MwEncode::dataInt(2), MwEncode::dataInt(3), MwEncode::dataInt(456000000)});
  st_->on(56, {SqlEncode::field(Value::ofInt(42), Types::INTEGER, 0)});
  s_.clear();

  cs->registerOutParameter(1, Types::VARCHAR);
  cs->registerOutParameter(2, Types::DECIMAL, 3);
  EXPECT_TRUE(cs->wasNull());
  EXPECT_EQ(cs->getString(1), "out text");
  EXPECT_TRUE(cs->getBoolean(1));
  EXPECT_EQ(cs->getByte(1), -3);
  EXPECT_EQ(cs->getShort(1), -300);
  EXPECT_EQ(cs->getInt(1), 70000);
  EXPECT_EQ(cs->getLong(1), 1LL << 40);
  EXPECT_FLOAT_EQ(cs->getFloat(1), 0.5f);
  EXPECT_DOUBLE_EQ(cs->getDouble(1), 0.25);
  EXPECT_EQ(cs->getBigDecimal(2, 3).toString(), "12.340");
  EXPECT_EQ(cs->getBytes(1), (Bytes{1, 2, 3}));
  EXPECT_EQ(cs->getDate(1), plat::time::Date(2002, 7, 15));
  EXPECT_EQ(cs->getTime(1), plat::time::Time(13, 14, 15));
  EXPECT_EQ(cs->getTimestamp(1), plat::time::Timestamp(2002, 7, 15, 1, 2, 3, 456000000));
  EXPECT_TRUE(cs->getObject(2).equals(Value::ofInt(42)));

  const auto c = calls();
  ASSERT_EQ(c.size(), 17u);
  for (std::size_t i = 0; i < c.size(); ++i) EXPECT_EQ(c[i].method, 40 + static_cast<int>(i));
  EXPECT_EQ(c[0].args.size(), 2u);
  EXPECT_EQ(c[1].args.size(), 3u);
  EXPECT_EQ(c[1].args[2].asInt(), 3);
  EXPECT_TRUE(c[2].args.empty());
  EXPECT_EQ(c[3].args.size(), 1u);
  EXPECT_EQ(c[3].args[0].asInt(), 1);
  ASSERT_EQ(c[11].args.size(), 2u);
  EXPECT_EQ(c[11].args[1].asInt(), 3);
}

TEST_F(StatementTest, CallableShortRepliesAreSQLExceptions) {
  auto cs = conn_->prepareCall("{call p}");
  st_->on(53, {MwEncode::dataInt(2002), MwEncode::dataInt(7)});
  EXPECT_THROW(cs->getDate(1), plat::sql::SQLException);
  st_->on(55, {MwEncode::dataInt(2002), MwEncode::dataInt(7), MwEncode::dataInt(15), MwEncode::dataInt(1),
               MwEncode::dataInt(2), MwEncode::dataInt(3), MwEncode::dataInt(-1)});
  EXPECT_THROW(cs->getTimestamp(1), plat::sql::SQLException);
  st_->on(56, {MwEncode::dataInt(1)});
  EXPECT_THROW(cs->getObject(1), plat::sql::SQLException);
  st_->on(51, {SqlEncode::text("abc")});
  EXPECT_THROW(cs->getBigDecimal(1, 0), plat::sql::SQLException);
}

}  // namespace
