// The batched result set against a scripted server result set: fetch sizing, fetch and skip modes, the end of the
// rows, getters by index and name, long values through server streams, wasNull and close.
#include <gtest/gtest.h>

#include <climits>

#include "JdbcTestSupport.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"

namespace {

using jdbctest::Arg;
using jdbctest::Bytes;
using jdbctest::Call;
using jdbctest::ColumnInfo;
using jdbctest::Encoded;
using jdbctest::MwEncode;
using jdbctest::ScriptedObject;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using plat::lang::Value;
using plat::sql::Types;

// A server result set of `total` rows whose value in column c of row r is "r.c".
class RowSource {
 public:
  RowSource(ScriptedObject& rs, std::vector<ColumnInfo> columns, int total) : columns_(std::move(columns)) {
    rs.on(1, [this, total](const std::vector<Arg>& a) {
      std::vector<Encoded> rows;
      const int n = a.at(0).asInt();
      const int first = a.at(1).asInt();
      for (int r = first; r < first + n; ++r) {
        if (r > total) {
          rows.push_back(SqlEncode::endRow());
          break;
        }
        rows.push_back(row(r));
      }
      return rows;
    });
    rs.on(7, [total](const std::vector<Arg>& a) {
      std::vector<Encoded> flags;
      const int n = a.at(0).asInt();
      const int first = a.at(1).asInt();
      for (int r = first; r < first + n; ++r) {
        flags.push_back(SqlEncode::boolean(r <= total));
        if (r > total) break;
      }
      return flags;
    });
  }

  Encoded row(int r) const {
    std::vector<Encoded> fields;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      fields.push_back(
          SqlEncode::field(Value(std::to_string(r) + "." + std::to_string(c + 1)), columns_[c].sqlType, 0));
    }
    return SqlEncode::row(r, fields);
  }

 private:
  std::vector<ColumnInfo> columns_;
};

class ResultSetTest : public ::testing::Test {
 protected:
  ResultSetTest() : conn_(s_.connect()) {
    auto st = s_.addObject();
    st_ = st.second;
    s_.connection().on(0, {MwEncode::dataInt(st.first)});
    auto rs = s_.addObject();
    rsId_ = rs.first;
    rs_ = rs.second;
    statement_ = conn_->createStatement();
  }

  // A query whose result has these columns; the server result set answers from `source`.
  plat::lang::Ref<plat::sql::ResultSet> query(const std::vector<ColumnInfo>& columns) {
    st_->on(0, jdbctest::queryReply(rsId_, columns));
    auto rs = statement_->executeQuery("select");
    s_.clear();
    return rs;
  }
  plat::lang::Ref<plat::sql::ResultSet> queryRows(const std::vector<ColumnInfo>& columns, int total) {
    source_ = std::make_unique<RowSource>(*rs_, columns, total);
    return query(columns);
  }
  // The (method, first argument, second argument) of each call to the result set.
  std::vector<std::tuple<int, int, int>> rsCalls() {
    std::vector<std::tuple<int, int, int>> out;
    for (const auto& c : s_.calls(rsId_)) {
      out.emplace_back(c.method, c.args.size() > 0 ? c.args[0].asInt() : -1,
                       c.args.size() > 1 ? c.args[1].asInt() : -1);
    }
    return out;
  }

  ScriptedServer s_;
  plat::lang::Ref<plat::sql::Connection> conn_;
  std::shared_ptr<ScriptedObject> st_;
  std::int32_t rsId_ = 0;
  std::shared_ptr<ScriptedObject> rs_;
  std::unique_ptr<RowSource> source_;
  plat::lang::Ref<plat::sql::Statement> statement_;
};

TEST_F(ResultSetTest, RowsPerFetchFollowTheDisplaySizes) {
  const std::vector<std::pair<std::vector<int>, int>> cases = {
      {{10, 30, 14}, 35},              // 4096 / 114
      {{10, 30, 4}, 39},               // 4096 / 104
      {{5000}, 1},                     // more than a packet: still one row
      {{-50, 10}, 81},                 // a negative size counts as 0: 4096 / 50
      {{INT_MAX, INT_MAX}, 1},         // the sum does not overflow
      {{}, 1},                         // no columns at all
      {{4076}, 1},                     // exactly one packet
      {{1, 1, 1, 1, 1, 1, 1, 1}, 24},  // 4096 / 168
  };
  for (const auto& [sizes, n] : cases) {
    SCOPED_TRACE(testing::PrintToString(sizes));
    auto rs = queryRows(jdbctest::columnsOfSizes(sizes), 3);
    EXPECT_EQ(dynamic_cast<quenlora::zafoli::db::jdbc::ResultSet&>(*rs).getRowsPerFetch(), n);
    ASSERT_TRUE(rs->next());
    ASSERT_FALSE(rsCalls().empty());
    EXPECT_EQ(rsCalls()[0], std::make_tuple(1, n, 1));
    // The arguments of the row calls carry id 1.
    EXPECT_EQ(s_.calls(rsId_)[0].args[0].id, 1);
    EXPECT_EQ(s_.calls(rsId_)[0].args[1].id, 1);
  }
}

