#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/ValueText.h"
#include "testkit/middleware/sql/SqlScript.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::Ref;
using plat::sql::Types;
using quenlora::zafoli::db::pro::DataAccess;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::Projection;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RelationView;
using quenlora::zafoli::db::pro::ValueText;

// What a call raised: "" for nothing, the SQL message, or the kind of any other failure.
std::string failure(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::sql::SQLException& e) {
    return e.getMessage();
  } catch (const plat::lang::NumberFormatException&) {
    return "number format";
  } catch (const std::exception&) {
    return "other";
  }
  return "";
}

// A projection that logs the texts it reads when told of a change.
class Field : public Projection {
 public:
  void notifyDataChange(ProjBinder& binder) override {
    Projection::notifyDataChange(binder);
    seen.push_back(toString());
  }
  std::vector<std::string> seen;
};

class States : public RecordLink {
 public:
  void init() override {}
  void notifyRecordChange(Record& r) override { states.push_back(r.getState()); }
  std::vector<int> states;
};

// Columns: 1 id, 2 sm, 3 n, 4 big, 5 d, 6 m, 7 v, 8 dt, 9 bin, 10 body (long text), 11 raw (long binary), 12 flag.
class DataAccessTest : public RowlaceTest {
 protected:
  void SetUp() override {
    RowlaceTest::SetUp();
    server().execute(
        "create table vals (id integer primary key, sm smallint, n integer, big bigint, d double, m decimal(10,2), "
        "v varchar(20), dt date, bin varbinary(8), body text, raw blob, flag bit)");
    server().execute(
        "insert into vals values (1, 7, 42, 12345678901234567, 2.5, 3.25, 'Ann', '2026-12-09', x'0102', 'long', "
        "x'00ff10', 1)");
    server().execute("insert into vals (id) values (2)");
  }
  Ref<RelationView> view() {
    session_ = open();
    return session_->createView(session_->getDefaultConnection(), "select * from vals order by id",
                                props({{"recPosition", "1"}, {"readOnly", "false"}}));
  }
  Ref<quenlora::zafoli::db::pro::Session> session_;
};

TEST_F(DataAccessTest, DisplayTextByTypeAndNameFormsEqualNumberForms) {
  auto v = view();
  struct Case {
    int column;
    bool binary;
    std::string text;
  };
  const std::vector<Case> cases = {
      {2, false, "7"},     {3, false, "42"},    {4, false, "12345678901234567"}, {5, false, "2.5"},
      {6, false, "3.25"},  {7, false, "Ann"},   {8, false, "2026-12-09"},        {9, false, "<Binary Data>"},
      {9, true, "/1/2"},   {10, false, "long"}, {11, false, "<Binary Data>"},    {11, true, "/0/255/16"},
      {12, false, "true"},
  };
  const auto names = v->getMetaData().getColumnList();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    EXPECT_EQ(v->getStringValue(c.column, c.binary), c.text);
    EXPECT_EQ(v->getStringValue(names.at(c.column - 1), c.binary), c.text);
    EXPECT_EQ(v->getRecord()->getStringValue(c.column, 0, c.binary), c.text);
  }
  EXPECT_EQ(v->getStringValue(6, Types::DECIMAL, 3), "3.250");
  EXPECT_EQ(v->getStringValue(9, Types::OTHER, 0, false), "<Other Data Type>");
  EXPECT_EQ(v->getInt("n"), 42);
  EXPECT_EQ(v->getLong(4), 12345678901234567);
  EXPECT_EQ(failure([&] { v->getInt(""); }), DataAccess::kNullColumnName);
  EXPECT_EQ(failure([&] { v->getInt("nope"); }), "Column not found.");

  ASSERT_TRUE(v->next());
  for (int c = 2; c <= 12; ++c) {
    EXPECT_EQ(v->getStringValue(c, true), "") << c;
    EXPECT_TRUE(v->isNull(c)) << c;
  }
}

