// The PostgreSQL driver against a throwaway server: values through parameters and back by type, the marker
// rewriting, closed objects, login failures, isolation levels, read-only and catalog refusals, and statements of
// one connection on two threads.
// Built only where libpq is (its header comes with the fixture's link); elsewhere there is no driver to test.
#if __has_include(<libpq-fe.h>)
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "platform/lang/Exceptions.h"
#include "platform/pq/PqDriver.h"
#include "platform/pq/PqPlaceholders.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/CallableStatement.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "testkit/postgres/PostgresServer.h"

namespace plat::sql::pq {
namespace {

using plat::lang::Ref;
using testkit::PostgresServer;

TEST(PqPlaceholders, MarkersOutsideQuotesAndCommentsAreNumbered) {
  struct Case {
    const char* sql;
    const char* expected;
    int count;
  } cases[] = {
      {"select ? , ?", "select $1 , $2", 2},
      {"select '?', \"a?\", ?", "select '?', \"a?\", $1", 1},
      {"select 'it''s ?' || ?", "select 'it''s ?' || $1", 1},
      {"select ? -- why?\n, ?", "select $1 -- why?\n, $2", 2},
      {"select /* a /* nested? */ still? */ ?", "select /* a /* nested? */ still? */ $1", 1},
      {"select $$?$$, $tag$ ? $tag$, ?", "select $$?$$, $tag$ ? $tag$, $1", 1},
      {"select $1 from t where a = ?", "select $1 from t where a = $1", 1},
      {"select 'unterminated ?", "select 'unterminated ?", 0},
      {"select E'it\\'s ?', ?", "select E'it\\'s ?', $1", 1},
      {"select e'\\\\', ?", "select e'\\\\', $1", 1},
      {"select date'2024-01-01', 'a\\', ?", "select date'2024-01-01', 'a\\', $1", 1},
  };
  for (const auto& c : cases) {
    NumberedSql numbered = numberPlaceholders(c.sql);
    EXPECT_EQ(numbered.text, c.expected) << c.sql;
    EXPECT_EQ(numbered.parameters, c.count) << c.sql;
  }
}

TEST(PqPlaceholders, OnlyASingleQueryIsReadThroughACursor) {
  struct Case {
    const char* sql;
    bool cursor;
  } cases[] = {
      {"select 1", true},
      {"  (SELECT a FROM t) UNION (select b from u);", true},
      {"values (1), (2)", true},
      {"table t", true},
      {"/* why */ select 'x; insert' -- ;\n", true},
      {"select a into t2 from t", false},
      {"select 1; select 2", false},
      {"insert into t select 1", false},
      {"with w as (delete from t returning *) select * from w", false},
      {"update t set a = 1", false},
      {"select \"into\" from t", true},
  };
  for (const auto& c : cases) EXPECT_EQ(readsAsCursor(c.sql), c.cursor) << c.sql;
}

class PqServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    registerPqDriver();
    database_ = server_->createDatabase();
  }

  Ref<Connection> connect(const std::string& user = PostgresServer::kUser,
                          const std::string& password = PostgresServer::kPassword) {
    return DriverManager::getConnection(server_->url(database_), user, password);
  }

  PostgresServer* server_ = nullptr;
  std::string database_;
};

