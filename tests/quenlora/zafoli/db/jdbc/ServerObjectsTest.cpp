// The SQL server objects of the middleware test server, driven at the wire level through the wire client's session
// and remote-object handles (not the driver): login, statements, prepared parameters, batched fetch and flags,
// long values through streams, transactions, metadata, scripted replies, errors and out-parameters.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaDataMethods.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/BinaryOutputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/net/Warning.h"
#include "testkit/middleware/sql/ScriptedStatement.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"
#include "testkit/middleware/sql/Statement.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::refCast;
using plat::lang::Value;
using plat::sql::Types;
using testkit::middleware::sql::ScriptedColumn;
using testkit::middleware::sql::ScriptedError;
using testkit::middleware::sql::ScriptedReply;
using testkit::middleware::sql::ScriptedWarning;
using testkit::middleware::sql::SqlMiddlewareServer;
using Args = RemoteObject::Args;
using Results = RemoteObject::Results;

plat::lang::Ref<ServerObject> text(const std::string& t) {
  return plat::lang::makeRef<TextParam>(0, t);
}
plat::lang::Ref<ServerObject> num(std::int32_t v, std::uint8_t id = 0) {
  return Param::ofInt(id, v);
}
std::int32_t intOf(const Results& r, std::size_t i = 0) {
  return refCast<NetData>(r.at(i))->getInt();
}
bool boolOf(const Results& r, std::size_t i = 0) {
  return refCast<NetData>(r.at(i))->getBool();
}
std::string textOf(const Results& r, std::size_t i = 0) {
  return refCast<NetString>(r.at(i))->getString();
}

// Method numbers of the server objects as the client calls them.
constexpr int kCreateStatement = 0, kPrepareStatement = 1, kPrepareCall = 2, kSetAutoCommit = 4, kCommit = 5,
              kRollback = 6, kConnClose = 7, kIsClosed = 8, kGetMetaData = 9, kConnWarnings = 16;
constexpr int kExecuteQuery = 0, kExecuteUpdate = 1, kStmtClose = 2, kGetQueryTimeout = 8, kSetQueryTimeout = 9,
              kStmtWarnings = 11, kExecute = 13, kGetResultSet = 14, kGetUpdateCount = 15;
constexpr int kPsExecuteQuery = 18, kPsExecuteUpdate = 19, kSetNull = 20, kSetInt = 24, kSetLong = 25, kSetDouble = 27,
              kSetBigDecimal = 28, kSetString = 29, kSetBytes = 30, kSetDate = 31, kSetTimestamp = 33,
              kClearParameters = 34, kSetObject1 = 35, kPsGetStream = 39;
constexpr int kRegisterOut = 40, kWasNull = 42, kCsGetString = 43, kCsGetInt = 47, kCsGetDate = 53,
              kCsGetTimestamp = 55, kCsGetObject = 56;
constexpr int kRsGetStream = 0, kRsNext = 1, kRsClose = 2, kRsValidate = 7;

class ServerObjects : public ::testing::Test {
 protected:
  explicit ServerObjects(SqlMiddlewareServer::Options options = {})
      : srv_(std::move(options)), session_("127.0.0.1", srv_.port(), "", true) {}

