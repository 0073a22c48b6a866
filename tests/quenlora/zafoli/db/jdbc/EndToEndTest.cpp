// The driver against the test server's SQL objects backed by SQLite: real SQL end to end through the wire.
#include <gtest/gtest.h>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/sql/CallableStatement.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/Connection.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

using plat::lang::Ref;
using plat::sql::Types;
using testkit::middleware::sql::SqlMiddlewareServer;

class EndToEnd : public ::testing::Test {
 protected:
  EndToEnd() {
    quenlora::zafoli::db::jdbc::registerDriver();
    conn_ = plat::sql::DriverManager::getConnection(server_.driverUrl(), "u", "p");
  }

  SqlMiddlewareServer server_;
  Ref<plat::sql::Connection> conn_;
};

TEST_F(EndToEnd, CreateInsertQuery) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table t (id integer, name varchar(20), amount double)");
  auto ps = conn_->prepareStatement("insert into t values (?, ?, ?)");
  for (int i = 1; i <= 3; ++i) {
    ps->setInt(1, i);
    ps->setString(2, "n" + std::to_string(i));
    ps->setDouble(3, i * 1.5);
    EXPECT_EQ(ps->executeUpdate(), 1);
  }
  auto rs = st->executeQuery("select id, name, amount from t order by id");
  int seen = 0;
  while (rs->next()) {
    ++seen;
    EXPECT_EQ(rs->getInt(1), seen);
    EXPECT_EQ(rs->getString("name"), "n" + std::to_string(seen));
    EXPECT_DOUBLE_EQ(rs->getDouble(3), seen * 1.5);
  }
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(rs->getMetaData()->getColumnCount(), 3);
  EXPECT_EQ(rs->getMetaData()->getColumnName(2), "name");
}

TEST_F(EndToEnd, ManyRowsInBatchesReadAndSkipped) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table many (id integer, label varchar(10))");
  conn_->setAutoCommit(false);
  auto ps = conn_->prepareStatement("insert into many values (?, ?)");
  constexpr int kRows = 500;
  for (int i = 1; i <= kRows; ++i) {
    ps->setInt(1, i);
    ps->setString(2, "r" + std::to_string(i));
    ps->executeUpdate();
  }
  conn_->commit();

  server_.server().clearRecords();
  auto rs = st->executeQuery("select id, label from many order by id");
  const int n = dynamic_cast<quenlora::zafoli::db::jdbc::ResultSet&>(*rs).getRowsPerFetch();
  ASSERT_GT(n, 1);
  long sum = 0;
  int rows = 0;
  while (rs->next()) {
    ++rows;
    sum += rs->getInt(1);
    ASSERT_EQ(rs->getString(2), "r" + std::to_string(rows));
  }
  EXPECT_EQ(rows, kRows);
  EXPECT_EQ(sum, static_cast<long>(kRows) * (kRows + 1) / 2);
  std::size_t fetches = 0;
  for (const auto& r : server_.server().requests()) {
    const auto& w = r.request.words;
    if (w.size() == 4 && w[1] == "invoke" && w[3] == "1" && r.request.args.size() == 2) ++fetches;
  }
  EXPECT_EQ(fetches, static_cast<std::size_t>((kRows + n) / n));

  // Walking without reading counts the same rows.
  auto walk = st->executeQuery("select id, label from many");
  rows = 0;
  while (walk->next()) ++rows;
  EXPECT_EQ(rows, kRows);
}

