// Edits that must reach the server whichever way they were made, saves reported as the server answered them,
// details that follow their master, and a read time-out against a server that stopped answering.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using quenlora::zafoli::db::pro::AutoDetail;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::Projection;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RelationView;
using testkit::middleware::Bytes;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;

// An editor: pushes its pending text, if any, in the set-data pass; a vetoing one refuses every pass.
class Editor : public Projection {
 public:
  bool notifySetData(ProjBinder& binder) override {
    if (veto) return false;
    if (pending) binder.setValueFromString(*pending);
    pending.reset();
    return true;
  }
  std::optional<std::string> pending;
  bool veto = false;
};

class EditAndSaveTest : public RowlaceTest {
 protected:
  Ref<RelationView> writable(const std::string& sql, const char* position = "1") {
    session_ = open();
    return session_->createView(session_->getDefaultConnection(), sql,
                                props({{"readOnly", "false"}, {"recPosition", position}}));
  }
  // The first column of every row of a fresh session's query.
  std::vector<std::string> column(const std::string& sql) {
    auto view = open()->createView(sql);
    std::vector<std::string> out;
    for (bool on = view->first(); on; on = view->next()) out.push_back(view->getStringValue(1));
    return out;
  }
  Ref<RelationView> ordersOf(RelationView& cust) {
    const auto position = props({{"recPosition", "1"}});
    auto detail = cust.getAutoDetail(cust.getConnectionInfo(), "select * from orders where cust_id = ? order by id",
                                     &position, nullptr);
    detail->join(0, 1);
    return detail->executeRequest();
  }
  Ref<Session> session_;
};

TEST_F(EditAndSaveTest, EditsThroughTheWireRowAreSentBeforeAMoveOrASave) {
  auto view = writable("select * from cust order by id");
  view->getRecord()->row().setString(2, "Zed");  // no valueChanged()
  EXPECT_TRUE(view->getMultiView()->isDataChanged());
  ASSERT_TRUE(view->next());
  view->getRecord()->row().setString(2, "Bea");
  ASSERT_TRUE(view->saveMultiView());
  EXPECT_EQ(column("select name from cust order by id"), (std::vector<std::string>{"Zed", "Bea", "Cid"}));
}

TEST_F(EditAndSaveTest, ACommittedSaveIsReportedAsSuchWhenTheRowsCannotBeReadAgain) {
  auto view = writable("select * from cust order by id");
  ASSERT_TRUE(view->goTo(2));
  view->setString(2, "Bea");
  // The first fetch after the save fails.
  auto saved = std::make_shared<std::atomic<bool>>(false);
  server().server().setHandler([saved](const ParsedRequest& r) -> std::optional<Bytes> {
    const auto& w = r.words;
    if (w.size() < 4 || w[1] != "invoke") return std::nullopt;
    if (w[3] == "2" && r.args.empty()) saved->store(true);
    if (w[3] == "0" && r.args.size() >= 5 && saved->exchange(false)) {
      return MwEncode::list({MwEncode::error(77, 15, "disk on fire", "HY000")}).bytes;
    }
    return std::nullopt;
  });
  EXPECT_TRUE(view->saveMultiView());
  EXPECT_EQ(view->getCurrentRecordNumber(), 0);
  EXPECT_FALSE(view->getMultiView()->isDataChanged());
  EXPECT_EQ(column("select name from cust order by id"), (std::vector<std::string>{"Ann", "Bea", "Cid"}));
  ASSERT_TRUE(view->goTo(2));  // the next navigation reads again
  EXPECT_EQ(view->getString(2), "Bea");
}

TEST_F(EditAndSaveTest, AVetoedSaveSendsNothingAndKeepsTheCache) {
  auto view = writable("select * from cust order by id");
  ASSERT_TRUE(view->goTo(2));
  const Ref<Record> held = view->getRecord();
  auto editor = std::make_shared<Editor>();
  editor->veto = true;
  view->bindProj(2, editor);
  EXPECT_FALSE(view->saveMultiView());
  EXPECT_TRUE(callsTo(view->getMultiView()->objectID(), MultiView::METHOD_save).empty());
  EXPECT_EQ(view->getCurrentRecordNumber(), 2);
  EXPECT_EQ(view->getRecord().get(), held.get());
  EXPECT_EQ(held->getState(), Record::RECSTATE_EXISTING);
}

