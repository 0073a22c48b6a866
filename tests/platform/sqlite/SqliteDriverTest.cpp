#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/sqlite/SqliteDriver.h"
#include "platform/sqlite/SqliteTypes.h"

namespace plat::sql::sqlite {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kMemory = "jdbc:sqlite::memory:";

Ref<Connection> openMemory() {
  registerSqliteDriver();
  return DriverManager::getConnection(kMemory);
}

Ref<plat::io::InputStream> streamOf(const std::string& text) {
  return plat::lang::makeRef<plat::io::ByteArrayInputStream>(Bytes(text.begin(), text.end()));
}

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const SQLException& e) {
    return e.getMessage();
  }
  return "(no exception)";
}

class SqliteTest : public ::testing::Test {
 protected:
  void SetUp() override { connection_ = openMemory(); }
  void exec(const std::string& sql) { connection_->createStatement()->executeUpdate(sql); }
  Ref<ResultSet> query(const std::string& sql) { return connection_->createStatement()->executeQuery(sql); }
  std::int64_t count(const std::string& table) {
    auto rs = query("SELECT COUNT(*) FROM " + table);
    EXPECT_TRUE(rs->next());
    return rs->getLong(1);
  }

  Ref<Connection> connection_;
};

TEST(SqliteDriver, UrlsAndRegistration) {
  SqliteDriver driver;
  EXPECT_TRUE(driver.acceptsURL("jdbc:sqlite::memory:"));
  EXPECT_TRUE(driver.acceptsURL("jdbc:sqlite:/tmp/x.db"));
  EXPECT_FALSE(driver.acceptsURL("jdbc:orvo://host:1/engine"));
  EXPECT_FALSE(driver.acceptsURL("jdbc:sqlitex"));
  EXPECT_EQ(driver.connect("jdbc:other:x", {}), nullptr);
  EXPECT_THROW(driver.connect("jdbc:sqlite:", {}), SQLException);

  registerSqliteDriver();
  registerSqliteDriver();
  int sqliteDrivers = 0;
  for (const auto& d : DriverManager::getDrivers())
    if (plat::lang::refCast<SqliteDriver>(d) != nullptr) ++sqliteDrivers;
  EXPECT_EQ(sqliteDrivers, 1);
}