TEST_F(EndToEnd, NullsAndValueKinds) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table kinds (i integer, s varchar(20), d double, b varbinary(10), dt date)");
  auto ps = conn_->prepareStatement("insert into kinds values (?, ?, ?, ?, ?)");
  ps->setNull(1, Types::INTEGER);
  ps->setObject(2, plat::lang::Value());
  ps->setObject(3, plat::lang::Value(), Types::DOUBLE);
  ps->setNull(4, Types::VARBINARY);
  ps->setNull(5, Types::DATE);
  ps->executeUpdate();
  ps->clearParameters();
  ps->setObject(1, plat::lang::Value::ofLong(7), Types::INTEGER);
  ps->setObject(2, plat::lang::Value(std::string("text")));
  ps->setObject(3, plat::lang::Value::ofDouble(0.5));
  ps->setBytes(4, {1, 2, 3});
  ps->setDate(5, plat::time::Date(2002, 7, 15));
  ps->executeUpdate();

  auto rs = st->executeQuery("select i, s, d, b, dt from kinds order by i");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 0);
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getString(2), "");
  EXPECT_TRUE(rs->wasNull());
  EXPECT_TRUE(rs->getObject(3).isNull());
  EXPECT_TRUE(rs->getBytes(4).empty());
  EXPECT_TRUE(rs->wasNull());
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 7);
  EXPECT_FALSE(rs->wasNull());
  EXPECT_EQ(rs->getString("s"), "text");
  EXPECT_DOUBLE_EQ(rs->getDouble(3), 0.5);
  EXPECT_EQ(rs->getBytes(4), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(rs->getDate(5), plat::time::Date(2002, 7, 15));
  EXPECT_FALSE(rs->next());
}

TEST_F(EndToEnd, LongTextAndBinaryThroughStreams) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table docs (id integer, body text, data blob)");
  std::string body(20000, 'a');
  for (std::size_t i = 0; i < body.size(); i += 97) body[i] = static_cast<char>('b' + i % 20);
  std::vector<std::uint8_t> data(12345);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31);
  auto ps = conn_->prepareStatement("insert into docs values (?, ?, ?)");
  ps->setInt(1, 1);
  ps->setAsciiStream(
      2, plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(body.begin(), body.end())),
      static_cast<int>(body.size()));
  ps->setBinaryStream(3, plat::lang::makeRef<plat::io::ByteArrayInputStream>(data), static_cast<int>(data.size()));
  ps->executeUpdate();
  ps->setInt(1, 2);
  ps->setNull(2, Types::LONGVARCHAR);
  ps->setNull(3, Types::LONGVARBINARY);
  ps->executeUpdate();

  auto rs = st->executeQuery("select id, body, data from docs order by id");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString(2), body);
  EXPECT_EQ(rs->getBytes(3), data);
  auto in = rs->getBinaryStream(3);
  ASSERT_NE(in, nullptr);
  std::vector<std::uint8_t> streamed;
  for (int b; (b = in->read()) >= 0;) streamed.push_back(static_cast<std::uint8_t>(b));
  EXPECT_EQ(streamed, data);
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString(2), "");
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getBinaryStream(3), nullptr);
  EXPECT_FALSE(rs->next());
}

TEST_F(EndToEnd, MetadataQueries) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table meta_t (id integer primary key, name varchar(30))");
  auto md = conn_->getMetaData();
  EXPECT_FALSE(md->getDatabaseProductName().empty());
  EXPECT_EQ(md->getURL(), server_.driverUrl());
  auto tables = md->getTables(std::nullopt, std::nullopt, "meta%", std::nullopt);
  std::vector<std::string> names;
  while (tables->next()) names.push_back(tables->getString("TABLE_NAME"));
  EXPECT_EQ(names, std::vector<std::string>{"meta_t"});
  auto columns = md->getColumns(std::nullopt, std::nullopt, "meta_t", "%");
  names.clear();
  while (columns->next()) names.push_back(columns->getString("COLUMN_NAME"));
  EXPECT_EQ(names, (std::vector<std::string>{"id", "name"}));
}

TEST_F(EndToEnd, CommitAndRollback) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table tx (v integer)");
  conn_->setAutoCommit(false);
  EXPECT_FALSE(conn_->getAutoCommit());
  st->executeUpdate("insert into tx values (1)");
  conn_->rollback();
  auto count = [&] {
    auto rs = st->executeQuery("select count(*) from tx");
    EXPECT_TRUE(rs->next());
    return rs->getInt(1);
  };
  EXPECT_EQ(count(), 0);
  st->executeUpdate("insert into tx values (2)");
  conn_->commit();
  EXPECT_EQ(count(), 1);
}