TEST_F(EditAndSaveTest, ADetailEditorsPendingEditGoesOutWhenTheMasterMovesOrSaves) {
  auto cust = writable("select * from cust order by id");
  auto orders = ordersOf(*cust);
  auto amount = std::make_shared<Editor>();
  orders->bindProj(3, amount);
  amount->pending = "4.5";  // order 10 of Ann
  ASSERT_TRUE(cust->next());
  EXPECT_EQ(orders->getInt(1), 20);
  amount->pending = "8.5";  // order 20 of Bob
  ASSERT_TRUE(cust->saveMultiView());
  EXPECT_EQ(column("select amount from orders order by id"), (std::vector<std::string>{"4.5", "2.5", "8.5"}));
}

TEST_F(EditAndSaveTest, RewindTakesTheDetailsOffTheirRowsToo) {
  auto cust = writable("select * from cust order by id");
  auto orders = ordersOf(*cust);
  ASSERT_TRUE(orders->goTo(2));
  ASSERT_TRUE(cust->rewind());
  EXPECT_EQ(orders->getCurrentRecordNumber(), 0);
  EXPECT_EQ(orders->getCurrentRecordState(), Record::RECSTATE_INVALID);
}

TEST_F(EditAndSaveTest, CardinalityTextsAreStoredAndSentAsTheirCodes) {
  auto cust = writable("select * from cust order by id");
  const struct {
    const char* text;
    const char* code;
    const char* shown;
  } cases[] = {{"One To Many", "1", "One To Many"}, {"One To One", "2", "One To One"},
               {"Many To One", "3", "Many To One"}, {"Many To Many", "4", "Many To Many"},
               {"one to one", "3", "Many To One"},  {"", "3", "Many To One"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto detail = cust->getAutoDetail("select * from orders where cust_id = ?");
    detail->join(0, 1);
    detail->setCardinality(c.text);
    EXPECT_EQ(detail->getProperty(AutoDetail::kCardinality, ""), c.code);
    auto orders = detail->executeRequest();
    EXPECT_EQ(orders->getCardinality(), c.shown);
    EXPECT_EQ(std::to_string(calls(AutoDetail::METHOD_execute).back().intArg(6)), c.code);
  }
}

TEST(RowlaceTimeOut, AFrozenServerEndsACallAfterTheSocketTimeout) {
  // The server's lifetime ends the hold if the client waits without bound, with a different failure.
  testkit::middleware::sql::SqlMiddlewareServer::Options options;
  options.lifetimeMs = 15000;
  testkit::middleware::sql::SqlMiddlewareServer server(options);
  server.execute("create table t (n integer)");
  server.execute("insert into t values (1)");
  for (const char* bad : {"-1", "soon"}) {
    plat::util::Properties info;
    info.setProperty(Session::kSocketTimeout, bad);
    EXPECT_EQ(sqlFailure([&] { makeRef<Session>(server.recordSetUrl(), false, info); }),
              std::string("Invalid socketTimeout \"") + bad + "\": whole seconds, 0 or more, are expected");
  }
  EXPECT_EQ(server.server().connectionCount(), 0u);
  plat::util::Properties info;
  info.setProperty(Session::kSocketTimeout, "1");
  auto session = makeRef<Session>(server.recordSetUrl(), false, info);
  auto view = session->createView("select n from t");
  server.server().freeze(true);
  EXPECT_EQ(sqlFailure([&] { view->first(); }),
            std::string(quenlora::zafoli::db::net::NetErrors::READ_TIMED_OUT) + "1000 ms.");
  server.server().freeze(false);
}

}  // namespace
}  // namespace rowlacetest
