// Handles the application keeps longer than the objects they came from, links that hold their own views, and what
// the server keeps once a multi-view is closed. Run under AddressSanitizer too, where a read of freed memory fails.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/SessionMetaData.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using quenlora::zafoli::db::pro::ListBinder;
using quenlora::zafoli::db::pro::ListLink;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::Projection;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RelationView;
using quenlora::zafoli::db::pro::Request;

std::string nameOf(RelationView& view) {
  return view.getString(2).value_or("<null>");
}

// A navigation bar: keeps its view to move it, and is bound to it to show the current row.
class NavigationBar : public RecordLink {
 public:
  explicit NavigationBar(Ref<RelationView> view) : view(std::move(view)) {}
  void init() override {}
  void notifyRecordChange(Record& record) override { shown = record.getRecordNumber(); }
  Ref<RelationView> view;
  int shown = -1;
};

class Box : public ListLink {
 public:
  void init(ListBinder&) override {}
  void notifyListChange(ListBinder&) override { ++changes; }
  int changes = 0;
};

TEST_F(RowlaceTest, AProjectionOrRecordKeptAfterItsViewFailsWithoutReadingFreedMemory) {
  auto name = std::make_shared<Projection>();
  Ref<Record> record;
  {
    auto session = open();
    auto view = session->createView(session->getDefaultConnection(), "select * from cust order by id",
                                    props({{"recPosition", "1"}, {"readOnly", "false"}}));
    view->bindProj(2, name);
    EXPECT_EQ(name->toString(), "Ann");
    ASSERT_NE(name->getBinder(), nullptr);
    record = view->getRecord();
  }
  // The view, its multi-view and its session are gone; the projection and the record are all that is left.
  EXPECT_EQ(name->toString(), "");
  EXPECT_EQ(name->getBinder(), nullptr);
  EXPECT_EQ(sqlFailure([&] { name->getInt(); }), MultiView::kClosed);
  EXPECT_EQ(sqlFailure([&] { name->setString("Zed"); }), MultiView::kClosed);
  EXPECT_EQ(sqlFailure([&] { record->getStringValue(2); }), Record::kInvalid);
  EXPECT_EQ(sqlFailure([&] { record->setValueFromString(2, "Zed"); }), Record::kInvalid);
  EXPECT_EQ(record->getRelationView(), nullptr);
}

TEST_F(RowlaceTest, HandlesKeepWhatTheyNeedAfterTheApplicationDroppedTheRest) {
  Ref<Request> request;
  Ref<Request> detail;  // an AutoDetail, used as the base type
  std::shared_ptr<quenlora::zafoli::db::pro::ProjBinder> binder;
  Ref<quenlora::zafoli::db::pro::SessionMetaData> metaData;
  {
    auto session = open();
    request = session->getRequest("select * from cust order by id");
    request->setInitialRecordPosition("First");
    auto view = session->createView(session->getDefaultConnection(), "select * from cust order by id",
                                    props({{"recPosition", "1"}}));
    auto orders = view->getAutoDetail(view->getConnectionInfo(), "select * from orders where cust_id = ? order by id",
                                      nullptr, nullptr);
    orders->join(0, 1);
    detail = orders;
    binder = view->bindProj(2, std::make_shared<Projection>());
    metaData = session->getMetaData(session->getDefaultConnection());
  }
  // The request holds its session.
  auto fromRequest = request->executeRequest();
  EXPECT_EQ(nameOf(*fromRequest), "Ann");
  // Through the base type the detail request still runs as a detail of the master's current row.
  auto orders = detail->executeRequest();
  ASSERT_NE(orders->getParentRelationView(), nullptr);
  ASSERT_TRUE(orders->first());
  EXPECT_EQ(orders->getInt(1), 10);
  ASSERT_TRUE(orders->next());
  EXPECT_EQ(orders->getInt(1), 11);
  EXPECT_FALSE(orders->next());
  // A binder handle keeps its view; a metadata snapshot its session.
  EXPECT_EQ(binder->getString(), "Ann");
  ASSERT_TRUE(binder->getRelationView().next());
  EXPECT_EQ(binder->getString(), "Bob");
  auto tables = metaData->getTables("", "", "%", std::vector<std::string>{"TABLE"});
  std::vector<std::string> names;
  for (bool on = tables->first(); on; on = tables->next())
    names.push_back(tables->getString("TABLE_NAME").value_or(""));
  EXPECT_EQ(names, (std::vector<std::string>{"cust", "items", "orders"}));
}