TEST_F(PqServerTest, ValuesRoundTripThroughParametersWithTheirTypes) {
  auto c = connect();
  c->createStatement()->executeUpdate(
      "create table v (i int, b bigint, s smallint, d double precision, r real, n numeric(10,3), vc varchar(20), "
      "ch char(8), tx text, bo boolean, dt date, tm time, ts timestamp, by bytea)");
  auto insert = c->prepareStatement("insert into v values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
  insert->setInt(1, -7);
  insert->setLong(2, 9007199254740993LL);
  insert->setShort(3, 12);
  insert->setDouble(4, 0.1);
  insert->setFloat(5, 1.5F);
  insert->setBigDecimal(6, plat::math::Decimal("-12.345"));
  insert->setString(7, "it's a \"quote\" ?");
  insert->setString(8, "ab");
  insert->setString(9, "ünïcode");
  insert->setBoolean(10, true);
  insert->setDate(11, plat::time::Date::valueOf("2024-02-29"));
  insert->setTime(12, plat::time::Time::valueOf("23:59:58"));
  insert->setTimestamp(13, plat::time::Timestamp::valueOf("2024-02-29 10:11:12.5"));
  insert->setBytes(14, {0, 1, 0xff, '\\'});
  EXPECT_EQ(insert->executeUpdate(), 1);
  for (int i = 1; i <= 14; ++i) insert->setNull(i, Types::NULL_TYPE);
  EXPECT_EQ(insert->executeUpdate(), 1);

  auto rs = c->createStatement()->executeQuery("select * from v order by i nulls last");
  auto meta = rs->getMetaData();
  const int types[] = {Types::INTEGER, Types::BIGINT,  Types::SMALLINT,  Types::DOUBLE,       Types::REAL,
                       Types::NUMERIC, Types::VARCHAR, Types::CHAR,      Types::LONGVARCHAR,  Types::BIT,
                       Types::DATE,    Types::TIME,    Types::TIMESTAMP, Types::LONGVARBINARY};
  for (int i = 1; i <= 14; ++i) EXPECT_EQ(meta->getColumnType(i), types[i - 1]) << i;
  EXPECT_EQ(meta->getPrecision(6), 10);
  EXPECT_EQ(meta->getScale(6), 3);
  EXPECT_EQ(meta->getPrecision(7), 20);
  EXPECT_EQ(meta->getColumnName(7), "vc");

  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), -7);
  EXPECT_EQ(rs->getLong(2), 9007199254740993LL);
  EXPECT_EQ(rs->getShort(3), 12);
  EXPECT_EQ(rs->getDouble(4), 0.1);
  EXPECT_EQ(rs->getFloat(5), 1.5F);
  EXPECT_EQ(rs->getBigDecimal(6, -1).toString(), "-12.345");
  EXPECT_EQ(rs->getBigDecimal(6, 1).toString(), "-12.3");
  EXPECT_EQ(rs->getBigDecimal(6).toString(), "-12.345");
  EXPECT_EQ(rs->getBigDecimal("n").toString(), "-12.345");
  EXPECT_EQ(rs->getString(7), "it's a \"quote\" ?");
  EXPECT_EQ(rs->getString(8), "ab      ");
  EXPECT_EQ(rs->getString(9), "ünïcode");
  EXPECT_TRUE(rs->getBoolean(10));
  EXPECT_EQ(rs->getDate(11).toString(), "2024-02-29");
  EXPECT_EQ(rs->getTime(12).toString(), "23:59:58");
  EXPECT_EQ(rs->getTimestamp(13).toString(), "2024-02-29 10:11:12.5");
  EXPECT_EQ(rs->getBytes(14), (std::vector<std::uint8_t>{0, 1, 0xff, '\\'}));
  EXPECT_FALSE(rs->wasNull());
  EXPECT_EQ(rs->getObject("b").getLong(), 9007199254740993LL);

  ASSERT_TRUE(rs->next());
  for (int i = 1; i <= 14; ++i) {
    EXPECT_TRUE(rs->getObject(i).isNull()) << i;
    EXPECT_TRUE(rs->wasNull());
  }
  EXPECT_EQ(rs->getInt(1), 0);
  EXPECT_EQ(rs->getString(7), "");
  EXPECT_FALSE(rs->next());
}

// libpq gives SQL NULL and an empty text alike as "": only a NULL reads as null.
TEST_F(PqServerTest, AnEmptyTextIsNotNull) {
  auto c = connect();
  auto rs = c->createStatement()->executeQuery("select '', null::text, 'x', ''::varchar(3), null::int");
  ASSERT_TRUE(rs->next());
  const struct {
    int column;
    bool null;
  } cases[] = {{1, false}, {2, true}, {3, false}, {4, false}, {5, true}, {1, false}};
  for (const auto& c : cases) {
    rs->getString(c.column);
    EXPECT_EQ(rs->wasNull(), c.null) << c.column;
    EXPECT_EQ(rs->getObject(c.column).isNull(), c.null) << c.column;
  }
}