TEST_F(ResultSetTest, MovingWithoutReadingSwitchesToValidityFlags) {
  auto rs = queryRows(jdbctest::columnsOfSizes({10, 30, 14}), 1000);  // n = 35
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(rs->next()) << i;
  EXPECT_EQ(rsCalls(), (std::vector<std::tuple<int, int, int>>{{1, 35, 1}, {7, 70, 36}}));
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(rs->next());
  EXPECT_EQ(rsCalls().back(), std::make_tuple(7, 70, 106));
  // A getter on a row reached by flags fetches that row with its batch, and fetch mode stays.
  EXPECT_EQ(rs->getString(2), "110.2");
  EXPECT_EQ(rsCalls().back(), std::make_tuple(1, 35, 110));
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString(1), "111.1");
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(rs->next());
  EXPECT_EQ(rsCalls().back(), std::make_tuple(1, 35, 145));
}

TEST_F(ResultSetTest, EndOfRowsInBothModes) {
  auto fetched = queryRows(jdbctest::columnsOfSizes({100}), 5);  // n = 34
  int rows = 0;
  while (fetched->next()) {
    EXPECT_EQ(fetched->getString(1), std::to_string(++rows) + ".1");
  }
  EXPECT_EQ(rows, 5);
  const auto callsAtEnd = rsCalls().size();
  EXPECT_FALSE(fetched->next());
  EXPECT_EQ(rsCalls().size(), callsAtEnd);
  try {
    fetched->getString(1);
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error: Invalid Row position.");
  }

  // Skip mode ends on a false flag.
  auto skipped = queryRows(jdbctest::columnsOfSizes({4076}), 3);  // n = 1
  rows = 0;
  while (skipped->next()) ++rows;
  EXPECT_EQ(rows, 3);
  EXPECT_FALSE(skipped->next());
}

TEST_F(ResultSetTest, EmptyAnswersEndTheRowsInsteadOfLooping) {
  auto rs = query(jdbctest::columnsOfSizes({10}));  // nothing scripted: every answer is an empty list
  EXPECT_FALSE(rs->next());
  EXPECT_FALSE(rs->next());
  EXPECT_EQ(rsCalls().size(), 1u);

  // An empty flag batch ends skip mode the same way.
  auto [rsId, object] = s_.addObject();
  object->on(1, {SqlEncode::row(1, {SqlEncode::field(Value(std::string("a")), 12, 0)})});
  st_->on(0, jdbctest::queryReply(rsId, jdbctest::columnsOfSizes({4076})));
  auto skipping = statement_->executeQuery("select");
  EXPECT_TRUE(skipping->next());
  EXPECT_FALSE(skipping->next());
  EXPECT_FALSE(skipping->next());
  EXPECT_EQ(s_.methods(rsId), (std::vector<int>{1, 7}));
}

TEST_F(ResultSetTest, PositionAndClosedErrors) {
  auto rs = queryRows(jdbctest::columnsOfSizes({10}), 2);
  try {
    rs->getInt(1);
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error: Invalid Row position.");
  }
  rs->close();
  EXPECT_EQ(rsCalls(), (std::vector<std::tuple<int, int, int>>{{2, -1, -1}}));
  rs->close();
  EXPECT_EQ(rsCalls().size(), 1u);
  for (auto call :
       std::vector<std::function<void()>>{[&] { rs->next(); }, [&] { rs->getString(1); }, [&] { rs->wasNull(); }}) {
    try {
      call();
      ADD_FAILURE();
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), "Error: Remote object is closed.");
    }
  }

  // A reply of the id alone is a result set closed from the start.
  st_->on(0, {MwEncode::dataInt(rsId_)});
  auto closed = statement_->executeQuery("select");
  try {
    closed->next();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Error: Remote object is closed.");
  }
  // A reply without even the id is an error, not a crash.
  st_->on(0, std::vector<Encoded>{});
  EXPECT_THROW(statement_->executeQuery("select"), plat::sql::SQLException);
  st_->on(0, {MwEncode::dataInt(rsId_), MwEncode::dataInt(5)});
  EXPECT_THROW(statement_->executeQuery("select"), plat::sql::SQLException);
}