  // "proxy" "new" of the driver object with the five texts, then its connect method; the connection's id.
  std::int32_t connect(const std::string& user = "u", const std::string& password = "p") {
    const Args five{text("sqlite"), text(""), text(""), text(user), text(password)};
    RemoteObject driver("TRIVODriver", 0, session_);
    driver.setObject("TRIVODriver", driver.invokeConstructor("1", five));
    return intOf(driver.invokeMethod(0, five));
  }
  Results call(std::int32_t id, int method, const Args& args = {}) {
    RemoteObject o("object", id, session_);
    return o.invokeMethod(method, args);
  }
  std::int32_t statement(std::int32_t conn) { return intOf(call(conn, kCreateStatement)); }
  std::int32_t prepare(std::int32_t conn, const std::string& sql) {
    return intOf(call(conn, kPrepareStatement, {text(sql)}));
  }
  int update(std::int32_t stmt, const std::string& sql) { return intOf(call(stmt, kExecuteUpdate, {text(sql)})); }
  // Runs a query; the result-set object id and its description.
  std::pair<std::int32_t, plat::lang::Ref<Entity>> query(std::int32_t stmt, const std::string& sql) {
    const Results r = call(stmt, kExecuteQuery, {text(sql)});
    EXPECT_EQ(r.size(), 2u);
    return {intOf(r), refCast<Entity>(r.at(1))};
  }
  std::vector<plat::lang::Ref<NetRecord>> fetch(std::int32_t rs, std::int32_t n, std::int32_t first) {
    std::vector<plat::lang::Ref<NetRecord>> rows;
    for (const auto& o : call(rs, kRsNext, {num(n, 1), num(first, 1)})) rows.push_back(refCast<NetRecord>(o));
    return rows;
  }
  std::int64_t count(const std::string& table) {
    auto rs = srv_.database()->createStatement()->executeQuery("select count(*) from " + table);
    rs->next();
    return rs->getLong(1);
  }

  SqlMiddlewareServer srv_;
  ClientSession session_;
};

TEST_F(ServerObjects, CreateInsertThroughParametersAndQueryBack) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  EXPECT_EQ(update(st,
                   "create table t (id integer, name varchar(20), amount double, price decimal(8,2), "
                   "born date, seen timestamp)"),
            0);
  const std::int32_t ps = prepare(conn, "insert into t values (?, ?, ?, ?, ?, ?)");
  call(ps, kSetInt, {num(1), num(7)});
  call(ps, kSetString, {num(2), text("Zo\xC3\xA9")});  // one 8-bit character on the wire
  call(ps, kSetDouble, {num(3), Param::ofDouble(0, 2.5)});
  call(ps, kSetBigDecimal, {num(4), text("12.30")});
  call(ps, kSetDate, {num(5), num(2002), num(7), num(15)});
  call(ps, kSetTimestamp, {num(6), num(2001), num(2), num(3), num(4), num(5), num(6), num(789)});
  EXPECT_EQ(intOf(call(ps, kPsExecuteUpdate)), 1);
  call(ps, kClearParameters);
  call(ps, kSetInt, {num(1), num(8)});
  for (int i = 2; i <= 6; ++i) call(ps, kSetNull, {num(i), num(Types::VARCHAR)});
  EXPECT_EQ(intOf(call(ps, kPsExecuteUpdate)), 1);

  auto [rs, entity] = query(st, "select id, name, amount, price, born, seen from t order by id");
  ASSERT_EQ(entity->getColumnCount(), 6);
  EXPECT_EQ(entity->getColumnName(1), "id");
  EXPECT_EQ(entity->getColumnType(1), Types::INTEGER);
  EXPECT_EQ(entity->getColumnType(2), Types::VARCHAR);
  EXPECT_EQ(entity->getColumnDisplaySize(2), 20);
  EXPECT_EQ(entity->getColumnType(5), Types::DATE);

  const auto rows = fetch(rs, 10, 1);
  ASSERT_EQ(rows.size(), 3u);  // two rows and the end marker
  EXPECT_EQ(rows[0]->getRecordNum(), 1);
  EXPECT_EQ(rows[0]->getInt(1), 7);
  EXPECT_EQ(rows[0]->getString(2).value_or(""), "Zo\xC3\xA9");
  EXPECT_EQ(rows[0]->getDouble(3), 2.5);
  EXPECT_EQ(rows[0]->getBigDecimal(4, 2)->toString(), "12.30");
  EXPECT_EQ(*rows[0]->getDate(5), plat::time::Date(2002, 7, 15));
  EXPECT_EQ(*rows[0]->getTimestamp(6), plat::time::Timestamp(2001, 2, 3, 4, 5, 6, 789000000));
  EXPECT_EQ(rows[1]->getInt(1), 8);
  EXPECT_TRUE(rows[1]->isNull(2));
  EXPECT_TRUE(rows[1]->isNull(5));
  EXPECT_EQ(rows[2]->getState(), 105);
}