TEST(SqliteDriver, FileDatabaseKeepsCommittedRows) {
  std::string path = ::testing::TempDir() + "sqlite_driver_file_test.db";
  std::remove(path.c_str());
  registerSqliteDriver();
  {
    auto c = DriverManager::getConnection("jdbc:sqlite:" + path);
    c->createStatement()->executeUpdate("CREATE TABLE t (v INTEGER)");
    c->createStatement()->executeUpdate("INSERT INTO t VALUES (7)");
    c->close();
  }
  registerSqliteDriver();  // registering again must not break the lookup
  auto c = DriverManager::getConnection("jdbc:sqlite:" + path);
  auto rs = c->createStatement()->executeQuery("SELECT v FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 7);
  c->close();
  std::remove(path.c_str());
}

TEST_F(SqliteTest, EverySetterRoundTrips) {
  exec(
      "CREATE TABLE t (b BOOLEAN, y TINYINT, s SMALLINT, i INTEGER, l BIGINT, f REAL, d DOUBLE, "
      "m DECIMAL(30,4), v VARCHAR(20), x BLOB, dt DATE, tm TIME, ts TIMESTAMP)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
  const plat::math::Decimal big("12345678901234567890123456.1250");
  ps->setBoolean(1, true);
  ps->setByte(2, -128);
  ps->setShort(3, 32767);
  ps->setInt(4, -2147483647 - 1);
  ps->setLong(5, INT64_MAX);
  ps->setFloat(6, 1.1f);
  ps->setDouble(7, 0.1);
  ps->setBigDecimal(8, big);
  ps->setString(9, "h\xC3\xA9llo");
  ps->setBytes(10, Bytes{0, 1, 255, 0});
  ps->setDate(11, plat::time::Date(1999, 12, 31));
  ps->setTime(12, plat::time::Time(23, 59, 58));
  ps->setTimestamp(13, plat::time::Timestamp(2000, 2, 29, 1, 2, 3, 123456789));
  EXPECT_EQ(ps->executeUpdate(), 1);

  auto rs = query("SELECT * FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_TRUE(rs->getBoolean(1));
  EXPECT_EQ(rs->getByte(2), -128);
  EXPECT_EQ(rs->getShort(3), 32767);
  EXPECT_EQ(rs->getInt(4), -2147483647 - 1);
  EXPECT_EQ(rs->getLong(5), INT64_MAX);
  EXPECT_EQ(rs->getFloat(6), 1.1f);
  EXPECT_EQ(rs->getDouble(7), 0.1);
  EXPECT_EQ(rs->getBigDecimal(8, 4), big);
  EXPECT_EQ(rs->getString("v"), "h\xC3\xA9llo");
  EXPECT_EQ(rs->getBytes(10), (Bytes{0, 1, 255, 0}));
  EXPECT_EQ(rs->getDate(11), plat::time::Date(1999, 12, 31));
  EXPECT_EQ(rs->getTime(12), plat::time::Time(23, 59, 58));
  EXPECT_EQ(rs->getTimestamp("TS"), plat::time::Timestamp(2000, 2, 29, 1, 2, 3, 123456789));
  EXPECT_FALSE(rs->wasNull());

  // getObject answers by the declared type.
  EXPECT_TRUE(rs->getObject(1).is(Value::Kind::Boolean));
  EXPECT_TRUE(rs->getObject(2).is(Value::Kind::Byte));
  EXPECT_TRUE(rs->getObject(3).is(Value::Kind::Short));
  EXPECT_EQ(rs->getObject(4), Value::ofInt(-2147483647 - 1));
  EXPECT_EQ(rs->getObject(5), Value::ofLong(INT64_MAX));
  // A REAL column is a double: the float arrives as the double it widens to.
  EXPECT_EQ(rs->getObject(6), Value::ofDouble(static_cast<double>(1.1f)));
  EXPECT_EQ(rs->getObject(7), Value::ofDouble(0.1));
  EXPECT_EQ(rs->getObject(8), Value::ofDecimal(big));
  EXPECT_EQ(rs->getObject(9), Value::ofString("h\xC3\xA9llo"));
  EXPECT_EQ(rs->getObject(10).getBytes(), (Bytes{0, 1, 255, 0}));
  EXPECT_EQ(rs->getObject(11), Value(plat::time::Date(1999, 12, 31)));
  EXPECT_EQ(rs->getObject(12), Value(plat::time::Time(23, 59, 58)));
  EXPECT_EQ(rs->getObject(13), Value(plat::time::Timestamp(2000, 2, 29, 1, 2, 3, 123456789)));
  EXPECT_FALSE(rs->next());
}

TEST_F(SqliteTest, DecimalKeepsItsDeclaredScale) {
  exec("CREATE TABLE t (m DECIMAL(10,2))");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?)");
  ps->setBigDecimal(1, plat::math::Decimal("12.50"));
  ps->executeUpdate();
  auto rs = query("SELECT m FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getObject(1), Value::ofDecimal(plat::math::Decimal("12.50")));
  EXPECT_EQ(rs->getBigDecimal(1, 1), plat::math::Decimal("12.5"));
  EXPECT_EQ(rs->getBigDecimal(1), plat::math::Decimal("12.5"));
}

TEST_F(SqliteTest, DecimalsRoundTripExactly) {
  exec("CREATE TABLE t (k INTEGER, m NUMERIC)");
  const char* values[] = {"0",
                          "-7",
                          "9223372036854775807",
                          "99999999999999999999",
                          "0.1",
                          "123456789012.345",
                          "-1234567890123456789.000001",
                          "3.14159265358979323846264338327950288"};
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?, ?)");
  int k = 0;
  for (const char* v : values) {
    ps->setInt(1, k++);
    ps->setBigDecimal(2, plat::math::Decimal(v));
    ps->executeUpdate();
  }
  auto rs = query("SELECT m FROM t ORDER BY k");
  for (const char* v : values) {
    SCOPED_TRACE(v);
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->getBigDecimal(1, -1).compareTo(plat::math::Decimal(v)), 0) << rs->getString(1);
  }
  // A whole number stays a number SQL can compare.
  auto whole = query("SELECT COUNT(*) FROM t WHERE m = 9223372036854775807");
  ASSERT_TRUE(whole->next());
  EXPECT_EQ(whole->getInt(1), 1);
  // A value that SQLite keeps as a real reads with every digit of its double, not the 15 of SQLite's own text.
  exec("INSERT INTO t VALUES (99, 12345678901234.5678)");
  auto real = query("SELECT m FROM t WHERE k = 99");
  ASSERT_TRUE(real->next());
  EXPECT_EQ(real->getBigDecimal(1, 4), plat::math::Decimal("12345678901234.5680"));
}

TEST_F(SqliteTest, NullsReadAsEmptyValuesAndWasNullTellsTheLastColumn) {
  exec("CREATE TABLE t (i INTEGER, v VARCHAR(5), x BLOB, d DATE, n INTEGER)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?,?,?,?,?)");
  ps->setNull(1, Types::INTEGER);
  ps->setObject(2, Value());
  ps->setBinaryStream(3, nullptr, 0);
  ps->setObject(4, Value(), Types::DATE);
  ps->setInt(5, 9);
  ps->executeUpdate();
  auto rs = query("SELECT * FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 0);
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getInt(5), 9);
  EXPECT_FALSE(rs->wasNull());
  EXPECT_EQ(rs->getString(2), "");
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getBinaryStream(3), nullptr);
  EXPECT_TRUE(rs->wasNull());
  EXPECT_TRUE(rs->getObject(4).isNull());
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getBytes(3), Bytes{});
  EXPECT_TRUE(rs->wasNull());
}