TEST_F(EndToEnd, ScriptedErrorsWarningsAndOutParameters) {
  testkit::middleware::sql::ScriptedReply failing;
  failing.error = testkit::middleware::sql::ScriptedError{42, 15, "table is locked", "40001"};
  server_.script().on("select locked", failing);
  auto st = conn_->createStatement();
  try {
    st->executeQuery("select locked");
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "table is locked");
    EXPECT_EQ(e.getSQLState(), "40001");
  }

  testkit::middleware::sql::ScriptedReply warned;
  warned.updateCount = 3;
  warned.warnings = {{"w1", "01000", 1}, {"w2", "01001", 2}};
  server_.script().on("update warned", warned);
  EXPECT_EQ(st->executeUpdate("update warned"), 3);
  auto w = st->getWarnings();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->getMessage(), "w1");
  ASSERT_NE(w->getNextWarning(), nullptr);
  EXPECT_EQ(w->getNextWarning()->getMessage(), "w2");

  testkit::middleware::sql::ScriptedReply call;
  call.outValues = {{1, plat::lang::Value::ofInt(99)},
                    {2, plat::lang::Value(std::string("done"))},
                    {3, plat::lang::Value()},
                    {4, plat::lang::Value(plat::time::Date(2002, 7, 15))}};
  server_.script().on("{call p(?, ?, ?, ?)}", call);
  auto cs = conn_->prepareCall("{call p(?, ?, ?, ?)}");
  cs->registerOutParameter(1, Types::INTEGER);
  cs->registerOutParameter(2, Types::VARCHAR);
  cs->registerOutParameter(3, Types::VARCHAR);
  cs->registerOutParameter(4, Types::DATE);
  cs->execute();
  EXPECT_EQ(cs->getInt(1), 99);
  EXPECT_FALSE(cs->wasNull());
  EXPECT_EQ(cs->getString(2), "done");
  EXPECT_EQ(cs->getString(3), "");
  EXPECT_TRUE(cs->wasNull());
  EXPECT_EQ(cs->getDate(4), plat::time::Date(2002, 7, 15));
  // The connection is still usable after the server's errors.
  EXPECT_EQ(st->executeUpdate("create table after_errors (x integer)"), 0);
}

TEST_F(EndToEnd, LostConnectionMidQuery) {
  auto st = conn_->createStatement();
  st->executeUpdate("create table lost (id integer, pad varchar(100))");
  conn_->setAutoCommit(false);
  auto ps = conn_->prepareStatement("insert into lost values (?, 'x')");
  for (int i = 0; i < 100; ++i) {
    ps->setInt(1, i);
    ps->executeUpdate();
  }
  conn_->commit();
  auto rs = st->executeQuery("select id, pad from lost");
  const int n = dynamic_cast<quenlora::zafoli::db::jdbc::ResultSet&>(*rs).getRowsPerFetch();
  ASSERT_LT(n, 100);
  for (int i = 0; i < n; ++i) {
    ASSERT_TRUE(rs->next());
    rs->getInt(1);
  }
  testkit::middleware::Fault cut;
  cut.kind = testkit::middleware::Fault::Kind::CloseMidReply;
  cut.offsets = {5};
  server_.server().pushFault("proxy,invoke", cut);
  EXPECT_THROW(rs->next(), plat::sql::SQLException);
  EXPECT_TRUE(conn_->isClosed());
  EXPECT_THROW(st->executeQuery("select 1"), plat::sql::SQLException);
  auto& proxy = dynamic_cast<quenlora::zafoli::db::jdbc::Connection&>(*conn_);
  EXPECT_THROW(conn_->close(), plat::sql::SQLException);
  EXPECT_EQ(proxy.openStatementCount(), 0u);
  EXPECT_TRUE(conn_->isClosed());
  conn_->close();
}

}  // namespace