TEST_F(ServerObjects, FetchesInBatchesAndValidatesWithFlags) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  update(st, "create table n (v integer)");
  update(st,
         "with recursive c(x) as (select 1 union all select x + 1 from c where x < 25) "
         "insert into n select x from c");
  auto [rs, entity] = query(st, "select v from n order by v");

  auto rows = fetch(rs, 4, 1);
  ASSERT_EQ(rows.size(), 4u);  // a full batch carries no end marker
  EXPECT_EQ(rows[3]->getInt(1), 4);
  EXPECT_EQ(rows[3]->getRecordNum(), 4);

  // Flags for rows 5 to 12, then rows from 11 on: the rows passed by flags are still at hand.
  const Results flags = call(rs, kRsValidate, {num(8, 1), num(5, 1)});
  ASSERT_EQ(flags.size(), 8u);
  for (const auto& f : flags) EXPECT_TRUE(refCast<NetData>(f)->getBool());
  rows = fetch(rs, 3, 11);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]->getInt(1), 11);

  // Flags past the end stop with one false.
  const Results tail = call(rs, kRsValidate, {num(20, 1), num(20, 1)});
  ASSERT_EQ(tail.size(), 7u);
  EXPECT_TRUE(boolOf(tail, 5));
  EXPECT_FALSE(boolOf(tail, 6));
  rows = fetch(rs, 10, 24);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1]->getInt(1), 25);
  EXPECT_EQ(rows[2]->getState(), 105);

  // A row before the last request is gone: an error, and the session goes on.
  EXPECT_THROW(fetch(rs, 1, 2), plat::sql::SQLException);
  call(rs, kRsClose);
  EXPECT_THROW(fetch(rs, 1, 30), plat::sql::SQLException);
}

// A value SQLite kept against its column's type (text in a number column, an integer too wide for the column's
// getter) comes as its text; a null stays a null whatever the column's type.
TEST_F(ServerObjects, ValuesThatDoNotReadAsTheirColumnTypeComeAsText) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  update(st, "create table m (i integer, s smallint, d double, c char(4))");
  update(st, "insert into m values ('abc', 5000000000, 'x', 12), (null, null, null, null)");
  auto [rs, entity] = query(st, "select i, s, d, c from m order by rowid");
  const auto rows = fetch(rs, 5, 1);
  ASSERT_EQ(rows.size(), 3u);
  const std::vector<std::string> texts = {"abc", "5000000000", "x", "12"};
  for (int c = 1; c <= 4; ++c) {
    EXPECT_EQ(rows[0]->getString(c).value_or("(null)"), texts[c - 1]) << c;
    EXPECT_TRUE(rows[1]->isNull(c)) << c;
  }
}

TEST_F(ServerObjects, BigRowsComeInSeveralRepliesNotOneOversizedPacket) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  update(st, "create table big (s varchar(10))");
  update(st,
         "insert into big values (printf('%.30000c', 'a')), (printf('%.30000c', 'b')), "
         "(printf('%.30000c', 'c'))");
  auto [rs, entity] = query(st, "select s from big");
  std::vector<char> seen;
  std::int32_t next = 1;
  for (int round = 0; round < 10 && next <= 3; ++round) {
    const auto rows = fetch(rs, 3, next);
    ASSERT_FALSE(rows.empty());
    for (const auto& r : rows) {
      if (r->getState() == 105) break;
      const std::string s = r->getString(1).value_or("");
      ASSERT_EQ(s.size(), 30000u);
      seen.push_back(s[0]);
      ++next;
    }
  }
  EXPECT_EQ(seen, (std::vector<char>{'a', 'b', 'c'}));
}