TEST_F(SqliteTest, EmptyBlobIsNotNull) {
  exec("CREATE TABLE t (x BLOB)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?)");
  ps->setBytes(1, {});
  ps->executeUpdate();
  auto rs = query("SELECT x IS NULL, x FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 0);
  EXPECT_EQ(rs->getBytes(2), Bytes{});
  EXPECT_FALSE(rs->wasNull());
}

TEST_F(SqliteTest, GetStringReadsEveryStorageClassAndOnlyNullIsNull) {
  struct Case {
    const char* expression;
    std::string text;
    bool isNull;
  };
  const std::vector<Case> cases{
      {"NULL", "", true},       {"42", "42", false}, {"-2.5", "-2.5", false},
      {"'abc'", "abc", false},  {"''", "", false},   {"'a' || char(0) || 'b'", std::string("a\0b", 3), false},
      {"x'6869'", "hi", false}, {"x''", "", false},
  };
  for (const Case& c : cases) {
    auto rs = query(std::string("SELECT ") + c.expression + ", 1");
    ASSERT_TRUE(rs->next());
    // The other column's value first: wasNull must tell the text's own cell.
    EXPECT_EQ(rs->getInt(2), 1);
    EXPECT_EQ(rs->getString(1), c.text) << c.expression;
    EXPECT_EQ(rs->wasNull(), c.isNull) << c.expression;
    EXPECT_EQ(rs->getString(1), c.text) << c.expression << ", read again";
    EXPECT_EQ(rs->wasNull(), c.isNull) << c.expression << ", read again";
  }
}

TEST_F(SqliteTest, AValueSqliteHasNoMemoryToConvertFailsItsGetter) {
  // A blob read as text gets a terminator, which makes SQLite grow the blob's room; the heap limit refuses that.
  struct HeapLimit {
    HeapLimit() { sqlite3_hard_heap_limit64(sqlite3_memory_used() + 4096); }
    ~HeapLimit() { sqlite3_hard_heap_limit64(0); }
  };
  const std::vector<std::pair<const char*, std::function<void(ResultSet&)>>> getters{
      {"getString", [](ResultSet& rs) { rs.getString(1); }},
      {"getAsciiStream", [](ResultSet& rs) { rs.getAsciiStream(1); }},
      {"getInt", [](ResultSet& rs) { rs.getInt(1); }},
  };
  for (const auto& [name, get] : getters) {
    auto rs = query("SELECT randomblob(200000)");
    ASSERT_TRUE(rs->next());
    try {
      HeapLimit limit;
      get(*rs);
      ADD_FAILURE() << name << " reported a value";
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getMessage(), "out of memory") << name;
      EXPECT_EQ(e.getErrorCode(), SQLITE_NOMEM) << name;
    }
  }
}

TEST_F(SqliteTest, LongTextAndBinaryThroughStreams) {
  exec("CREATE TABLE t (a TEXT, u TEXT, b BLOB)");
  std::string text(300000, 'x');
  for (std::size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
  Bytes binary(200000);
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<std::uint8_t>(i * 31);
  // "\xE2\x82\xAC" (the euro sign) as two bytes in the unicode stream.
  Bytes unicode{0x20, 0xAC, 0, 'x'};

  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?,?,?)");
  ps->setAsciiStream(1, streamOf(text + "tail not sent"), static_cast<int>(text.size()));
  ps->setUnicodeStream(2, plat::lang::makeRef<plat::io::ByteArrayInputStream>(unicode), 4);
  ps->setBinaryStream(3, plat::lang::makeRef<plat::io::ByteArrayInputStream>(binary), static_cast<int>(binary.size()));
  ps->executeUpdate();

  auto rs = query("SELECT a, u, b FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString(1), text);
  EXPECT_EQ(rs->getString(2), "\xE2\x82\xACx");
  auto in = rs->getBinaryStream(3);
  Bytes read(binary.size() + 10);
  std::size_t got = 0;
  while (true) {
    int n = in->read(read.data() + got, read.size() - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  read.resize(got);
  EXPECT_EQ(read, binary);
  auto unicodeIn = rs->getUnicodeStream(2);
  EXPECT_EQ(unicodeIn->read(), 0x20);
  EXPECT_EQ(unicodeIn->read(), 0xAC);
}

TEST_F(SqliteTest, StreamSettersRefuseBadLengths) {
  exec("CREATE TABLE t (b BLOB)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?)");
  EXPECT_THROW(ps->setBinaryStream(1, streamOf("abc"), -1), SQLException);
  EXPECT_THROW(ps->setAsciiStream(1, streamOf("abc"), -1), SQLException);
  EXPECT_THROW(ps->setUnicodeStream(1, streamOf("ab"), -2), SQLException);
  // A stream shorter than the length given is an error, not a silently shorter value.
  EXPECT_THROW(ps->setBinaryStream(1, streamOf("abc"), 10), SQLException);
}

TEST_F(SqliteTest, SetObjectForms) {
  exec("CREATE TABLE t (v)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?)");
  auto stored = [&](auto&& set) {
    exec("DELETE FROM t");
    set();
    ps->executeUpdate();
    auto rs = query("SELECT typeof(v) || ':' || quote(v) FROM t");
    EXPECT_TRUE(rs->next());
    return rs->getString(1);
  };
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofInt(5)); }), "integer:5");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofString("5"), Types::INTEGER); }), "integer:5");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofDouble(2.9), Types::SMALLINT); }), "integer:2");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofBytes({7, 8}), Types::TINYINT); }), "integer:7");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofDouble(1.005), Types::DECIMAL, 2); }), "text:'1.01'");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofInt(3), Types::VARCHAR); }), "text:'3'");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value::ofBoolean(true)); }), "integer:1");
  EXPECT_EQ(stored([&] { ps->setObject(1, Value(), Types::INTEGER); }), "null:NULL");

  struct Bad {
    const char* what;
    Value value;
    int type;
  };
  const Bad bad[] = {
      {"int out of range", Value::ofLong(1LL << 40), Types::INTEGER},
      {"tinyint out of range", Value::ofInt(300), Types::TINYINT},
      {"empty bytes as tinyint", Value::ofBytes({}), Types::TINYINT},
      {"text not a number", Value::ofString("five"), Types::INTEGER},
      {"bytes as date", Value::ofBytes({1}), Types::DATE},
      {"bytes as varchar", Value::ofBytes({1}), Types::VARCHAR},
      {"unknown target", Value::ofInt(1), Types::OTHER},
      {"infinity as decimal", Value::ofDouble(1.0 / 0.0), Types::DECIMAL},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.what);
    EXPECT_THROW(ps->setObject(1, b.value, b.type), SQLException);
  }
}

