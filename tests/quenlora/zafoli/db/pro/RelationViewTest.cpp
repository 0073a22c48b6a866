#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/Cardinality.h"
#include "quenlora/zafoli/db/pro/InitialRecordPosition.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/OptimisticConcurrency.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RelationView;
using testkit::middleware::sql::ScriptedReply;

std::string nameOf(RelationView& view) {
  return view.getRecord()->row().getString(2).value_or("<null>");
}

TEST_F(RowlaceTest, NavigationAtBothEndsKeepsTheRowItHas) {
  auto view = open()->createView("select * from cust");
  EXPECT_EQ(view->getCurrentRecordNumber(), 0);
  EXPECT_EQ(view->getCurrentRecordState(), Record::RECSTATE_INVALID);
  EXPECT_FALSE(view->prev());
  EXPECT_TRUE(view->first());
  EXPECT_FALSE(view->prev());
  EXPECT_EQ(view->getCurrentRecordNumber(), 1);
  EXPECT_TRUE(view->goTo(std::string("3")));
  EXPECT_EQ(nameOf(*view), "Cid");
  EXPECT_FALSE(view->next());
  EXPECT_FALSE(view->goTo(99));
  EXPECT_EQ(view->getCurrentRecordNumber(), 3);
  const auto fetches = calls(MultiView::METHOD_fetchRecords).size();
  EXPECT_FALSE(view->goTo(0));
  EXPECT_FALSE(view->goTo(-4));
  EXPECT_EQ(calls(MultiView::METHOD_fetchRecords).size(), fetches);
  EXPECT_EQ(view->getCurrentRecordNumber(), 3);
  EXPECT_TRUE(view->rewind());
  EXPECT_EQ(view->getCurrentRecordNumber(), 0);
}

// A view reuses its current record on a move only while nobody else holds it.
TEST_F(RowlaceTest, ARecordTheApplicationHoldsStaysOnItsRowWhenTheViewMoves) {
  auto view = open()->createView("select * from cust");
  ASSERT_TRUE(view->first());
  const auto held = view->getRecord();
  ASSERT_TRUE(view->next());
  EXPECT_NE(view->getRecord().get(), held.get());
  EXPECT_EQ(held->getRecordNumber(), 1);
  EXPECT_EQ(held->row().getString(2).value_or(""), "Ann");
  EXPECT_EQ(nameOf(*view), "Bob");
  ASSERT_TRUE(view->rewind());
  EXPECT_EQ(held->getRecordNumber(), 1);
  EXPECT_FALSE(view->getRecord()->isValid());
  ASSERT_TRUE(view->goTo(3));
  EXPECT_EQ(nameOf(*view), "Cid");
}

TEST_F(RowlaceTest, InitialPositions) {
  auto session = open();
  const struct {
    const char* position;
    int number;
    int state;
  } cases[] = {{"1", 1, Record::RECSTATE_EXISTING}, {"3", 0, Record::RECSTATE_INVALID}, {"2", 4, Record::RECSTATE_NEW}};
  for (const auto& c : cases) {
    auto view = session->createView(session->getDefaultConnection(), "select * from cust",
                                    props({{"recPosition", c.position}, {"readOnly", "false"}}));
    EXPECT_EQ(view->getCurrentRecordNumber(), c.number) << c.position;
    EXPECT_EQ(view->getCurrentRecordState(), c.state) << c.position;
  }
}

TEST_F(RowlaceTest, BatchesFollowTheRowsPerFetchAndAskFromTheFirstGap) {
  ScriptedReply reply;
  for (const char* name : {"a", "b", "c"}) reply.columns.push_back({name, plat::sql::Types::VARCHAR, 10});
  for (int i = 1; i <= 120; ++i) {
    reply.rows.push_back({Value::ofString("r" + std::to_string(i)), Value::ofString("x"), Value::ofString("y")});
  }
  server().script().on("select a, b, c from t", reply);
  auto view = open()->createView("select a, b, c from t");
  EXPECT_EQ(view->getRowsPerFetch(), 45);
  ASSERT_TRUE(view->first());
  ASSERT_TRUE(view->goTo(100));
  EXPECT_EQ(view->getRecord()->row().getString(1).value_or(""), "r100");
  EXPECT_FALSE(view->goTo(121));
  const auto fetches = calls(MultiView::METHOD_fetchRecords);
  ASSERT_EQ(fetches.size(), 3u);
  EXPECT_EQ(fetches[0].intArg(0), 1);
  EXPECT_EQ(fetches[0].intArg(1), 45);
  EXPECT_EQ(fetches[1].intArg(0), 46);
  EXPECT_EQ(fetches[1].intArg(1), 55);
  EXPECT_EQ(fetches[2].intArg(0), 101);
  // The path of a root view: one level, the view's object reference, record number 0.
  EXPECT_EQ(fetches[0].intArg(2), 1);
  EXPECT_EQ(fetches[0].args.at(3).type, 107);
  EXPECT_EQ(fetches[0].intArg(3), view->viewID());
  EXPECT_EQ(fetches[0].intArg(4), 0);
  EXPECT_FALSE(view->goTo(200));
  EXPECT_EQ(calls(MultiView::METHOD_fetchRecords).size(), 3u);  // all read: no further call
}