TEST_F(ServerObjects, LongValuesTravelThroughStreamsBothWays) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  update(st, "create table doc (id integer, body text, data blob)");
  const std::string body(9000, 'x');
  const std::int32_t ps = prepare(conn, "insert into doc values (1, ?, ?)");
  {
    BinaryOutputStream out(intOf(call(ps, kPsGetStream, {num(1), Param::ofBoolean(0, true)})), session_);
    auto in = plat::lang::makeRef<plat::io::ByteArrayInputStream>(std::vector<std::uint8_t>(body.begin(), body.end()));
    out.sendData(*in, static_cast<int>(body.size()));
  }
  call(ps, kSetBytes, {num(2), Param::ofBytes(0, {1, 2, 3}), num(3)});
  EXPECT_EQ(intOf(call(ps, kPsExecuteUpdate)), 1);

  auto [rs, entity] = query(st, "select id, body, data from doc");
  EXPECT_EQ(entity->getColumnType(2), Types::LONGVARCHAR);
  const auto rows = fetch(rs, 5, 1);
  ASSERT_GE(rows.size(), 1u);
  EXPECT_FALSE(rows[0]->storesData(2));
  EXPECT_FALSE(rows[0]->isNull(2));
  BinaryInputStream text(intOf(call(rs, kRsGetStream, {num(1, 1), num(2, 1)})), session_);
  EXPECT_EQ(text.getString(), body);
  BinaryInputStream bytes(intOf(call(rs, kRsGetStream, {num(1, 1), num(3, 1)})), session_);
  EXPECT_EQ(bytes.getBytes(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_THROW(call(rs, kRsGetStream, {num(1, 1), num(1, 1)}), plat::sql::SQLException);  // carried in the row
  EXPECT_THROW(call(rs, kRsGetStream, {num(1, 1), num(4, 1)}), plat::sql::SQLException);
}

TEST_F(ServerObjects, RollbackDropsAndCommitKeeps) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  update(st, "create table tx (v integer)");
  call(conn, kSetAutoCommit, {Param::ofBoolean(0, false)});
  update(st, "insert into tx values (1)");
  call(conn, kRollback);
  EXPECT_EQ(count("tx"), 0);
  update(st, "insert into tx values (2)");
  call(conn, kCommit);
  EXPECT_EQ(count("tx"), 1);
}

TEST_F(ServerObjects, ErrorsKeepTheSessionUsable) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  try {
    update(st, "create tabel oops");
    FAIL() << "no failure";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_NE(e.getMessage().find("syntax error"), std::string::npos) << e.getMessage();
  }
  EXPECT_EQ(update(st, "create table ok (v integer)"), 0);
  EXPECT_THROW(call(st, 99), plat::sql::SQLException);                         // no such method
  EXPECT_THROW(call(st, kSetInt, {num(1), num(2)}), plat::sql::SQLException);  // a plain statement has no parameters
  const std::int32_t ps = prepare(conn, "insert into ok values (?)");
  EXPECT_THROW(call(ps, kSetObject1, {num(1)}), plat::sql::SQLException);
  EXPECT_THROW(call(ps, kSetBytes, {num(1), Param::ofBytes(0, {1}), num(2)}), plat::sql::SQLException);
  call(st, kStmtClose);
  EXPECT_THROW(update(st, "select 1"), plat::sql::SQLException);
  call(conn, kConnClose);
  EXPECT_TRUE(boolOf(call(conn, kIsClosed)));
  EXPECT_THROW(statement(conn), plat::sql::SQLException);
}

TEST_F(ServerObjects, StatementOptionsAreKept) {
  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  call(st, kSetQueryTimeout, {num(5)});
  EXPECT_EQ(intOf(call(st, kGetQueryTimeout)), 5);
  EXPECT_TRUE(boolOf(call(st, kExecute, {text("select 1")})));
  const Results r = call(st, kGetResultSet);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(fetch(intOf(r), 1, 1)[0]->getInt(1), 1);
  EXPECT_FALSE(boolOf(call(st, kExecute, {text("create table o (v integer)")})));
  EXPECT_EQ(call(st, kGetResultSet).size(), 1u);  // no result: a result set closed from the start
  EXPECT_EQ(intOf(call(st, kGetUpdateCount)), 0);
}