TEST_F(SqliteTest, ParametersAreChecked) {
  exec("CREATE TABLE t (a, b)");
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?, ?)");
  EXPECT_EQ(messageOf([&] { ps->setInt(3, 1); }), "Parameter index is out-of-range: 3");
  EXPECT_THROW(ps->setInt(0, 1), SQLException);
  ps->setInt(1, 1);
  EXPECT_THROW(ps->executeUpdate(), SQLException);  // parameter 2 not set
  ps->setInt(2, 2);
  EXPECT_EQ(ps->executeUpdate(), 1);
  ps->clearParameters();
  EXPECT_THROW(ps->executeUpdate(), SQLException);
  EXPECT_EQ(count("t"), 1);
}

TEST_F(SqliteTest, ParametersMaySetWhileAResultIsRead) {
  exec("CREATE TABLE t (v INTEGER)");
  exec("INSERT INTO t VALUES (1), (2), (3)");
  auto ps = connection_->prepareStatement("SELECT v FROM t WHERE v >= ? ORDER BY v");
  ps->setInt(1, 2);
  auto rs = ps->executeQuery();
  ASSERT_TRUE(rs->next());
  ps->setInt(1, 1);
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 3);
  // The next run closes the open result set and uses the new parameter.
  auto again = ps->executeQuery();
  EXPECT_THROW(rs->next(), SQLException);
  int rows = 0;
  while (again->next()) ++rows;
  EXPECT_EQ(rows, 3);
}

TEST_F(SqliteTest, ResultSetMetaDataFromDeclaredTypes) {
  exec(
      "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(40) NOT NULL, price DECIMAL(10,2), "
      "born DATE, photo BLOB, notes TEXT)");
  auto rs = query("SELECT id, name AS label, price, born, photo, notes, 1 + 1 AS two FROM t");
  auto md = rs->getMetaData();
  ASSERT_EQ(md->getColumnCount(), 7);
  struct Expect {
    int type;
    int size;
    std::string name;
    std::string label;
  };
  const Expect expected[] = {
      {Types::INTEGER, 11, "id", "id"},
      {Types::VARCHAR, 40, "name", "label"},
      {Types::DECIMAL, 12, "price", "price"},
      {Types::DATE, 10, "born", "born"},
      {Types::LONGVARBINARY, kUnboundedSize, "photo", "photo"},
      {Types::LONGVARCHAR, kUnboundedSize, "notes", "notes"},
      {Types::VARCHAR, kUnboundedSize, "two", "two"},  // no row: an expression's type is unknown
  };
  for (int i = 1; i <= 7; ++i) {
    SCOPED_TRACE(i);
    const Expect& e = expected[i - 1];
    EXPECT_EQ(md->getColumnType(i), e.type);
    EXPECT_EQ(md->getColumnDisplaySize(i), e.size);
    EXPECT_EQ(md->getColumnName(i), e.name);
    EXPECT_EQ(md->getColumnLabel(i), e.label);
  }
  EXPECT_EQ(md->getPrecision(3), 10);
  EXPECT_EQ(md->getScale(3), 2);
  EXPECT_EQ(md->getTableName(1), "t");
  EXPECT_EQ(md->getTableName(7), "");
  EXPECT_TRUE(md->isAutoIncrement(1));
  EXPECT_EQ(md->isNullable(2), ResultSetMetaData::columnNoNulls);
  EXPECT_EQ(md->isNullable(3), ResultSetMetaData::columnNullable);
  EXPECT_EQ(md->isNullable(7), ResultSetMetaData::columnNullableUnknown);
  EXPECT_EQ(messageOf([&] { md->getColumnType(8); }), "Column index is out-of-range: 8");
}

