#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::makeRef;
using plat::sql::SQLException;
using quenlora::zafoli::db::pro::ConnectionInfo;
using quenlora::zafoli::db::pro::Logon;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::RelationView;

std::string failureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const SQLException& e) {
    return e.getMessage();
  }
  return "";
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(RowlaceTest, UrlsThatConnectAndUrlsThatFailWithTheirText) {
  const std::string hostPort = server().address() + ":" + std::to_string(server().port());
  for (const std::string& url :
       {"orvo://" + hostPort, "orvo://" + hostPort + "/", "orvo://" + hostPort + "/db/x", "orvo:" + hostPort}) {
    auto session = makeRef<Session>(url, false);
    EXPECT_FALSE(session->isClosed()) << url;
    session->close();
  }
  const struct {
    std::string url;
    std::string tail;
  } bad[] = {{"jdbc:orvo://" + hostPort, "Unrecognized protocol."},
             {"orvo", "Invalid URL syntax."},
             {"orvo:", "Invalid URL syntax."},
             {"orvo://" + server().address(), "Invalid subname syntax."},
             {"orvo://" + server().address() + "/", "Invalid subname syntax."}};
  for (const auto& c : bad) {
    const std::string message = failureOf([&] { Session(c.url, false); });
    EXPECT_TRUE(endsWith(message, c.tail)) << c.url << " -> " << message;
    // The text form of the failure: its type name first.
    EXPECT_NE(message.find("SQLException: "), std::string::npos) << message;
  }
  EXPECT_NE(failureOf([&] { Session("orvo://" + server().address() + ":port", false); }).find("NumberFormatException"),
            std::string::npos);
}

TEST_F(RowlaceTest, DesignTimeAndShellSessionsSendNothingAndNeverCrash) {
  server().server().clearRecords();
  auto design = makeRef<Session>(server().recordSetUrl());
  auto view = design->createView("select * from cust");
  EXPECT_EQ(view->getName(), "relview");
  EXPECT_FALSE(view->first());
  EXPECT_EQ(view->getCurrentRecordState(), 105);
  EXPECT_TRUE(view->getMultiView()->save());
  EXPECT_TRUE(server().server().requests().empty());

  auto shell = makeRef<Session>();
  EXPECT_EQ(failureOf([&] { shell->createView("select 1"); }), "ConnectionInfo object is null");
  EXPECT_EQ(failureOf([&] { shell->createView(makeRef<ConnectionInfo>("main"), "select 1"); }),
            "Error: Remote Object closed");

  auto closed = open();
  closed->close();
  closed->close();
  EXPECT_EQ(failureOf([&] { closed->createView("select * from cust"); }), "Error: Remote Object closed");
}

class ScriptedLogon : public Logon {
 public:
  explicit ScriptedLogon(std::vector<bool> answers, std::string fix = "") : answers_(std::move(answers)), fix_(fix) {}
  bool logonFailed(ConnectionInfo& conn, int attempt) override {
    attempts.push_back(attempt);
    if (!fix_.empty()) conn.setPassword(fix_);
    return static_cast<std::size_t>(attempt) <= answers_.size() && answers_[static_cast<std::size_t>(attempt) - 1];
  }
  std::vector<int> attempts;

 private:
  std::vector<bool> answers_;
  std::string fix_;
};

TEST_F(RowlaceTest, LogonRetryAsksUntilTheCallbackDeclines) {
  auto session = open();
  auto logon = std::make_shared<ScriptedLogon>(std::vector<bool>{true, true, false});
  session->setLogonObject(logon);
  auto wrong = makeRef<ConnectionInfo>("main", "clerk", "nope");
  EXPECT_THROW(session->createView(wrong, "select * from cust"), quenlora::zafoli::db::net::SQLConnectionException);
  EXPECT_EQ(logon->attempts, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(calls(Session::METHOD_createView).size(), 3u);
}

TEST_F(RowlaceTest, LogonRetrySendsTheValuesTheCallbackCorrected) {
  auto session = open();
  auto logon = std::make_shared<ScriptedLogon>(std::vector<bool>{true}, "pw");
  session->setLogonObject(logon);
  auto view = session->createView(makeRef<ConnectionInfo>("main", "clerk", "nope"), "select * from cust");
  EXPECT_TRUE(view->first());
  const auto sent = calls(Session::METHOD_createView);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].args.at(8).text, "nope");
  EXPECT_EQ(sent[1].args.at(8).text, "pw");
  EXPECT_EQ(logon->attempts, std::vector<int>{1});
}

TEST_F(RowlaceTest, OtherFailuresAskNobody) {
  auto session = open();
  auto logon = std::make_shared<ScriptedLogon>(std::vector<bool>{true});
  session->setLogonObject(logon);
  EXPECT_THROW(session->createView("select * from no_such_table"), SQLException);
  EXPECT_TRUE(logon->attempts.empty());
}

TEST_F(RowlaceTest, CreateViewFormsSendTheirSelectText) {
  auto session = open();
  session->createView("cust", std::vector<std::string>{});
  session->createView("cust", std::vector<std::string>{"id", "name"});
  auto request = session->getRequest("select name from cust");
  request->setOptimisticConcurrency("unique");
  EXPECT_EQ(request->getProperty("optConc", ""), "1");
  request->setInitialRecordPosition("First");
  auto view = request->executeRequest();
  EXPECT_EQ(view->getCurrentRecordNumber(), 1);
  const auto sent = calls(Session::METHOD_createView);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].args.at(2).text, "select *  from cust");
  EXPECT_EQ(sent[1].args.at(2).text, "select id, name from cust");
  EXPECT_EQ(sent[2].args.at(2).text, "select name from cust");
  EXPECT_EQ(session->openMultiViews(), 1u);  // the two views dropped at once closed themselves
}

TEST_F(RowlaceTest, AViewHandleKeepsItsSessionAndAnUnheldMultiViewClosesItself) {
  std::int32_t id = 0;
  plat::lang::Ref<quenlora::zafoli::db::pro::Record> kept;
  {
    auto view = open()->createView("select * from cust");  // the session handle is gone at once
    EXPECT_TRUE(view->first());
    EXPECT_TRUE(view->next());
    EXPECT_EQ(view->getRecord()->row().getString(2).value_or(""), "Bob");
    id = view->getMultiView()->objectID();
    kept = view->getRecord();
  }
  EXPECT_EQ(callsTo(id, MultiView::METHOD_close).size(), 1u);
  EXPECT_EQ(kept->getStateString(), "Invalid");  // the cache was dropped with the multi-view
  EXPECT_EQ(kept->getRelationView(), nullptr);
}

TEST_F(RowlaceTest, CloseOnALostConnectionStillClosesEverything) {
  auto session = open();
  auto view = session->createView("select * from cust");
  server().server().stop();
  try {
    session->close();
  } catch (const SQLException&) {
    // The server is gone: the failure may be reported, but every step ran.
  }
  EXPECT_TRUE(session->isClosed());
  EXPECT_TRUE(view->getMultiView()->isClosed());
  EXPECT_EQ(failureOf([&] { view->first(); }), MultiView::kClosed);
  EXPECT_EQ(session->openMultiViews(), 0u);
}

}  // namespace
}  // namespace rowlacetest