TEST_F(ServerObjects, MetadataAnswersEveryPlainMethodInItsKindAndCatalogQueries) {
  const std::int32_t conn = connect();
  update(statement(conn), "create table cust (id integer primary key, name varchar(30))");
  const std::int32_t md = intOf(call(conn, kGetMetaData));
  using quenlora::zafoli::db::jdbc::MetaReply;
  for (const auto& m : quenlora::zafoli::db::jdbc::kMetaMethods) {
    if (!m.args.empty() || m.reply == MetaReply::Local || m.reply == MetaReply::ResultSet) continue;
    const Results r = call(md, m.number);
    ASSERT_EQ(r.size(), 1u) << m.operation;
    if (m.reply == MetaReply::Text) {
      EXPECT_NE(refCast<NetString>(r[0]), nullptr) << m.operation;
    } else {
      auto d = refCast<NetData>(r[0]);
      ASSERT_NE(d, nullptr) << m.operation;
      EXPECT_EQ(d->size(), m.reply == MetaReply::Boolean ? 1u : 4u) << m.operation;
    }
  }
  EXPECT_EQ(refCast<NetData>(call(md, 38, {num(Types::INTEGER), num(Types::VARCHAR)})[0])->size(), 1u);

  // getTables with two type texts, then getColumns and getPrimaryKeys.
  Results r = call(md, 117, {text(""), text(""), text("cu%"), text("TABLE"), text("VIEW")});
  ASSERT_EQ(r.size(), 2u);
  auto tables = refCast<Entity>(r[1]);
  int nameCol = 0;
  for (int c = 1; c <= tables->getColumnCount(); ++c) {
    if (tables->getColumnName(c) == "TABLE_NAME") nameCol = c;
  }
  ASSERT_GT(nameCol, 0);
  EXPECT_EQ(tables->getColumnType(nameCol), Types::VARCHAR);  // catalog texts travel inside the rows
  auto rows = fetch(intOf(r), 5, 1);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->getString(nameCol).value_or(""), "cust");

  r = call(md, 121, {text(""), text(""), text("cust"), text("%")});
  rows = fetch(intOf(r), 10, 1);
  EXPECT_EQ(rows.size(), 3u);
  r = call(md, 126, {text(""), text(""), text("cust")});
  EXPECT_EQ(fetch(intOf(r), 10, 1).size(), 2u);
  r = call(md, 115, {text(""), text(""), text("%")});
  EXPECT_EQ(fetch(intOf(r), 5, 1).size(), 1u);  // no procedures: the end marker alone
  r = call(md, 127, {text(""), text(""), text("cust")});
  EXPECT_EQ(refCast<Entity>(r.at(1))->getColumnName(3), "PKTABLE_NAME");
  r = call(md, 130);
  EXPECT_GT(fetch(intOf(r), 50, 1).size(), 1u);
  EXPECT_THROW(call(md, 135), plat::sql::SQLException);
}