TEST_F(DataAccessTest, TextParsedByTypeIsStoredAndReadBack) {
  auto v = view();
  struct Case {
    int column;
    std::string text;
    int scale;
    std::string shown;  // getString, or getStringValue with binary processing
  };
  const std::vector<Case> cases = {
      {2, "-12", 0, "-12"},
      {3, "2147483647", 0, "2147483647"},
      {4, "9007199254740993", 0, "9007199254740993"},
      {6, "1.5", 2, "1.50"},
      {6, "1.5", 0, "1.5"},
      {7, "Bo", 0, "Bo"},
      {8, "1999-01-02", 0, "1999-01-02"},
      {9, std::string("\x01\x02"), 0, "/1/2"},
      {12, "TRUE", 0, "true"},
      {12, "yes", 0, "false"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    v->setValueFromString(c.column, c.text, c.scale, DataAccess::SETBLANKTODEFAULT);
    EXPECT_EQ(c.column == 6 ? v->getString(c.column).value_or("?") : v->getStringValue(c.column, true), c.shown);
  }
  EXPECT_EQ(v->getCurrentRecordState(), Record::RECSTATE_MODIFIED);

  // Long text and bytes from text travel as stream bytes, one per character, and come back equal once saved.
  const std::string text = "caf\xc3\xa9 \xc3\xbf!";
  v->setValueFromString(10, text);
  v->setValueFromString("raw", std::string("\x01\x02\xc3\xbf", 4));
  ASSERT_TRUE(v->saveMultiView());
  auto again = view();
  EXPECT_EQ(again->getString(10), text);
  EXPECT_EQ(again->getStringValue(10), text);
  EXPECT_EQ(again->getStringValue("raw", true), "/1/2/255");
  EXPECT_EQ(again->getStringValue(4), "9007199254740993");
  auto in = again->getAsciiStream(10);
  EXPECT_EQ(ValueText::asciiStreamtoString(*in), text);
}

TEST_F(DataAccessTest, TheBinaryTextOfAHeldValueShowsItsFirst255Bytes) {
  server().execute("update vals set bin = zeroblob(300) where id = 2");
  auto v = view();
  ASSERT_TRUE(v->goTo(2));
  ASSERT_EQ(v->getBytes(9).size(), 300u);
  std::string shown;
  for (int i = 0; i < 255; ++i) shown += "/0";
  EXPECT_EQ(v->getStringValue(9, true), shown);
}

TEST_F(DataAccessTest, BlankInputFollowsTheModeAndTheType) {
  auto v = view();
  struct Case {
    int row;
    int column;
    int mode;
    bool null;
    std::string text;
  };
  const std::vector<Case> cases = {
      {1, 7, DataAccess::SETBLANKTODEFAULT, false, ""},
      {2, 7, DataAccess::SETBLANKTODEFAULT, true, ""},
      {1, 3, DataAccess::SETBLANKTODEFAULT, true, ""},
      {1, 7, DataAccess::SETBLANKTONULL, true, ""},
      {1, 3, DataAccess::SETBLANKTOEMPTY, false, "0"},
      {2, 12, DataAccess::SETBLANKTOEMPTY, false, "false"},
      {2, 8, DataAccess::SETBLANKTOEMPTY, false, "1970-01-01"},
      {2, 9, DataAccess::SETBLANKTOEMPTY, true, ""},
      {1, 7, 9, false, ""},
      {1, 9, 9, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.row << "/" << c.column << "/" << c.mode);
    ASSERT_TRUE(v->goTo(c.row));
    v->setValueFromString(c.column, "", c.mode);
    EXPECT_EQ(v->isNull(c.column), c.null);
    EXPECT_EQ(v->getStringValue(c.column, true), c.text);
    v->undoRecord();
  }
  std::vector<std::optional<std::string>> mode2;
  for (int t : {Types::TIME, Types::TIMESTAMP, Types::DECIMAL, Types::VARCHAR, Types::OTHER, 1234}) {
    mode2.push_back(ValueText::processEmptyStringData("", *v, 2, t, DataAccess::SETBLANKTOEMPTY));
  }
  EXPECT_EQ(mode2,
            (std::vector<std::optional<std::string>>{"12:00:00", "1970-01-01 12:00:00.0", "0", "", std::nullopt, ""}));
}

TEST_F(DataAccessTest, RefusalsStoreNothing) {
  auto v = view();
  const auto sends = [&] { return calls(1).size() + calls(9).size(); };
  const auto before = sends();
  struct Case {
    std::function<void()> call;
    std::string failure;
  };
  const std::vector<Case> cases = {
      {[&] { v->setValueFromString(2, "70000"); }, "number format"},
      {[&] { v->setValueFromString(2, "-70000"); }, "number format"},
      {[&] { v->setValueFromString(3, "2147483648"); }, "number format"},
      {[&] { v->setValueFromString(4, "9223372036854775808"); }, "number format"},
      {[&] { v->setValueFromString(6, "1.555", 2, 0); }, "other"},
      {[&] { v->setValueFromString(8, "1999-13-45"); }, "other"},
      {[&] { v->setInt(0, 1); }, "Column index is out-of-range: 0"},
      {[&] { v->setInt(13, 1); }, "Column index is out-of-range: 13"},
      {[&] { v->getString(13); }, "Column index is out-of-range: 13"},
      {[&] { v->setBinaryStream(11, nullptr, -1); }, "Invalid stream length: -1"},
      {[&] { v->setAsciiStream(10, nullptr, -5); }, "Invalid stream length: -5"},
  };
  for (const auto& c : cases) EXPECT_EQ(failure(c.call), c.failure);
  EXPECT_EQ(sends(), before);
  EXPECT_EQ(v->getStringValue(2), "7");
  EXPECT_EQ(v->getCurrentRecordState(), Record::RECSTATE_EXISTING);

  // A null written through the stream is a null here too, without a change of its own.
  v->setNull(10, Types::LONGVARCHAR);
  EXPECT_TRUE(v->isNull(10));
  EXPECT_EQ(v->getStringValue(10), "");
  EXPECT_EQ(v->getCurrentRecordState(), Record::RECSTATE_MODIFIED);

  ASSERT_TRUE(v->rewind());
  EXPECT_EQ(failure([&] { v->getInt(99); }), "Column index is out-of-range: 99");
  EXPECT_EQ(failure([&] { v->getInt(3); }), "Record is invalid.");
}

TEST_F(DataAccessTest, SetsTellTheCurrentColumnAndTheStateOnce) {
  auto v = view();
  auto field = std::make_shared<Field>();
  auto other = std::make_shared<Field>();
  auto states = std::make_shared<States>();
  auto binder = v->bindProj(7, field);
  v->bindProj(3, other);
  v->bindCurrentRecord(states);
  field->seen.clear();
  other->seen.clear();
  states->states.clear();

  v->setString(7, "Eve");
  v->setString("v", "Max");
  EXPECT_EQ(field->seen, (std::vector<std::string>{"Eve", "Max"}));
  EXPECT_TRUE(other->seen.empty());
  EXPECT_EQ(states->states, (std::vector<int>{Record::RECSTATE_MODIFIED}));

  // A record that is no longer current tells nobody.
  Ref<Record> first = v->getRecord();
  ASSERT_TRUE(v->next());
  field->seen.clear();
  states->states.clear();
  first->setString(7, "Old");
  EXPECT_TRUE(field->seen.empty());
  EXPECT_TRUE(states->states.empty());
  EXPECT_EQ(first->getString(7), "Old");

  // Through the binder, and during the set-data pass no echo.
  binder->setValueFromString("Pat");
  EXPECT_EQ(binder->getString(), "Pat");
  EXPECT_EQ(binder->getStringValue(), "Pat");
  EXPECT_EQ(binder->getColumnName(), "v");
  EXPECT_EQ(field->toString(), "Pat");
  struct Pusher : Field {
    bool notifySetData(ProjBinder& b) override {
      b.setString("Pushed");
      return true;
    }
  };
  auto pusher = std::make_shared<Pusher>();  // the binder holds its links weakly
  v->bindProj(7, pusher);
  Ref<Record> second = v->getRecord();
  field->seen.clear();
  ASSERT_TRUE(v->prev());
  EXPECT_EQ(second->getString(7), "Pushed");
  EXPECT_EQ(field->seen, (std::vector<std::string>{"Old"}));
}

TEST_F(DataAccessTest, AnOtherColumnShowsItsMarkerAndIsNeverWritableThroughItsBinder) {
  testkit::middleware::sql::ScriptedReply reply;
  reply.columns.push_back({"o", Types::OTHER, 10});
  reply.columns.push_back({"w", Types::VARCHAR, 10});
  reply.rows.push_back({plat::lang::Value::ofString("thing"), plat::lang::Value::ofString("x")});
  server().script().on("select o, w from t", reply);
  auto v = open()->createView("select o, w from t");
  auto other = v->bindProj(1, std::make_shared<Projection>());
  auto text = v->bindProj(2, std::make_shared<Projection>());
  EXPECT_EQ(v->getCurrentRecordNumber(), 1);
  EXPECT_EQ(other->getStringValue(), "<Other Data Type>");
  EXPECT_EQ(other->getStringValue(Types::VARCHAR, 0), "thing");
  EXPECT_FALSE(other->isWritable());
  EXPECT_TRUE(text->isReadable());
}

}  // namespace
}  // namespace rowlacetest