// Decimals, doubles and dates are read from the server's text; every text reads as the general parsers read it
// (value, scale, rolled-over day), and a text they refuse is a SQLException.
TEST_F(PqServerTest, TypedGettersReadTextsAsTheGeneralParsersDo) {
  const char* const texts[] = {
      // decimals, plain and not
      "0", "-0.00", "+1.5", "1.", ".5", "-12.345", "123456789012345678", "-1234567890123456789",
      "99999999999999999999.99", "1.2.3", "1e3", "-2.5E-2", "", "-", ".", "12a", " 1",
      // doubles the server writes, and others
      "Infinity", "-Infinity", "NaN", "1e-400", "0x10",
      // dates, plain, rolled over and not
      "2024-02-29", "2024-02-31", "2024-13-01", "2024-00-10", "0099-01-01", "2024-01-01 BC", "2024-01-01x", "2024-1-5",
      "2024-01-1", "20240101", "2024/01/01"};
  std::string list;
  for (const char* text : texts) list += std::string(list.empty() ? "" : ",") + "'" + text + "'";
  auto c = connect();
  auto rs = c->createStatement()->executeQuery("select x from unnest(array[" + list +
                                               "]::text[]) with ordinality u(x, n) order by n");
  for (const std::string text : texts) {
    ASSERT_TRUE(rs->next()) << text;
    std::string decimal = "refused";
    try {
      const plat::math::Decimal expected(text);
      decimal = expected.toString() + " scale " + std::to_string(expected.scale());
    } catch (const plat::lang::NumberFormatException&) {
    }
    try {
      const plat::math::Decimal read = rs->getBigDecimal(1, -1);
      EXPECT_EQ(read.toString() + " scale " + std::to_string(read.scale()), decimal) << text;
    } catch (const SQLException&) {
      EXPECT_EQ("refused", decimal) << text;
    }
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    const bool whole = !text.empty() && *end == '\0';
    try {
      const double read = rs->getDouble(1);
      EXPECT_TRUE(whole) << text;
      EXPECT_TRUE(read == parsed || (std::isnan(read) && std::isnan(parsed))) << text;
      EXPECT_EQ(std::signbit(read), std::signbit(parsed)) << text;
    } catch (const SQLException&) {
      EXPECT_FALSE(whole) << text;
    }
    std::string date = "refused";
    try {
      date = plat::time::Date::valueOf(text.substr(0, 10)).toString();
      // A BC date is the proleptic one, never the AD date of its digits.
      if (text.ends_with(" BC")) date = "-2023-01-01";
    } catch (const plat::lang::IllegalArgumentException&) {
    }
    try {
      EXPECT_EQ(rs->getDate(1).toString(), date) << text;
    } catch (const SQLException&) {
      EXPECT_EQ("refused", date) << text;
    }
  }
  EXPECT_FALSE(rs->next());
}

TEST_F(PqServerTest, ParameterValuesAreNeverSpliced) {
  auto c = connect();
  c->createStatement()->executeUpdate("create table s (t text)");
  auto insert = c->prepareStatement("insert into s values (?)");
  insert->setString(1, "x'); drop table s; --");
  insert->executeUpdate();
  auto query = c->prepareStatement("select count(*) from s where t = ?");
  query->setString(1, "x'); drop table s; --");
  auto rs = query->executeQuery();
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 1);
  auto unset = c->prepareStatement("select ?::int");
  EXPECT_THROW(unset->executeQuery(), SQLException);
}

TEST_F(PqServerTest, ServerErrorsCarryTheirSqlState) {
  auto c = connect();
  auto stmt = c->createStatement();
  struct Case {
    const char* sql;
    const char* state;
  } cases[] = {{"select * from missing", "42P01"}, {"select 1/0", "22012"}, {"selec 1", "42601"}};
  for (const auto& k : cases) {
    try {
      stmt->execute(k.sql);
      ADD_FAILURE() << k.sql;
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getSQLState(), k.state) << k.sql;
    }
  }
  EXPECT_THROW(stmt->executeQuery("create table q (a int)"), SQLException);
  EXPECT_THROW(stmt->executeUpdate("select 1"), SQLException);
}

TEST_F(PqServerTest, ClosedObjectsAnswerIsClosedAndRefuseTheRest) {
  auto c = connect();
  auto stmt = c->createStatement();
  auto rs = stmt->executeQuery("select 1");
  auto other = c->createStatement();
  auto open = other->executeQuery("select 2");
  EXPECT_FALSE(rs->isClosed());
  stmt->close();
  EXPECT_TRUE(stmt->isClosed());
  EXPECT_TRUE(rs->isClosed());
  EXPECT_THROW(rs->next(), SQLException);
  EXPECT_THROW(stmt->executeQuery("select 1"), SQLException);
  EXPECT_NO_THROW(stmt->close());
  // Results are read whole: another statement's result stays readable.
  ASSERT_TRUE(open->next());
  EXPECT_EQ(open->getInt(1), 2);
  c->close();
  EXPECT_TRUE(other->isClosed());
  EXPECT_TRUE(open->isClosed());
  EXPECT_THROW(open->getInt(1), SQLException);
  EXPECT_THROW(c->createStatement(), SQLException);
  EXPECT_THROW(c->commit(), SQLException);
  EXPECT_NO_THROW(c->close());
}