TEST_F(ServerObjects, ScriptedRepliesErrorsAndWarnings) {
  ScriptedReply rows;
  rows.columns = {{"A", Types::INTEGER, 5}, {"B", Types::VARCHAR, 8}};
  rows.rows = {{Value::ofInt(1), Value::ofString("one")}, {Value::ofInt(2), Value::null()}};
  rows.warnings = {{"first", "01000", 1}, {"second", "01004", 2}};
  srv_.script().on("select scripted", rows);
  ScriptedReply failing;
  failing.error = ScriptedError{42, 15, "Table gone", "42S02"};
  srv_.script().on("select gone", failing);
  srv_.script().setConnectionWarnings({{"connected", "01000", 9}});

  const std::int32_t conn = connect();
  const std::int32_t st = statement(conn);
  auto [rs, entity] = query(st, "select scripted");
  EXPECT_EQ(entity->getColumnName(2), "B");
  EXPECT_EQ(entity->getColumnDisplaySize(2), 8);
  const auto fetched = fetch(rs, 5, 1);
  ASSERT_EQ(fetched.size(), 3u);
  EXPECT_EQ(fetched[0]->getString(2).value_or(""), "one");
  EXPECT_TRUE(fetched[1]->isNull(2));
  const Results w = call(st, kStmtWarnings);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(refCast<Warning>(w[1])->getMessage(), "second");
  EXPECT_EQ(refCast<Warning>(w[1])->getCode(), 2);
  ASSERT_EQ(call(conn, kConnWarnings).size(), 1u);

  try {
    query(st, "select gone");
    FAIL() << "no failure";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Table gone");
    EXPECT_EQ(e.getSQLState(), "42S02");
    EXPECT_EQ(e.getErrorCode(), 42);
  }
  EXPECT_TRUE(call(st, kStmtWarnings).empty());  // a database run replaces the scripted warnings
  (void)call(st, kExecuteQuery, {text("select 1")});
  EXPECT_TRUE(call(st, kStmtWarnings).empty());
}

TEST_F(ServerObjects, ScriptedCallGivesOutParameters) {
  ScriptedReply call_;
  call_.outValues = {{1, Value::ofInt(42)},
                     {2, Value::null()},
                     {3, Value(plat::time::Date(2002, 7, 15))},
                     {4, Value(plat::time::Timestamp(2001, 2, 3, 4, 5, 6, 7000))},
                     {5, Value::ofString("done")}};
  srv_.script().on("{call proc(?, ?, ?, ?, ?)}", call_);
  const std::int32_t conn = connect();
  const std::int32_t cs = intOf(call(conn, kPrepareCall, {text("{call proc(?, ?, ?, ?, ?)}")}));
  call(cs, kRegisterOut, {num(1), num(Types::INTEGER)});
  call(cs, kSetLong, {num(2), Param::ofLong(0, 9)});
  EXPECT_FALSE(boolOf(call(cs, 38)));  // execute: no result set
  EXPECT_EQ(intOf(call(cs, kCsGetInt, {num(1)})), 42);
  EXPECT_FALSE(boolOf(call(cs, kWasNull)));
  EXPECT_EQ(textOf(call(cs, kCsGetString, {num(2)})), "");
  EXPECT_TRUE(boolOf(call(cs, kWasNull)));
  const Results date = call(cs, kCsGetDate, {num(3)});
  ASSERT_EQ(date.size(), 3u);
  EXPECT_EQ(intOf(date, 0), 2002);
  EXPECT_EQ(intOf(date, 1), 7);
  EXPECT_EQ(intOf(date, 2), 15);
  const Results ts = call(cs, kCsGetTimestamp, {num(4)});
  ASSERT_EQ(ts.size(), 7u);
  EXPECT_EQ(intOf(ts, 6), 7000);
  const Results obj = call(cs, kCsGetObject, {num(5)});
  ASSERT_EQ(obj.size(), 1u);
  EXPECT_EQ(refCast<Field>(obj[0])->getString().value_or(""), "done");
  EXPECT_THROW(call(cs, kCsGetInt, {num(6)}), plat::sql::SQLException);

  // The parameters that arrived are there to look at.
  auto object = std::dynamic_pointer_cast<testkit::middleware::sql::Statement>(srv_.server().object(cs));
  ASSERT_NE(object, nullptr);
  auto scripted = std::dynamic_pointer_cast<testkit::middleware::sql::ScriptedStatement>(object->statement());
  ASSERT_NE(scripted, nullptr);
  EXPECT_EQ(scripted->parameters().at(2).getLong(), 9);
  EXPECT_EQ(scripted->registered().at(1), Types::INTEGER);

  // Without a script the database has no calls.
  EXPECT_THROW(call(conn, kPrepareCall, {text("{call other()}")}), plat::sql::SQLException);
}