TEST_F(RowlaceTest, ASessionNotMadeByMakeRefRefusesClearly) {
  Session local(server().recordSetUrl(), false);
  local.setDefaultConnection(makeRef<quenlora::zafoli::db::pro::ConnectionInfo>("main", "clerk", "pw"));
  const std::vector<std::function<void()>> calls = {
      [&] { local.createView("select * from cust"); },
      [&] { local.getRequest("select * from cust"); },
      [&] { local.getMetaData(local.getDefaultConnection()); },
      [&] { local.inquireDSN(); },
  };
  for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(sqlFailure(calls[i]), Session::kNotShared) << i;
}

TEST_F(RowlaceTest, ALinkThatHoldsItsViewLetsTheMultiViewCloseOnceTheApplicationDropsIt) {
  auto session = open();
  auto bar = std::make_shared<NavigationBar>(session->createView("select * from cust order by id"));
  bar->view->bindCurrentRecord(bar);
  const std::int32_t multiView = bar->view->getMultiView()->objectID();
  ASSERT_TRUE(bar->view->next());
  ASSERT_TRUE(bar->view->next());
  EXPECT_EQ(bar->shown, 2);
  session.reset();
  EXPECT_TRUE(callsTo(multiView, MultiView::METHOD_close).empty());  // the bar still holds the view
  bar.reset();
  EXPECT_EQ(callsTo(multiView, MultiView::METHOD_close).size(), 1u);
}

TEST_F(RowlaceTest, ALinkThatLetsItselfGoInItsCallbackIsNotToldAgain) {
  struct Once : RecordLink {
    void init() override {}
    void notifyRecordChange(Record&) override {
      ++(*told);
      self.reset();  // the last handle: this link ends inside its own call
    }
    std::shared_ptr<int> told = std::make_shared<int>(0);
    std::shared_ptr<Once> self;
  };
  auto view = open()->createView("select * from cust order by id");
  auto once = std::make_shared<Once>();
  const auto told = once->told;
  view->bindCurrentRecord(once);
  once->self = once;
  once.reset();
  ASSERT_TRUE(view->first());
  ASSERT_TRUE(view->next());
  EXPECT_EQ(*told, 2);  // the bind's notice, then the first move's
}

TEST_F(RowlaceTest, AClosedMultiViewLeavesNothingOnTheServer) {
  server().execute("create table docs (id integer primary key, body text)");
  server().execute("insert into docs values (1, 'a long text')");
  auto session = open();
  const auto conn = session->getDefaultConnection();
  const std::int32_t id = session->wire()->getConnectionID();
  const std::size_t before = server().server().objectCount(id);
  {
    auto cust = session->createView(conn, "select * from cust order by id", props({{"recPosition", "1"}}));
    auto detail = cust->getAutoDetail("select * from orders where cust_id = ?");
    detail->join(0, 1);
    auto orders = detail->executeRequest();
    auto box = std::make_shared<Box>();
    auto list = cust->bindList(conn, "select amount from orders where cust_id = ?", box, std::vector<int>{1});
    auto docs = session->createView(conn, "select * from docs", props({{"recPosition", "1"}}));
    EXPECT_EQ(docs->getString(2), "a long text");  // read through a server stream
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(cust->goTo(1 + i % 3));
    EXPECT_EQ(box->changes, 61);
    // Each re-query's list replaced the one before it, and that one left the server.
    EXPECT_LT(server().server().objectCount(id), before + 20);
    docs->closeMultiView();
    cust->closeMultiView();
  }
  EXPECT_EQ(server().server().objectCount(id), before);
}

TEST_F(RowlaceTest, ARestartWithAWhereTextFiltersARootQueryWithItsOwnOrder) {
  auto view = open()->createView("select * from cust order by id desc");
  view->restartMultiView("city <> 'Rome'");
  std::vector<std::string> names;
  for (bool on = view->first(); on; on = view->next()) names.push_back(nameOf(*view));
  EXPECT_EQ(names, (std::vector<std::string>{"Cid", "Ann"}));
}

}  // namespace
}  // namespace rowlacetest