TEST_F(ResultSetTest, ColumnIndexesAreCheckedFirst) {
  std::vector<ColumnInfo> columns = jdbctest::columnsOfSizes({10, 10});
  columns[1].sqlType = Types::LONGVARCHAR;
  auto rs = queryRows(columns, 2);
  ASSERT_TRUE(rs->next());
  for (int col : {0, -1, 3, 100}) {
    for (auto get :
         std::vector<std::function<void()>>{[&] { rs->getInt(col); }, [&] { rs->getString(col); },
                                            [&] { rs->getBinaryStream(col); }, [&] { rs->getObject(col); }}) {
      try {
        get();
        ADD_FAILURE() << col;
      } catch (const plat::sql::SQLException& e) {
        EXPECT_EQ(e.getMessage(), "Column index is out-of-range: " + std::to_string(col));
      }
    }
  }
  // No stream was asked for.
  for (const auto& [method, a, b] : rsCalls()) EXPECT_NE(method, 0);
}

TEST_F(ResultSetTest, FindColumnIsExact) {
  auto columns = jdbctest::columnsOfSizes({10, 10, 10});
  columns[0].name = "ID";
  columns[1].name = "name";
  columns[2].name = "name";  // a later column of the same name wins
  auto rs = queryRows(columns, 1);
  EXPECT_EQ(rs->findColumn("ID"), 1);
  EXPECT_EQ(rs->findColumn("name"), 3);
  try {
    rs->findColumn("id");
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Column not found.");
  }
  try {
    rs->findColumn("");
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Invalid parameter: null columnName");
  }
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString("name"), "1.3");
  EXPECT_EQ(rs->getString("ID"), "1.1");
}

TEST_F(ResultSetTest, TypedGettersAndWasNull) {
  std::vector<ColumnInfo> columns = jdbctest::columnsOfSizes({10, 10, 10, 10});
  columns[0].sqlType = Types::INTEGER;
  columns[1].sqlType = Types::VARCHAR;
  columns[2].sqlType = Types::DATE;
  columns[3].sqlType = Types::DOUBLE;
  rs_->on(1, {SqlEncode::row(1, {SqlEncode::field(Value::ofInt(42), Types::INTEGER, 0),
                                 SqlEncode::field(Value(), Types::VARCHAR, 0),
                                 SqlEncode::field(Value(plat::time::Date(2002, 7, 15)), Types::DATE, 0),
                                 SqlEncode::field(Value::ofDouble(2.5), Types::DOUBLE, 0)}),
              SqlEncode::endRow()});
  auto rs = query(columns);
  EXPECT_FALSE(rs->wasNull());
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getInt(1), 42);
  EXPECT_FALSE(rs->wasNull());
  EXPECT_EQ(rs->getLong(1), 42);
  EXPECT_EQ(rs->getString(1), "42");
  EXPECT_EQ(rs->getString(2), "");
  EXPECT_TRUE(rs->wasNull());
  EXPECT_TRUE(rs->getObject(2).isNull());
  EXPECT_EQ(rs->getDate(3), plat::time::Date(2002, 7, 15));
  EXPECT_FALSE(rs->wasNull());
  EXPECT_DOUBLE_EQ(rs->getDouble(4), 2.5);
  EXPECT_EQ(rs->getBigDecimal(4, 2).toString(), "2.50");
  EXPECT_EQ(rs->getBigDecimal(4).toString(), "2.5");
  EXPECT_EQ(rs->getMetaData()->getColumnType(3), Types::DATE);
  EXPECT_EQ(rs->getMetaData()->getColumnCount(), 4);
  EXPECT_FALSE(rs->next());
}

TEST_F(ResultSetTest, LongValuesComeThroughServerStreams) {
  std::vector<ColumnInfo> columns = jdbctest::columnsOfSizes({10, 10, 10});
  columns[0].sqlType = Types::LONGVARCHAR;
  columns[1].sqlType = Types::LONGVARBINARY;
  columns[2].sqlType = Types::LONGVARCHAR;
  std::string text(9000, 'x');
  text[8999] = 'y';
  const Bytes blob = {0, 1, 2, 255};
  auto textStream = std::make_shared<testkit::middleware::ProxyStream>(Bytes(text.begin(), text.end()));
  auto blobStream = std::make_shared<testkit::middleware::ProxyStream>(blob);
  const std::int32_t textId = s_.server().addObject(textStream);
  const std::int32_t blobId = s_.server().addObject(blobStream);
  rs_->on(0, [textId, blobId](const std::vector<Arg>& a) -> std::vector<Encoded> {
    return {MwEncode::dataInt(a.at(1).asInt() == 1 ? textId : blobId)};
  });
  rs_->on(1, {SqlEncode::row(1, {SqlEncode::field(Value(std::string("ignored")), Types::LONGVARCHAR, 0),
                                 SqlEncode::field(Value::ofBytes(blob), Types::LONGVARBINARY, 0),
                                 SqlEncode::field(Value(), Types::LONGVARCHAR, 0)}),
              SqlEncode::endRow()});
  auto rs = query(columns);
  ASSERT_TRUE(rs->next());
  EXPECT_EQ(rs->getString(1), text);
  EXPECT_FALSE(rs->wasNull());
  EXPECT_EQ(rs->getBytes(2), blob);
  EXPECT_TRUE(rs->getObject(1).equals(Value(text)));
  EXPECT_EQ(rs->getObject(2).getBytes(), blob);
  auto stream = rs->getAsciiStream(1);
  ASSERT_NE(stream, nullptr);
  std::string streamed;
  for (int b; (b = stream->read()) >= 0;) streamed.push_back(static_cast<char>(b));
  EXPECT_EQ(streamed, text);
  // A null long value answers from the row's null flag: no stream call, and wasNull tells.
  const auto before = s_.calls(rsId_).size();
  EXPECT_EQ(rs->getString(3), "");
  EXPECT_TRUE(rs->wasNull());
  EXPECT_EQ(rs->getBinaryStream(3), nullptr);
  EXPECT_EQ(s_.calls(rsId_).size(), before);
  // The stream calls name the row and the column, with id 1.
  const auto calls = s_.calls(rsId_);
  const auto first = std::find_if(calls.begin(), calls.end(), [](const Call& c) { return c.method == 0; });
  ASSERT_NE(first, calls.end());
  EXPECT_EQ(first->args.at(0).asInt(), 1);
  EXPECT_EQ(first->args.at(1).asInt(), 1);
  EXPECT_EQ(first->args.at(0).id, 1);
}