TEST_F(PqServerTest, LoginFailuresAndUnreachableServersFailDifferently) {
  try {
    connect(PostgresServer::kOtherUser, "wrong");
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_NE(std::string(e.what()).find("password authentication failed"), std::string::npos) << e.what();
  }
  EXPECT_NO_THROW(connect(PostgresServer::kOtherUser, PostgresServer::kOtherPassword));
  try {
    DriverManager::getConnection(server_->url("nosuchdb"), PostgresServer::kUser, PostgresServer::kPassword);
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
  }
  EXPECT_THROW(DriverManager::getConnection("jdbc:postgresql://127.0.0.1:1/x", "a", "b"), SQLException);
  EXPECT_THROW(DriverManager::getConnection("jdbc:postgresql://127.0.0.1:x/db", "a", "b"), SQLException);
  EXPECT_THROW(DriverManager::getConnection("jdbc:postgresql://127.0.0.1", "a", "b"), SQLException);
}

TEST_F(PqServerTest, IsolationLevelsDecideWhatAnotherCommitShows) {
  auto writer = connect();
  writer->createStatement()->executeUpdate("create table iso (n int)");
  auto reader = connect();
  EXPECT_EQ(reader->getMetaData()->getDefaultTransactionIsolation(), Connection::TRANSACTION_READ_COMMITTED);
  struct Case {
    int level;
    int seenAfterCommit;
  } cases[] = {{Connection::TRANSACTION_READ_COMMITTED, 1}, {Connection::TRANSACTION_REPEATABLE_READ, 0}};
  for (const auto& k : cases) {
    writer->createStatement()->executeUpdate("delete from iso");
    reader->setTransactionIsolation(k.level);
    EXPECT_EQ(reader->getTransactionIsolation(), k.level);
    reader->setAutoCommit(false);
    auto count = [&] {
      auto rs = reader->createStatement()->executeQuery("select count(*) from iso");
      rs->next();
      return rs->getInt(1);
    };
    EXPECT_EQ(count(), 0);
    writer->createStatement()->executeUpdate("insert into iso values (1)");
    EXPECT_EQ(count(), k.seenAfterCommit) << k.level;
    reader->commit();
    EXPECT_EQ(count(), 1);
    reader->setAutoCommit(true);
  }
}

TEST_F(PqServerTest, SerializableConflictFailsTheCommitOrTheStatement) {
  auto setup = connect();
  setup->createStatement()->executeUpdate("create table acc (id int primary key, v int)");
  setup->createStatement()->executeUpdate("insert into acc values (1, 0), (2, 0)");
  auto a = connect();
  auto b = connect();
  for (auto& c : {a, b}) {
    c->setTransactionIsolation(Connection::TRANSACTION_SERIALIZABLE);
    c->setAutoCommit(false);
  }
  a->createStatement()->executeQuery("select sum(v) from acc");
  b->createStatement()->executeQuery("select sum(v) from acc");
  a->createStatement()->executeUpdate("update acc set v = 1 where id = 1");
  b->createStatement()->executeUpdate("update acc set v = 1 where id = 2");
  a->commit();
  try {
    b->commit();
    FAIL() << "write skew committed";
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getSQLState(), "40001");
  }
}

TEST_F(PqServerTest, ReadOnlyAndCatalogRefusals) {
  auto c = connect();
  c->createStatement()->executeUpdate("create table ro (n int)");
  c->setReadOnly(true);
  EXPECT_TRUE(c->isReadOnly());
  try {
    c->createStatement()->executeUpdate("insert into ro values (1)");
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getSQLState(), "25006");
  }
  c->setReadOnly(false);
  EXPECT_EQ(c->createStatement()->executeUpdate("insert into ro values (1)"), 1);
  EXPECT_EQ(c->getCatalog(), database_);
  EXPECT_NO_THROW(c->setCatalog(database_));
  EXPECT_THROW(c->setCatalog("postgres"), SQLException);
}

TEST_F(PqServerTest, AFailedStatementFailsTheCommitOfItsTransaction) {
  auto c = connect();
  c->createStatement()->executeUpdate("create table f (n int primary key)");
  c->setAutoCommit(false);
  c->createStatement()->executeUpdate("insert into f values (1)");
  EXPECT_THROW(c->createStatement()->executeUpdate("insert into f values (1)"), SQLException);
  EXPECT_THROW(c->commit(), SQLException);
  c->setAutoCommit(true);
  auto rs = c->createStatement()->executeQuery("select count(*) from f");
  rs->next();
  EXPECT_EQ(rs->getInt(1), 0);
}