TEST_F(SqliteTest, ARunAgainDescribesItsOwnColumns) {
  // One compiled statement run again: an expression takes its type from each run's first row, and a changed table
  // changes the declared type.
  exec("CREATE TABLE t (v INTEGER)");
  exec("INSERT INTO t VALUES (1)");
  auto ps = connection_->prepareStatement("SELECT ? AS e, v FROM t");
  struct Run {
    const char* before;
    Value bound;
    int expression;
    int column;
  };
  const Run runs[] = {
      {"", Value::ofInt(1), Types::BIGINT, Types::INTEGER},
      {"", Value::ofInt(2), Types::BIGINT, Types::INTEGER},
      {"", Value::ofString("x"), Types::VARCHAR, Types::INTEGER},
      {"DROP TABLE t; CREATE TABLE t (v VARCHAR(7)); INSERT INTO t VALUES ('a')", Value::ofDouble(2.5), Types::DOUBLE,
       Types::VARCHAR},
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(run.before);
    if (*run.before) connection_->createStatement()->execute(run.before);
    ps->setObject(1, run.bound);
    auto rs = ps->executeQuery();
    auto md = rs->getMetaData();
    EXPECT_EQ(md->getColumnType(1), run.expression);
    EXPECT_EQ(md->getColumnType(2), run.column);
    rs->close();
  }
}

TEST_F(SqliteTest, ColumnIndexIsCheckedFirst) {
  auto rs = query("SELECT 1 AS a, 'x' AS b");
  // Even before the first row, the index is checked before anything else.
  EXPECT_EQ(messageOf([&] { rs->getInt(3); }), "Column index is out-of-range: 3");
  EXPECT_THROW(rs->getInt(1), SQLException);  // no current row yet
  ASSERT_TRUE(rs->next());
  for (int bad : {0, -1, 3, 1000}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(messageOf([&] { rs->getString(bad); }), "Column index is out-of-range: " + std::to_string(bad));
    EXPECT_THROW(rs->getObject(bad), SQLException);
    EXPECT_THROW(rs->getBinaryStream(bad), SQLException);
  }
  EXPECT_EQ(rs->findColumn("B"), 2);
  EXPECT_THROW(rs->findColumn("c"), SQLException);
  EXPECT_EQ(rs->getInt("a"), 1);
}

TEST_F(SqliteTest, GettersRefuseWrongValues) {
  auto rs = query("SELECT 'abc', 3000000000, 1e300, x'01'");
  ASSERT_TRUE(rs->next());
  EXPECT_THROW(rs->getInt(1), SQLException);
  EXPECT_THROW(rs->getInt(2), SQLException);
  EXPECT_EQ(rs->getLong(2), 3000000000LL);
  EXPECT_THROW(rs->getLong(3), SQLException);
  EXPECT_THROW(rs->getDate(1), SQLException);
  EXPECT_THROW(rs->getDouble(4), SQLException);
  EXPECT_EQ(rs->getObject(2), Value::ofLong(3000000000LL));
}

TEST_F(SqliteTest, ManyRowsAndMaxRows) {
  exec("CREATE TABLE t (i INTEGER, v VARCHAR(10))");
  connection_->setAutoCommit(false);
  auto ps = connection_->prepareStatement("INSERT INTO t VALUES (?, ?)");
  constexpr int kRows = 20000;
  for (int i = 0; i < kRows; ++i) {
    ps->setInt(1, i);
    ps->setString(2, "row" + std::to_string(i));
    ASSERT_EQ(ps->executeUpdate(), 1);
  }
  connection_->commit();
  auto rs = query("SELECT i, v FROM t ORDER BY i");
  int seen = 0;
  std::int64_t sum = 0;
  while (rs->next()) {
    ASSERT_EQ(rs->getString(2), "row" + std::to_string(seen));
    sum += rs->getInt(1);
    ++seen;
  }
  EXPECT_EQ(seen, kRows);
  EXPECT_EQ(sum, std::int64_t{kRows} * (kRows - 1) / 2);
  // After the last row the cursor stays finished; it does not start over.
  EXPECT_FALSE(rs->next());
  EXPECT_FALSE(rs->next());

  auto st = connection_->createStatement();
  st->setMaxRows(5);
  auto limited = st->executeQuery("SELECT i FROM t");
  int rows = 0;
  while (limited->next()) ++rows;
  EXPECT_EQ(rows, 5);
  EXPECT_THROW(st->setMaxRows(-1), SQLException);
}