TEST_F(RowlaceTest, MasterMovesReFetchTheDetailAndASecondLevelPathHasThreeLevels) {
  auto session = open();
  auto customers =
      session->createView(session->getDefaultConnection(), "select * from cust", props({{"recPosition", "1"}}));
  auto request = customers->getAutoDetail("select * from orders where cust_id = ?");
  request->join("id");
  request->setInitialRecordPosition("First");
  auto orders = request->executeRequest();
  EXPECT_EQ(orders->getJoinColumns(), std::vector<std::string>{"id"});
  EXPECT_EQ(orders->getParentRelationView().get(), customers.get());
  EXPECT_EQ(orders->getRecord()->row().getInt(1), 10);
  EXPECT_TRUE(orders->next());
  EXPECT_FALSE(orders->next());

  auto itemsRequest = orders->getAutoDetail("select * from items where order_id = ?");
  itemsRequest->join("id");
  itemsRequest->setInitialRecordPosition("First");
  auto items = itemsRequest->executeRequest();
  EXPECT_EQ(items->getRecord()->row().getString(3).value_or(""), "pad");
  const auto itemFetch = callsTo(customers->getMultiView()->objectID(), MultiView::METHOD_fetchRecords).back();
  EXPECT_EQ(itemFetch.intArg(2), 3);
  EXPECT_EQ(itemFetch.intArg(3), customers->viewID());
  EXPECT_EQ(itemFetch.intArg(4), 1);
  EXPECT_EQ(itemFetch.intArg(5), orders->viewID());
  EXPECT_EQ(itemFetch.intArg(6), 2);
  EXPECT_EQ(itemFetch.intArg(7), items->viewID());
  EXPECT_EQ(itemFetch.intArg(8), 0);

  ASSERT_TRUE(customers->next());
  EXPECT_EQ(orders->getCurrentRecordNumber(), 1);
  EXPECT_EQ(orders->getRecord()->row().getInt(1), 20);
  EXPECT_FALSE(items->first());  // order 20 has no items
  ASSERT_TRUE(customers->next());
  EXPECT_EQ(orders->getCurrentRecordNumber(), 0);  // Cid has no orders
  customers->enableDetailSQL(false);
  ASSERT_TRUE(customers->first());
  EXPECT_FALSE(orders->first());
  customers->enableDetailSQL(true);
  EXPECT_EQ(orders->getRecord()->row().getInt(1), 10);
  EXPECT_NE(orders->levelID(), items->levelID());
}

TEST_F(RowlaceTest, ANewRowThenNextStaysOnTheNewRowAndRowsBeforeItAreStillFetched) {
  auto session = open();
  auto view = session->createView(session->getDefaultConnection(), "select * from cust",
                                  props({{"readOnly", "false"}, {"recPosition", "2"}}));
  EXPECT_EQ(view->getCurrentRecordNumber(), 4);
  EXPECT_EQ(view->getCurrentRecordState(), Record::RECSTATE_NEW);
  EXPECT_FALSE(view->next());
  EXPECT_EQ(view->getCurrentRecordNumber(), 4);
  ASSERT_TRUE(view->first());  // the held new row does not make rows 1-3 be skipped
  EXPECT_EQ(nameOf(*view), "Ann");
  EXPECT_EQ(calls(MultiView::METHOD_fetchRecords).back().intArg(0), 1);
  ASSERT_TRUE(view->goTo(4));
  EXPECT_THROW(view->deleteRecord(), SQLException);
  EXPECT_EQ(view->getCurrentRecordState(), Record::RECSTATE_NEW);
}