class ServerObjectsLogin : public ServerObjects {
 protected:
  ServerObjectsLogin() : ServerObjects(loginOptions()) {}
  static SqlMiddlewareServer::Options loginOptions() {
    SqlMiddlewareServer::Options o;
    o.checkLogin = true;
    o.user = "scott";
    o.password = "tiger";
    return o;
  }
};

TEST_F(ServerObjectsLogin, WrongPasswordIsAConnectionError) {
  try {
    connect("scott", "lion");
    FAIL() << "no failure";
  } catch (const SQLConnectionException& e) {
    EXPECT_EQ(e.getSQLState(), "28000");
    EXPECT_EQ(e.getErrorCode(), 18456);
    EXPECT_NE(e.getMessage().find("scott"), std::string::npos);
  }
  EXPECT_GT(connect("scott", "tiger"), 0);
}

TEST(ServerObjectsFile, ConnectionsShareTheDatabaseFile) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("sqlmw_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".db");
  std::filesystem::remove(path);
  {
    SqlMiddlewareServer::Options options;
    options.databaseFile = path.string();
    SqlMiddlewareServer srv(options);
    srv.execute("create table f (v integer); insert into f values (3)");
    ClientSession session("127.0.0.1", srv.port(), "", true);
    const Args five{text("sqlite"), text(""), text(""), text(""), text("")};
    RemoteObject driver("TRIVODriver", 0, session);
    driver.setObject("TRIVODriver", driver.invokeConstructor("1", five));
    RemoteObject conn("TRIVOConnection", intOf(driver.invokeMethod(0, five)), session);
    RemoteObject st("Statement", intOf(conn.invokeMethod(kCreateStatement)), session);
    RemoteObject rs("ProxyJDBCResultSet", intOf(st.invokeMethod(kExecuteQuery, std::string("select v from f"))),
                    session);
    const Results rows = rs.invokeMethod(kRsNext, Args{num(1, 1), num(1, 1)});
    EXPECT_EQ(refCast<NetRecord>(rows.at(0))->getInt(1), 3);
  }
  EXPECT_TRUE(std::filesystem::exists(path));
  std::filesystem::remove(path);
}

}  // namespace

namespace {

// Two client sessions, each with its own driver connection, run side by side: each scope serialises only its own
// objects, and every row each one wrote is there afterwards.
TEST(ServerObjectsConcurrency, TwoSessionsWorkSideBySide) {
  SqlMiddlewareServer srv;
  srv.execute("create table a (v integer); create table b (v integer)");
  auto work = [&srv](const std::string& table, std::string* failure) {
    try {
      ClientSession session("127.0.0.1", srv.port(), "", true);
      const Args five{text("sqlite"), text(""), text(""), text(""), text("")};
      RemoteObject driver("TRIVODriver", 0, session);
      driver.setObject("TRIVODriver", driver.invokeConstructor("1", five));
      RemoteObject conn("TRIVOConnection", intOf(driver.invokeMethod(0, five)), session);
      RemoteObject ps("Statement", intOf(conn.invokeMethod(kPrepareStatement, "insert into " + table + " values (?)")),
                      session);
      for (int i = 0; i < 50; ++i) {
        ps.invokeMethod(kSetInt, Args{num(1), num(i)});
        ps.invokeMethod(kPsExecuteUpdate);
      }
    } catch (const std::exception& e) {
      *failure = e.what();
    }
  };
  std::string failureA, failureB;
  std::thread ta(work, "a", &failureA);
  std::thread tb(work, "b", &failureB);
  ta.join();
  tb.join();
  EXPECT_EQ(failureA, "");
  EXPECT_EQ(failureB, "");
  for (const char* table : {"a", "b"}) {
    auto rs = srv.database()->createStatement()->executeQuery(std::string("select count(*) from ") + table);
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->getInt(1), 50) << table;
  }
}

}  // namespace