TEST_F(SqliteTest, StatementResultsAndCounts) {
  auto st = connection_->createStatement();
  EXPECT_FALSE(st->execute("CREATE TABLE t (v INTEGER)"));
  EXPECT_EQ(st->getUpdateCount(), 0);
  EXPECT_EQ(st->executeUpdate("INSERT INTO t VALUES (1), (2), (3)"), 3);
  // DDL after an update reports 0, not the count of the statement before.
  EXPECT_EQ(st->executeUpdate("CREATE INDEX ti ON t (v)"), 0);
  EXPECT_EQ(st->executeUpdate("UPDATE t SET v = v + 1 WHERE v > 1"), 2);
  EXPECT_TRUE(st->execute("SELECT v FROM t"));
  EXPECT_EQ(st->getUpdateCount(), -1);
  ASSERT_NE(st->getResultSet(), nullptr);
  EXPECT_FALSE(st->getMoreResults());
  EXPECT_EQ(st->getResultSet(), nullptr);
  EXPECT_EQ(st->getUpdateCount(), -1);

  // The wrong kind of run is refused before anything changes.
  EXPECT_THROW(st->executeQuery("DELETE FROM t"), SQLException);
  EXPECT_EQ(count("t"), 3);
  EXPECT_THROW(st->executeUpdate("SELECT * FROM t"), SQLException);
}

TEST_F(SqliteTest, ScriptsRunEveryStatement) {
  auto st = connection_->createStatement();
  EXPECT_EQ(st->executeUpdate("CREATE TABLE s (v INTEGER); INSERT INTO s VALUES (1); -- one more\n"
                              "INSERT INTO s VALUES (2), (3); /* done */"),
            2);
  EXPECT_EQ(count("s"), 3);
  auto rs = st->executeQuery("INSERT INTO s VALUES (4); SELECT COUNT(*) FROM s;");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 4);
}

TEST_F(SqliteTest, ErrorsCarrySqliteMessages) {
  exec("CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT NOT NULL)");
  exec("INSERT INTO t VALUES (1, 'a')");
  auto st = connection_->createStatement();
  struct Case {
    const char* sql;
    const char* message;
  };
  const Case cases[] = {
      {"SELEC 1", "near \"SELEC\": syntax error"},
      {"SELECT * FROM missing", "no such table: missing"},
      {"INSERT INTO t VALUES (1, 'b')", "UNIQUE constraint failed: t.id"},
      {"INSERT INTO t VALUES (2, NULL)", "NOT NULL constraint failed: t.v"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    try {
      st->execute(c.sql);
      ADD_FAILURE() << "no exception";
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getMessage(), c.message);
      EXPECT_NE(e.getErrorCode(), 0);
    }
  }
  try {
    st->execute("INSERT INTO t VALUES (1, 'b')");
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getSQLState(), "23000");
  }
  EXPECT_THROW(connection_->prepareStatement("SELECT FROM WHERE"), SQLException);
  // The statement stays usable after a failure.
  EXPECT_EQ(st->executeUpdate("INSERT INTO t VALUES (2, 'b')"), 1);
}

TEST_F(SqliteTest, Transactions) {
  exec("CREATE TABLE t (v INTEGER)");
  EXPECT_TRUE(connection_->getAutoCommit());
  connection_->setAutoCommit(false);
  EXPECT_FALSE(connection_->getAutoCommit());
  exec("INSERT INTO t VALUES (1)");
  connection_->rollback();
  EXPECT_EQ(count("t"), 0);
  exec("INSERT INTO t VALUES (2)");
  connection_->commit();
  exec("INSERT INTO t VALUES (3)");
  connection_->rollback();
  EXPECT_EQ(count("t"), 1);
  exec("INSERT INTO t VALUES (4)");
  // Switching auto-commit back on commits the open work.
  connection_->setAutoCommit(true);
  connection_->rollback();
  EXPECT_EQ(count("t"), 2);
  // Commit and rollback in auto-commit mode have nothing to do.
  connection_->commit();
  connection_->rollback();

  EXPECT_EQ(connection_->getTransactionIsolation(), Connection::TRANSACTION_SERIALIZABLE);
  connection_->setTransactionIsolation(Connection::TRANSACTION_READ_COMMITTED);
  EXPECT_THROW(connection_->setTransactionIsolation(Connection::TRANSACTION_NONE), SQLException);
  EXPECT_THROW(connection_->setTransactionIsolation(3), SQLException);
}

TEST(SqliteConnectionFile, UncommittedWorkIsNotKeptOnClose) {
  std::string path = ::testing::TempDir() + "sqlite_driver_tx_test.db";
  std::remove(path.c_str());
  registerSqliteDriver();
  {
    auto c = DriverManager::getConnection("jdbc:sqlite:" + path);
    c->createStatement()->executeUpdate("CREATE TABLE t (v INTEGER)");
    c->setAutoCommit(false);
    c->createStatement()->executeUpdate("INSERT INTO t VALUES (1)");
    c->close();
  }
  auto c = DriverManager::getConnection("jdbc:sqlite:" + path);
  auto rs = c->createStatement()->executeQuery("SELECT COUNT(*) FROM t");
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 0);
  c->close();
  std::remove(path.c_str());
}

TEST_F(SqliteTest, ReadOnly) {
  exec("CREATE TABLE t (v INTEGER)");
  connection_->setReadOnly(true);
  EXPECT_TRUE(connection_->isReadOnly());
  EXPECT_TRUE(connection_->getMetaData()->isReadOnly());
  EXPECT_THROW(exec("INSERT INTO t VALUES (1)"), SQLException);
  connection_->setReadOnly(false);
  exec("INSERT INTO t VALUES (1)");
  EXPECT_EQ(count("t"), 1);
}