TEST_F(RowlaceTest, ChangeDeleteUndoSaveAndReopen) {
  auto session = open();
  const auto writable = props({{"readOnly", "false"}, {"recPosition", "1"}});
  auto view = session->createView(session->getDefaultConnection(), "select * from cust", writable);
  auto multiView = view->getMultiView();
  view->getRecord()->row().setString(2, "Zed");
  EXPECT_EQ(view->getCurrentRecordState(), Record::RECSTATE_MODIFIED);
  view->getRecord()->valueChanged();
  EXPECT_TRUE(view->getRecord()->row().getChangedFields().empty());
  const auto notice = callsTo(multiView->objectID(), MultiView::METHOD_OnDataChange);
  ASSERT_EQ(notice.size(), 1u);
  EXPECT_EQ(notice[0].args.at(0).kind, 59);
  EXPECT_EQ(notice[0].args.at(0).rowNumber, 1);
  EXPECT_EQ(notice[0].args.at(0).rowValues.size(), 1u);
  EXPECT_TRUE(multiView->isDataChanged());

  ASSERT_TRUE(view->goTo(2));
  Ref<Record> bob = view->getRecord();
  view->deleteRecord();
  EXPECT_EQ(bob->getStateString(), "Marked for Deletion");
  view->undoRecord();
  EXPECT_EQ(bob->getState(), Record::RECSTATE_EXISTING);
  view->deleteRecord();
  ASSERT_TRUE(view->getNewRecord());
  view->getRecord()->row().setInt(1, 9);
  view->getRecord()->row().setString(2, "Neo");
  view->getRecord()->valueChanged();
  EXPECT_EQ(view->getRecord()->getStateString(), "New Modified");
  EXPECT_THROW(view->deleteRecord(), SQLException);

  ASSERT_TRUE(view->saveMultiView());
  EXPECT_EQ(bob->getStateString(), "Invalid");  // the dropped cache leaves held rows invalid in place
  EXPECT_EQ(view->getCurrentRecordNumber(), 1);
  EXPECT_FALSE(multiView->isDataChanged());

  auto again = session->createView("select * from cust order by id");
  std::vector<std::string> names;
  for (bool on = again->first(); on; on = again->next()) names.push_back(nameOf(*again));
  EXPECT_EQ(names, (std::vector<std::string>{"Zed", "Cid", "Neo"}));
}

TEST_F(RowlaceTest, UndoOfAllChangesAndAReadOnlyViewThatKeepsTheRefusedChange) {
  auto session = open();
  auto view = session->createView(session->getDefaultConnection(), "select * from cust",
                                  props({{"readOnly", "false"}, {"recPosition", "1"}}));
  view->getRecord()->row().setString(2, "Zed");
  view->getRecord()->valueChanged();
  view->getMultiView()->undoDataChanges();
  EXPECT_EQ(nameOf(*view), "Ann");

  auto readOnly =
      session->createView(session->getDefaultConnection(), "select * from cust", props({{"recPosition", "1"}}));
  readOnly->getRecord()->row().setString(2, "Zed");
  EXPECT_THROW(readOnly->getRecord()->valueChanged(), SQLException);
  EXPECT_EQ(readOnly->getRecord()->row().getChangedFields().size(), 1u);  // nothing dropped silently
}

TEST_F(RowlaceTest, AFailedSaveRaisesAndKeepsTheCache) {
  auto session = open();
  auto view = session->createView(session->getDefaultConnection(), "select * from cust",
                                  props({{"readOnly", "false"}, {"recPosition", "1"}}));
  view->getRecord()->row().setInt(1, 2);  // the key of another row
  view->getRecord()->valueChanged();
  const Ref<Record> held = view->getRecord();
  EXPECT_THROW(view->saveMultiView(), SQLException);
  EXPECT_EQ(held->getState(), Record::RECSTATE_MODIFIED);
  EXPECT_EQ(view->getRecord().get(), held.get());
}

// Every drop of the cache leaves the root view on a new one, even when no move followed the drop: the next walk
// fetches again and reads what the server has now.
TEST_F(RowlaceTest, ARootWalkAfterTheCacheWasDroppedReadsTheNewCache) {
  const struct {
    const char* drop;
    void (*run)(MultiView&);
    std::vector<std::string> names;
  } cases[] = {
      {"save", [](MultiView& m) { EXPECT_TRUE(m.save()); }, {"Ann", "Bob", "Cid", "Dan"}},
      {"undo", [](MultiView& m) { m.undoDataChanges(); }, {"Ann", "Bob", "Cid", "Dan"}},
      {"restart", [](MultiView& m) { m.restart(); }, {"Ann", "Bob", "Cid", "Dan"}},
      {"restart where", [](MultiView& m) { m.restart("id > 1"); }, {"Bob", "Cid", "Dan"}},
  };
  for (const auto& c : cases) {
    auto session = open();
    auto view = session->createView(session->getDefaultConnection(), "select * from cust",
                                    props({{"readOnly", "false"}, {"recPosition", "3"}}));
    ASSERT_TRUE(view->goTo(3)) << c.drop;
    const Ref<Record> held = view->getRecord();
    server().execute("insert into cust values (4, 'Dan', 'Kiev')");
    c.run(*view->getMultiView());
    EXPECT_EQ(view->getCurrentRecordNumber(), 0) << c.drop;
    EXPECT_FALSE(held->isValid()) << c.drop;
    const auto fetches = calls(MultiView::METHOD_fetchRecords).size();
    std::vector<std::string> names;
    for (bool on = view->first(); on; on = view->next()) names.push_back(nameOf(*view));
    EXPECT_EQ(names, c.names) << c.drop;
    EXPECT_GT(calls(MultiView::METHOD_fetchRecords).size(), fetches) << c.drop;
    view->closeMultiView();
    server().execute("delete from cust where id = 4");
  }
}