TEST_F(ResultSetTest, StreamKeptAfterItsConnectionWentAwayFailsCleanly) {
  std::vector<ColumnInfo> columns = jdbctest::columnsOfSizes({10});
  columns[0].sqlType = Types::LONGVARBINARY;
  auto stream = std::make_shared<testkit::middleware::ProxyStream>(Bytes(10000, 7));
  const std::int32_t streamId = s_.server().addObject(stream);
  rs_->on(0, {MwEncode::dataInt(streamId)});
  rs_->on(1, {SqlEncode::row(1, {SqlEncode::field(Value::ofBytes({1}), Types::LONGVARBINARY, 0)})});
  auto rs = query(columns);
  ASSERT_TRUE(rs->next());
  auto in = rs->getBinaryStream(1);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->read(), 7);
  // Moving on closes the stream handed out before.
  rs->next();
  EXPECT_EQ(in->read(), -1);
  auto again = queryRows(columns, 1);
  rs_->on(0, {MwEncode::dataInt(streamId)});
  rs_->on(1, {SqlEncode::row(1, {SqlEncode::field(Value::ofBytes({1}), Types::LONGVARBINARY, 0)})});
  auto rs2 = query(columns);
  ASSERT_TRUE(rs2->next());
  auto kept = rs2->getBinaryStream(1);
  ASSERT_NE(kept, nullptr);
  std::uint8_t buf[4000];
  EXPECT_GT(kept->read(buf, sizeof buf), 0);
  rs.reset();
  rs2.reset();
  again.reset();
  statement_.reset();
  conn_.reset();
  // The session is closed but still there: reading more fails or ends, it does not crash.
  try {
    while (kept->read(buf, sizeof buf) > 0) {
    }
  } catch (const plat::lang::Exception&) {
  }
}

TEST_F(ResultSetTest, StreamCallWithoutAnIdIsAnInvalidResultSet) {
  std::vector<ColumnInfo> columns = jdbctest::columnsOfSizes({10});
  columns[0].sqlType = Types::LONGVARBINARY;
  rs_->on(1, {SqlEncode::row(1, {SqlEncode::field(Value::ofBytes({1}), Types::LONGVARBINARY, 0)})});
  auto rs = query(columns);
  ASSERT_TRUE(rs->next());
  try {
    rs->getBytes(1);
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Attempting to access an invalid ResultSet");
  }
}

TEST_F(ResultSetTest, CursorNameAndWarnings) {
  auto rs = queryRows(jdbctest::columnsOfSizes({10}), 1);
  try {
    rs->getCursorName();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Attempting to access an invalid ResultSet");
  }
  rs_->on(5, {SqlEncode::text("SQL_CUR1")});
  EXPECT_EQ(rs->getCursorName(), "SQL_CUR1");
  rs_->on(3, {SqlEncode::warning("truncated", "01004", 0)});
  auto w = rs->getWarnings();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->getMessage(), "truncated");
  EXPECT_EQ(w->getNextWarning(), nullptr);
  rs->clearWarnings();
  EXPECT_EQ(std::get<0>(rsCalls().back()), 4);
}

TEST_F(ResultSetTest, ClassNameIsTheDriversOwn) {
  auto rs = queryRows(jdbctest::columnsOfSizes({10}), 1);
  EXPECT_EQ(rs->getClassName(), "quenlora.zafoli.db.jdbc.ResultSet");
}

}  // namespace