TEST_F(SqliteTest, ClosedObjectsRaiseAndCloseIsIdempotent) {
  exec("CREATE TABLE t (v INTEGER)");
  exec("INSERT INTO t VALUES (1)");
  auto st = connection_->createStatement();
  auto rs = st->executeQuery("SELECT v FROM t");
  auto ps = connection_->prepareStatement("SELECT v FROM t");
  auto prs = ps->executeQuery();
  auto md = connection_->getMetaData();
  auto tables = md->getTables(std::nullopt, std::nullopt, "%", std::nullopt);

  rs->close();
  rs->close();
  EXPECT_THROW(rs->next(), SQLException);
  EXPECT_THROW(rs->getInt(1), SQLException);
  EXPECT_THROW(rs->wasNull(), SQLException);

  connection_->close();
  connection_->close();
  EXPECT_TRUE(connection_->isClosed());
  EXPECT_THROW(connection_->createStatement(), SQLException);
  EXPECT_THROW(connection_->commit(), SQLException);
  EXPECT_THROW(connection_->getMetaData(), SQLException);
  EXPECT_THROW(st->executeQuery("SELECT 1"), SQLException);
  EXPECT_THROW(ps->executeQuery(), SQLException);
  EXPECT_THROW(ps->setInt(1, 1), SQLException);
  EXPECT_THROW(prs->next(), SQLException);
  EXPECT_THROW(tables->next(), SQLException);
  EXPECT_THROW(md->getDatabaseProductName(), SQLException);
  EXPECT_THROW(md->getTables(std::nullopt, std::nullopt, "%", std::nullopt), SQLException);
  st->close();
  ps->close();
}

TEST_F(SqliteTest, ClosedStatementsLeaveTheConnection) {
  auto* sqlite = dynamic_cast<SqliteConnection*>(connection_.get());
  ASSERT_NE(sqlite, nullptr);
  for (int i = 0; i < 100; ++i) {
    auto st = connection_->createStatement();
    st->executeQuery("SELECT 1")->next();
    st->close();
    auto ps = connection_->prepareStatement("SELECT ?");
    ps->close();
    auto rs = connection_->getMetaData()->getTableTypes();
    rs->close();
  }
  {
    auto dropped = connection_->createStatement();  // released without close
  }
  EXPECT_EQ(sqlite->openObjectCount(), 0u);
}

TEST_F(SqliteTest, ResultSetOutlivesItsReleasedStatement) {
  auto rs = connection_->createStatement()->executeQuery("SELECT 1 UNION ALL SELECT 2");
  ASSERT_TRUE(rs->next());
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 2);
  // The connection still closes it.
  connection_->close();
  EXPECT_THROW(rs->next(), SQLException);
}

class SqliteMetaDataTest : public SqliteTest {
 protected:
  void SetUp() override {
    SqliteTest::SetUp();
    exec(
        "CREATE TABLE orders (region VARCHAR(8), num INTEGER, amount DECIMAL(9,2) NOT NULL, "
        "note TEXT DEFAULT 'none', PRIMARY KEY (region, num))");
    exec("CREATE INDEX orders_amount ON orders (amount DESC, note)");
    exec("CREATE UNIQUE INDEX orders_note ON orders (note)");
    exec("CREATE VIEW big AS SELECT * FROM orders WHERE amount > 100");
    md_ = connection_->getMetaData();
  }
  Ref<DatabaseMetaData> md_;
};

TEST_F(SqliteMetaDataTest, ProductAndCapabilities) {
  EXPECT_EQ(md_->getDatabaseProductName(), "SQLite");
  EXPECT_EQ(md_->getDatabaseProductVersion().rfind("3.", 0), 0u);
  EXPECT_EQ(md_->getIdentifierQuoteString(), "\"");
  EXPECT_EQ(md_->getURL(), kMemory);
  EXPECT_EQ(md_->getDriverMajorVersion(), SqliteDriver::kMajorVersion);
  EXPECT_TRUE(md_->supportsTransactions());
  EXPECT_TRUE(md_->supportsTransactionIsolationLevel(Connection::TRANSACTION_SERIALIZABLE));
  EXPECT_FALSE(md_->supportsStoredProcedures());
  EXPECT_FALSE(md_->isReadOnly());
}

TEST_F(SqliteMetaDataTest, Tables) {
  auto rs = md_->getTables(std::nullopt, std::nullopt, "%", std::nullopt);
  std::vector<std::string> seen;
  while (rs->next()) seen.push_back(rs->getString("TABLE_NAME") + ":" + rs->getString("TABLE_TYPE"));
  EXPECT_EQ(seen, (std::vector<std::string>{"orders:TABLE", "big:VIEW"}));
  auto views = md_->getTables(std::nullopt, std::nullopt, "%", std::vector<std::string>{"VIEW"});
  ASSERT_TRUE(views->next());
  EXPECT_EQ(views->getString(3), "big");
  EXPECT_FALSE(views->next());
  auto none = md_->getTables(std::nullopt, std::nullopt, "nothing%", std::nullopt);
  EXPECT_FALSE(none->next());
}

