#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"
#include "quenlora/zafoli/db/pro/Logon.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "testkit/middleware/MwWire.h"
#include "testkit/middleware/sql/ProxyListView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::pro::ConnectionInfo;
using quenlora::zafoli::db::pro::ListBinder;
using quenlora::zafoli::db::pro::ListLink;
using quenlora::zafoli::db::pro::Logon;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::Projection;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RelationView;

using testkit::middleware::sql::ProxyListView;

constexpr int kMethodGetListProxy = RelationView::METHOD_getListProxy;
constexpr int kMethodGetList = ListBinder::METHOD_getListRelView;

// A list consumer that keeps, after each change, the first column of every list row.
class ListRecorder : public ListLink {
 public:
  void init(ListBinder&) override { ++inits; }
  void notifyListChange(ListBinder& binder) override {
    std::vector<std::string> rows;
    auto list = binder.getRelationView();
    for (bool more = list->first(); more; more = list->next()) rows.push_back(list->getString(1).value_or("NULL"));
    lists.push_back(rows);
  }
  int inits = 0;
  std::vector<std::vector<std::string>> lists;
};

// A text field: shows the column's text on every data change and pushes its edit, if any, in the set-data pass.
class Field : public Projection {
 public:
  void notifyDataChange(ProjBinder& binder) override {
    Projection::notifyDataChange(binder);
    shown.push_back(binder.isReadable() ? binder.getStringValue() : "-");
  }
  bool notifySetData(ProjBinder& binder) override {
    if (!edit.empty()) binder.setValueFromString(edit);
    edit.clear();
    return true;
  }
  std::string edit;
  std::vector<std::string> shown;
};

// Both a column link and a record link, as a form component may be.
class RowAndColumn : public Projection, public RecordLink {
 public:
  void init() override {}
  void notifyRecordChange(Record& r) override { records.push_back(r.getRecordNumber()); }
  void notifyDataChange(ProjBinder& binder) override {
    Projection::notifyDataChange(binder);
    ++dataChanges;
  }
  std::vector<int> records;
  int dataChanges = 0;
};

class ListBinderTest : public RowlaceTest {
 protected:
  void SetUp() override {
    RowlaceTest::SetUp();
    server().execute("create table city (name varchar(10), country varchar(10), pop integer)");
    server().execute(
        "insert into city values ('Oslo', 'NO', 1), ('Bergen', 'NO', 2), ('Rome', 'IT', 3), ('Lima', 'PE', 4)");
    session_ = open();
  }
  Ref<RelationView> customers(const char* position = "1") {
    return session_->createView(session_->getDefaultConnection(), "select * from cust",
                                props({{"recPosition", position}, {"readOnly", "false"}}));
  }
  // The texts of every list query sent, in order.
  std::vector<std::vector<std::string>> listQueries() const {
    std::vector<std::vector<std::string>> out;
    for (const Call& c : calls(kMethodGetList)) {
      if (!std::dynamic_pointer_cast<ProxyListView>(server_->server().object(c.object))) continue;
      std::vector<std::string> texts;
      for (const auto& a : c.args) {
        EXPECT_EQ(a.id, ProxyListView::kValueArgId);
        texts.push_back(a.text);
      }
      out.push_back(texts);
    }
    return out;
  }

  Ref<quenlora::zafoli::db::pro::Session> session_;
};

// The first value picks the city; the second only has to arrive.
constexpr const char* kCitiesLike = "select name from city where name = ? or ? = 'nobody'";

TEST_F(ListBinderTest, TwoMasterColumnsSendTwoTextsInOrderAndAMoveRequeriesOncePerColumn) {
  auto v = customers();
  auto list = std::make_shared<ListRecorder>();
  auto binder = v->bindList(session_->getDefaultConnection(), kCitiesLike, list, std::vector<int>{3, 2});
  EXPECT_EQ(list->inits, 1);
  // Construction queries once, with every column bound (the binds' own notices query nothing).
  EXPECT_EQ(listQueries(), (std::vector<std::vector<std::string>>{{"Oslo", "Ann"}}));
  EXPECT_EQ(list->lists, (std::vector<std::vector<std::string>>{{"Oslo"}}));
  EXPECT_EQ(session_->openMultiViews(), 2u);

  ASSERT_TRUE(v->next());  // Bob in Rome
  EXPECT_EQ(listQueries().size(), 3u);
  EXPECT_EQ(listQueries().back(), (std::vector<std::string>{"Rome", "Bob"}));
  EXPECT_EQ(list->lists.size(), 3u);
  EXPECT_EQ(list->lists.back(), (std::vector<std::string>{"Rome"}));
  EXPECT_EQ(session_->openMultiViews(), 2u);  // each re-query closed the list before it

  // A master value set on the current record re-queries through that column's projection only.
  v->setString(3, "Lima");
  EXPECT_EQ(listQueries().size(), 4u);
  EXPECT_EQ(list->lists.back(), (std::vector<std::string>{"Lima"}));
}