TEST_F(PqServerTest, CallsReturnOutInOutAndReturnValues) {
  auto c = connect();
  auto ddl = c->createStatement();
  ddl->executeUpdate("create table calls (n int)");
  ddl->executeUpdate(
      "create procedure bump(inout v int, out doubled int) language plpgsql as "
      "$$ begin insert into calls values (v); v := v + 1; doubled := v * 2; end $$");
  ddl->executeUpdate(
      "create function split(a int, out half numeric, out label text) language sql as "
      "$$ select a / 2.0, 'n=' || a $$");
  ddl->executeUpdate("create function twice(a int) returns int language sql as $$ select a * 2 $$");

  auto procedure = c->prepareCall("{call bump(?, ?)}");
  procedure->setInt(1, 20);
  procedure->registerOutParameter(1, Types::INTEGER);
  procedure->registerOutParameter(2, Types::INTEGER);
  EXPECT_FALSE(procedure->execute());
  EXPECT_EQ(procedure->getResultSet(), nullptr);
  EXPECT_EQ(procedure->getInt(1), 21);
  EXPECT_EQ(procedure->getInt(2), 42);
  EXPECT_FALSE(procedure->wasNull());

  auto function = c->prepareCall(" { call split( ?, ?, ? ) } ");
  function->setInt(1, 5);
  function->registerOutParameter(2, Types::NUMERIC);
  function->registerOutParameter(3, Types::VARCHAR);
  function->execute();
  EXPECT_EQ(function->getBigDecimal(2, 1).toString(), "2.5");
  EXPECT_EQ(function->getString(3), "n=5");
  EXPECT_THROW(function->getInt(1), SQLException);

  auto returning = c->prepareCall("{? = call twice(?)}");
  returning->registerOutParameter(1, Types::INTEGER);
  returning->setInt(2, 7);
  returning->execute();
  EXPECT_EQ(returning->getObject(1).getInt(), 14);
  returning->setNull(2, Types::INTEGER);
  returning->execute();
  EXPECT_EQ(returning->getInt(1), 0);
  EXPECT_TRUE(returning->wasNull());

  auto rs = c->createStatement()->executeQuery("select n from calls");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 20);
  EXPECT_THROW(c->prepareCall("call bump(?, ?)"), SQLException);
  EXPECT_THROW(c->prepareCall("{? call x()}"), SQLException);
}

TEST_F(PqServerTest, ServerNoticesBecomeWarningsOfTheStatementThatRanThem) {
  auto c = connect();
  auto statement = c->createStatement();
  statement->execute("do $$ begin raise notice 'first note'; raise warning 'second note'; end $$");
  auto warning = statement->getWarnings();
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(warning->getMessage(), "first note");
  EXPECT_EQ(warning->getSQLState(), "00000");
  auto next = warning->getNextWarning();
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->getMessage(), "second note");
  EXPECT_EQ(next->getSQLState(), "01000");
  EXPECT_EQ(next->getNextWarning(), nullptr);
  EXPECT_EQ(c->getWarnings(), nullptr);

  // A prepared statement's notices are its own; the next run of a statement starts a new chain.
  auto prepared = c->prepareStatement("do $$ begin raise notice 'prepared note'; end $$");
  prepared->execute();
  ASSERT_NE(prepared->getWarnings(), nullptr);
  EXPECT_EQ(prepared->getWarnings()->getMessage(), "prepared note");
  statement->execute("select 1");
  EXPECT_EQ(statement->getWarnings(), nullptr);
  prepared->clearWarnings();
  EXPECT_EQ(prepared->getWarnings(), nullptr);
}

TEST_F(PqServerTest, TheDriverClassIsFoundByNameAndRegistersTheDriver) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  EXPECT_EQ(registry.getModuleFor(PqDriver::kClassName), "plat_pq");
  auto driver = registry.forName(PqDriver::kClassName).factory();
  ASSERT_NE(dynamic_cast<PqDriver*>(driver.get()), nullptr);
}

TEST_F(PqServerTest, StatementsOfOneConnectionRunOnTwoThreads) {
  auto c = connect();
  c->createStatement()->executeUpdate("create table par (t int, n int)");
  std::atomic<int> failures{0};
  auto work = [&](int id) {
    try {
      auto insert = c->prepareStatement("insert into par values (?, ?)");
      for (int i = 0; i < 200; ++i) {
        insert->setInt(1, id);
        insert->setInt(2, i);
        insert->executeUpdate();
        auto rs = c->createStatement()->executeQuery("select count(*) from par");
        rs->next();
      }
    } catch (...) {
      ++failures;
    }
  };
  std::thread one(work, 1);
  std::thread two(work, 2);
  one.join();
  two.join();
  EXPECT_EQ(failures.load(), 0);
  auto rs = c->createStatement()->executeQuery("select count(*) from par");
  rs->next();
  EXPECT_EQ(rs->getInt(1), 400);
}

}  // namespace
}  // namespace plat::sql::pq

#endif  // __has_include(<libpq-fe.h>)