TEST_F(SqliteMetaDataTest, Columns) {
  auto rs = md_->getColumns(std::nullopt, std::nullopt, "orders", "%");
  struct Expect {
    const char* name;
    int type;
    int size;
    int digits;
    int nullable;
  };
  const Expect expected[] = {
      {"region", Types::VARCHAR, 8, 0, DatabaseMetaData::columnNullable},
      {"num", Types::INTEGER, 10, 0, DatabaseMetaData::columnNullable},
      {"amount", Types::DECIMAL, 9, 2, DatabaseMetaData::columnNoNulls},
      {"note", Types::LONGVARCHAR, kUnboundedSize, 0, DatabaseMetaData::columnNullable},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->getString("TABLE_NAME"), "orders");
    EXPECT_EQ(rs->getString("COLUMN_NAME"), e.name);
    EXPECT_EQ(rs->getInt("DATA_TYPE"), e.type);
    EXPECT_EQ(rs->getInt("COLUMN_SIZE"), e.size);
    EXPECT_EQ(rs->getInt("DECIMAL_DIGITS"), e.digits);
    EXPECT_EQ(rs->getInt("NULLABLE"), e.nullable);
  }
  EXPECT_FALSE(rs->next());
  auto one = md_->getColumns(std::nullopt, std::nullopt, "orders", "note");
  ASSERT_TRUE(one->next());
  EXPECT_EQ(one->getString("COLUMN_DEF"), "'none'");
  EXPECT_EQ(one->getInt("ORDINAL_POSITION"), 4);
  EXPECT_EQ(one->getString("TYPE_NAME"), "TEXT");
}

TEST_F(SqliteMetaDataTest, PrimaryKeys) {
  auto rs = md_->getPrimaryKeys(std::nullopt, std::nullopt, "orders");
  std::vector<std::string> seen;
  while (rs->next()) seen.push_back(rs->getString("COLUMN_NAME") + ":" + std::to_string(rs->getShort("KEY_SEQ")));
  EXPECT_EQ(seen, (std::vector<std::string>{"num:2", "region:1"}));
  EXPECT_FALSE(md_->getPrimaryKeys(std::nullopt, std::nullopt, "missing")->next());
}

TEST_F(SqliteMetaDataTest, IndexInfo) {
  auto rs = md_->getIndexInfo(std::nullopt, std::nullopt, "orders", false, true);
  std::vector<std::string> seen;
  while (rs->next())
    seen.push_back(std::string(rs->getBoolean("NON_UNIQUE") ? "n " : "u ") + rs->getString("INDEX_NAME") + " " +
                   std::to_string(rs->getInt("ORDINAL_POSITION")) + " " + rs->getString("COLUMN_NAME") + " " +
                   rs->getString("ASC_OR_DESC"));
  EXPECT_EQ(seen, (std::vector<std::string>{"u orders_note 1 note A", "u sqlite_autoindex_orders_1 1 region A",
                                            "u sqlite_autoindex_orders_1 2 num A", "n orders_amount 1 amount D",
                                            "n orders_amount 2 note A"}));
  auto unique = md_->getIndexInfo(std::nullopt, std::nullopt, "orders", true, true);
  int uniqueRows = 0;
  while (unique->next()) {
    EXPECT_FALSE(unique->getBoolean("NON_UNIQUE"));
    ++uniqueRows;
  }
  EXPECT_EQ(uniqueRows, 3);
}

}  // namespace
}  // namespace plat::sql::sqlite

namespace plat::sql::sqlite {
namespace {

// A text prepared again takes the compilation a closed statement gave back: it starts without parameters, and a
// compilation still read by an open result is never handed to a second statement.
TEST(SqliteCompiledReuse, AReusedCompilationStartsCleanAndAnOpenResultKeepsItsOwn) {
  registerSqliteDriver();
  auto c = DriverManager::getConnection("jdbc:sqlite::memory:");
  auto ddl = c->createStatement();
  ddl->executeUpdate("create table t (n integer)");
  const std::string insert = "insert into t values (?)";
  for (int n = 1; n <= 3; ++n) {
    auto s = c->prepareStatement(insert);
    s->setInt(1, n);
    EXPECT_EQ(s->executeUpdate(), 1);
    s->close();
  }
  auto unbound = c->prepareStatement(insert);
  EXPECT_THROW(unbound->executeUpdate(), SQLException);
  unbound->close();

  const std::string select = "select n from t order by n";
  auto first = c->prepareStatement(select);
  auto open = first->executeQuery();
  ASSERT_TRUE(open->next());
  EXPECT_EQ(open->getInt(1), 1);
  first->close();
  auto second = c->prepareStatement(select);
  auto rs = second->executeQuery();
  int rows = 0;
  while (rs->next()) ++rows;
  EXPECT_EQ(rows, 3);
  second->close();
  c->close();
}

}  // namespace
}  // namespace plat::sql::sqlite