TEST_F(ListBinderTest, MasterColumnsByNameOrNumberAndBadOnesRefused) {
  auto v = customers();
  auto list = std::make_shared<ListRecorder>();
  auto binder =
      v->bindList(session_->getDefaultConnection(), kCitiesLike, list, std::vector<Value>{Value("city"), Value(2)});
  EXPECT_EQ(listQueries().back(), (std::vector<std::string>{"Oslo", "Ann"}));
  struct Case {
    std::vector<Value> columns;
  };
  for (const Case& c : std::vector<Case>{{{Value("nope")}}, {{Value(9)}}, {{Value(1.5)}}, {{Value("0")}}}) {
    EXPECT_THROW(v->bindList(session_->getDefaultConnection(), kCitiesLike, list, c.columns), plat::sql::SQLException)
        << c.columns.at(0).toString();
  }
  EXPECT_THROW(v->bindList(nullptr, kCitiesLike, list, std::vector<int>{1}), plat::sql::SQLException);
}

class FixPassword : public Logon {
 public:
  bool logonFailed(ConnectionInfo& conn, int attempt) override {
    attempts.push_back(attempt);
    conn.setPassword("pw");
    return true;
  }
  std::vector<int> attempts;
};

TEST_F(ListBinderTest, TheListProxyIsAskedForWithLogonRetry) {
  auto v = customers();
  auto logon = std::make_shared<FixPassword>();
  session_->setLogonObject(logon);
  auto list = std::make_shared<ListRecorder>();
  auto binder = v->bindList(makeRef<ConnectionInfo>("main", "clerk", "nope"), "select name from city where ? = 'x'",
                            list, std::vector<int>{1});
  const auto sent = calls(kMethodGetListProxy);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].args.at(2).text, "nope");
  EXPECT_EQ(sent[1].args.at(2).text, "pw");
  EXPECT_EQ(sent[1].args.at(3).text, "select name from city where ? = 'x'");
  EXPECT_EQ(logon->attempts, std::vector<int>{1});
  EXPECT_EQ(list->lists.size(), 1u);

  session_->setLogonObject(nullptr);
  EXPECT_THROW(v->bindList(makeRef<ConnectionInfo>("main", "clerk", "nope"), "select 1", list, std::vector<int>{1}),
               quenlora::zafoli::db::net::SQLConnectionException);
}

TEST_F(ListBinderTest, AFailingRequeryKeepsTheListAndTheMoveSucceeds) {
  auto v = customers();
  auto list = std::make_shared<ListRecorder>();
  auto binder =
      v->bindList(session_->getDefaultConnection(), "select name from city where name = ?", list, std::vector<int>{3});
  auto before = binder->getRelationView();
  server().execute("drop table city");
  EXPECT_TRUE(v->next());
  EXPECT_EQ(v->getCurrentRecordNumber(), 2);
  EXPECT_EQ(binder->getRelationView(), before);
  EXPECT_EQ(list->lists.size(), 1u);
}

// A re-query closes the previous list even when the server refuses that close, and a closed list leaves the
// session's list of multi-views, so a master moving many times leaves one open list.
TEST_F(ListBinderTest, EachRequeryClosesThePreviousListBestEffort) {
  auto v = customers();
  auto list = std::make_shared<ListRecorder>();
  auto binder = v->bindList(session_->getDefaultConnection(), "select name from city where country = ?", list,
                            std::vector<int>{1});
  const std::int32_t refused = binder->getRelationView()->getMultiView()->objectID();
  server().server().setHandler(
      [refused](const testkit::middleware::ParsedRequest& r) -> std::optional<testkit::middleware::Bytes> {
        const auto& w = r.words;
        if (w.size() > 3 && w[0] == "proxy" && w[1] == "invoke" && w[2] == std::to_string(refused) && w[3] == "8") {
          return testkit::middleware::MwEncode::error(14, 5, "close refused", "S1000").bytes;
        }
        return std::nullopt;
      });
  ASSERT_TRUE(v->next());
  EXPECT_NE(binder->getRelationView()->getMultiView()->objectID(), refused);
  EXPECT_EQ(list->lists.size(), 2u);
  EXPECT_EQ(session_->openMultiViews(), 2u);
  server().server().setHandler(nullptr);

  for (int i = 0; i < 10000; ++i) ASSERT_TRUE(i % 2 ? v->next() : v->prev());
  EXPECT_EQ(session_->openMultiViews(), 2u);  // the master and the one list
  EXPECT_EQ(list->lists.size(), 10002u);
  EXPECT_EQ(calls(MultiView::METHOD_close).size(), 10001u);
}

TEST_F(ListBinderTest, ADroppedListBinderIsNoLongerRequeried) {
  auto v = customers();
  auto list = std::make_shared<ListRecorder>();
  auto binder =
      v->bindList(session_->getDefaultConnection(), "select name from city where name = ?", list, std::vector<int>{3});
  binder.reset();
  EXPECT_TRUE(v->next());
  EXPECT_EQ(listQueries().size(), 1u);
  EXPECT_EQ(session_->openMultiViews(), 1u);
}