TEST_F(RowlaceTest, ViewDescriptionAndColumnMap) {
  // Filled column by column, a later entry replacing an earlier one.
  auto view = open()->createView("select name as \"2\", id, city, id as \"1\" from cust");
  EXPECT_EQ(view->findProjByName("id"), 2);
  EXPECT_EQ(view->findProjByName("2"), 2);  // column 2's number text replaced column 1's name
  EXPECT_EQ(view->findProjByName("1"), 4);  // column 4's name replaced column 1's number text
  EXPECT_TRUE(view->doesProjExist("city"));
  EXPECT_TRUE(view->doesProjExist("4"));
  EXPECT_FALSE(view->doesProjExist("nope"));
  EXPECT_THROW(view->findProjByName("nope"), SQLException);
  view->setName("customers");
  EXPECT_EQ(view->getName(), "customers");
  EXPECT_EQ(calls(RelationView::METHOD_setName).back().args.at(0).text, "customers");
  const struct {
    int code;
    const char* name;
  } types[] = {{0, "Null"}, {4, "Integer"}, {-4, "LongVarBinary"}, {1111, "Other"}, {99, "Other"}};
  for (const auto& t : types) EXPECT_EQ(RelationView::sqlTypeConvert(t.code), t.name);
  EXPECT_EQ(RelationView::sqlTypeConvert("Null"), 0);
  EXPECT_EQ(RelationView::sqlTypeConvert("integer"), 1111);
}

}  // namespace
}  // namespace rowlacetest

namespace rowlacetest {
namespace {

using quenlora::zafoli::db::pro::Cardinality;
using quenlora::zafoli::db::pro::InitialRecordPosition;
using quenlora::zafoli::db::pro::OptimisticConcurrency;

TEST(RowlaceSettings, DisplayNamesAndTheirUnknowns) {
  EXPECT_EQ(InitialRecordPosition::getIntValue("New"), 2);
  EXPECT_EQ(InitialRecordPosition::getIntValue("first"), 3);
  EXPECT_EQ(InitialRecordPosition::getStringValue(7), "None");
  EXPECT_TRUE(InitialRecordPosition::isFirst("First"));
  EXPECT_EQ(OptimisticConcurrency::getIntValue("All"), 2);
  EXPECT_EQ(OptimisticConcurrency::getIntValue("?"), 1);
  EXPECT_EQ(OptimisticConcurrency::getStringValue(0), "Unique");
  EXPECT_EQ(Cardinality::getIntValue("Many To One"), 3);
  EXPECT_EQ(Cardinality::getIntValue("?"), 1);
  EXPECT_EQ(Cardinality::getStringValue(9), "One To Many");
  EXPECT_EQ(Cardinality::getDefaultAsInt(), 1);
}

TEST_F(RowlaceTest, AViewFromARequestIsNotRegisteredAndADetailKeepsItsSettings) {
  auto session = open();
  auto request = session->getRequest("select * from cust");
  request->setInitialRecordPosition("First");
  auto view = RelationView::fromRequest(*request);
  EXPECT_EQ(session->openMultiViews(), 0u);
  EXPECT_EQ(view->getInitialRecordPosition(), "First");
  EXPECT_EQ(view->getOptimisticConcurrency(), "Unique Modified");
  auto detail = view->getAutoDetail("select * from orders where cust_id = ?");
  detail->join(0, 1);
  detail->setCardinality("One To One");
  auto orders = detail->executeRequest();
  EXPECT_EQ(orders->getCardinality(), "One To One");
  EXPECT_EQ(orders->getMetaData().getColumnCount(), 3);
  EXPECT_EQ(orders->getMetaData().getColumnName(3), "amount");
  // The detail request's maximum record count is always 200.
  EXPECT_EQ(calls(quenlora::zafoli::db::pro::AutoDetail::METHOD_execute).back().intArg(3), 200);
}

}  // namespace
}  // namespace rowlacetest