TEST_F(ListBinderTest, DesignTimeListsComeFromALocalReply) {
  server().server().clearRecords();
  auto design = makeRef<quenlora::zafoli::db::pro::Session>(server().recordSetUrl());
  auto v = design->createView("select * from cust");
  auto list = std::make_shared<ListRecorder>();
  auto binder = v->bindList(design->getDefaultConnection(), "select name from city", list, std::vector<int>{1, 2});
  EXPECT_EQ(list->inits, 1);
  EXPECT_EQ(list->lists, std::vector<std::vector<std::string>>{{}});
  ASSERT_NE(binder->getRelationView(), nullptr);
  EXPECT_EQ(binder->getRelationView()->columnCount(), 0);
  EXPECT_TRUE(server().server().requests().empty());
}

TEST_F(ListBinderTest, UnbindingARecordLinkLeavesItRegistered) {
  auto v = customers();
  auto both = std::make_shared<RowAndColumn>();
  v->bindCurrentRecord(both);
  v->bindProj(2, both);
  v->unBindObj(*both);
  EXPECT_TRUE(v->next());
  EXPECT_EQ(both->records, (std::vector<int>{1, 2}));
  EXPECT_EQ(both->dataChanges, 1);  // only the bind's own notice: the column link is gone
}

TEST_F(ListBinderTest, AProjectionForwardsTypedOperationsToItsBinder) {
  Projection unbound;
  EXPECT_THROW(unbound.getInt(), plat::lang::NullPointerException);
  EXPECT_THROW(unbound.setString("x"), plat::lang::NullPointerException);
  EXPECT_EQ(unbound.toString(), "");

  auto v = customers();
  auto id = std::make_shared<Projection>();
  auto name = std::make_shared<Projection>();
  v->bindProj(1, id);
  v->bindProj(2, name);
  EXPECT_EQ(id->getInt(), 1);
  EXPECT_EQ(id->getLong(), 1);
  EXPECT_FALSE(name->isNull());
  name->setString("Anna");
  EXPECT_EQ(v->getString(2), "Anna");
  name->setNull(plat::sql::Types::VARCHAR);
  EXPECT_TRUE(name->isNull());
  EXPECT_EQ(name->toString(), "");
  EXPECT_THROW(id->getDate(), plat::sql::SQLException);
}

// A form: text fields on the customer and on its orders, and a list of the orders' amounts of the customer's city.
TEST_F(ListBinderTest, AMasterDetailFormFollowsNavigationEditsAndSaves) {
  auto cust = customers();
  auto detail = cust->getAutoDetail("select * from orders where cust_id = ?");
  detail->join("id");
  detail->setInitialRecordPosition("First");
  auto orders = detail->executeRequest();
  auto name = std::make_shared<Field>();
  auto amount = std::make_shared<Field>();
  auto rows = std::make_shared<RowAndColumn>();
  cust->bindProj(2, name);
  orders->bindProj(3, amount);
  orders->bindCurrentRecord(rows);
  auto list = std::make_shared<ListRecorder>();
  auto binder = cust->bindList(session_->getDefaultConnection(), "select amount from orders where cust_id = ?", list,
                               std::vector<Value>{Value("id")});

  EXPECT_EQ(name->shown.back(), "Ann");
  EXPECT_EQ(amount->shown.back(), "1.5");
  EXPECT_EQ(list->lists.back(), (std::vector<std::string>{"1.5", "2.5"}));

  // An edit in the detail field goes into the row in the pass before the move.
  amount->edit = "3.25";
  ASSERT_TRUE(orders->next());
  EXPECT_EQ(amount->shown.back(), "2.5");
  ASSERT_TRUE(orders->prev());
  EXPECT_EQ(amount->shown.back(), "3.25");

  // Moving the master moves the detail and the list; the name field pushes its edit first.
  name->edit = "Annie";
  ASSERT_TRUE(cust->next());
  EXPECT_EQ(name->shown.back(), "Bob");
  EXPECT_EQ(amount->shown.back(), "7.0");
  EXPECT_EQ(list->lists.back(), std::vector<std::string>{"7.0"});

  ASSERT_TRUE(cust->getMultiView()->save());
  auto check = session_->createView("select name from cust where id = 1");
  ASSERT_TRUE(check->first());
  EXPECT_EQ(check->getString(1), "Annie");
  auto checkOrder = session_->createView("select amount from orders where id = 10");
  ASSERT_TRUE(checkOrder->first());
  EXPECT_EQ(checkOrder->getDouble(1), 3.25);

  // After the save the form shows the saved rows again and the list follows the master back.
  ASSERT_TRUE(cust->first());
  EXPECT_EQ(name->shown.back(), "Annie");
  EXPECT_EQ(amount->shown.back(), "3.25");
  EXPECT_EQ(list->lists.back(), (std::vector<std::string>{"3.25", "2.5"}));
  EXPECT_FALSE(rows->records.empty());
  EXPECT_EQ(rows->records.back(), 1);
}

}  // namespace
}  // namespace rowlacetest
