#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::Ref;
using quenlora::zafoli::db::pro::MultiView;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::ProjLink;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RecordSetLink;
using quenlora::zafoli::db::pro::RelationView;

// A column link whose answer to the set-data pass is scripted; it logs every callback.
class Link : public ProjLink {
 public:
  Link(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void init(ProjBinder&) override { log_.push_back(name_ + ".init"); }
  void notifyDataChange(ProjBinder&) override { log_.push_back(name_ + ".data"); }
  bool notifySetData(ProjBinder& binder) override {
    log_.push_back(name_ + ".set");
    if (onSet) return onSet(binder);
    return true;
  }
  std::function<bool(ProjBinder&)> onSet;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class Records : public RecordLink, public RecordSetLink {
 public:
  void init() override { ++inits; }
  void notifyRecordChange(Record& r) override { numbers.push_back(r.getRecordNumber()); }
  void notifyRecordSetChange(RelationView&) override { ++resets; }
  int inits = 0;
  int resets = 0;
  std::vector<int> numbers;
};

// A column link that moves its view on, once armed, when told of a data change.
class MovingLink : public ProjLink {
 public:
  void init(ProjBinder&) override {}
  void notifyDataChange(ProjBinder& binder) override {
    if (!armed) return;
    armed = false;
    binder.getRelationView().next();
  }
  bool notifySetData(ProjBinder&) override { return true; }
  bool armed = false;
};

class BinderTest : public RowlaceTest {
 protected:
  Ref<RelationView> view(const char* position = "3") {
    auto session = open();
    return session->createView(session->getDefaultConnection(), "select * from cust",
                               props({{"recPosition", position}, {"readOnly", "false"}}));
  }
  std::vector<std::string> log;
};

TEST_F(BinderTest, BindingAColumnOnAViewWithoutARowMovesToRowOneAndADuplicateIsKeptOnce) {
  auto v = view();
  auto a = std::make_shared<Link>("a", log);
  auto binder = v->bindProj(2, a);
  EXPECT_EQ(v->getCurrentRecordNumber(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"a.init", "a.data"}));
  log.clear();
  v->bindProj(2, a);
  EXPECT_EQ(log, (std::vector<std::string>{"a.init", "a.data"}));
  log.clear();
  EXPECT_TRUE(v->next());
  EXPECT_EQ(log, (std::vector<std::string>{"a.set", "a.data"}));
  EXPECT_TRUE(binder->isWritable());
  v.reset();
  EXPECT_EQ(binder->getRelationView().getCurrentRecordNumber(), 2);  // the binder handle keeps the multi-view
}

TEST_F(BinderTest, AVetoStopsTheMoveAndLaterLinksAreNotAsked) {
  auto v = view("1");
  auto a = std::make_shared<Link>("a", log);
  auto b = std::make_shared<Link>("b", log);
  auto c = std::make_shared<Link>("c", log);
  a->onSet = [](ProjBinder&) { return false; };
  v->bindProj(1, a);
  v->bindProj(1, b);
  v->bindProj(2, c);
  log.clear();
  EXPECT_FALSE(v->next());
  EXPECT_EQ(v->getCurrentRecordNumber(), 1);
  EXPECT_EQ(log, std::vector<std::string>{"a.set"});
  // A vetoed save sends nothing and drops nothing; isDataChanged answers true without asking the server.
  auto multiView = v->getMultiView();
  EXPECT_FALSE(multiView->save());
  EXPECT_TRUE(multiView->isDataChanged());
  EXPECT_TRUE(callsTo(multiView->objectID(), MultiView::METHOD_save).empty());
  EXPECT_TRUE(callsTo(multiView->objectID(), MultiView::METHOD_isDataChanged).empty());
  EXPECT_EQ(v->getCurrentRecordNumber(), 1);
}

TEST_F(BinderTest, AValuePushedDuringThePassDoesNotEchoAndAThrowingLinkClearsTheFlag) {
  auto v = view("1");
  auto a = std::make_shared<Link>("a", log);
  bool fail = true;
  a->onSet = [&](ProjBinder& binder) {
    binder.getRelationView().getRecord()->row().setString(2, "Ann2");
    binder.getRelationView().recordChanged(*binder.getRelationView().getRecord());
    if (fail) throw std::runtime_error("editor failed");
    return true;
  };
  v->bindProj(2, a);
  log.clear();
  EXPECT_THROW(v->next(), std::runtime_error);
  EXPECT_EQ(log, std::vector<std::string>{"a.set"});  // its own notice dropped during the pass
  fail = false;
  log.clear();
  EXPECT_TRUE(v->next());
  EXPECT_EQ(log, (std::vector<std::string>{"a.set", "a.data"}));  // the flag was cleared after the throw
}

TEST_F(BinderTest, ALinkMayUnbindItselfDuringThePass) {
  auto v = view("1");
  auto a = std::make_shared<Link>("a", log);
  auto b = std::make_shared<Link>("b", log);
  a->onSet = [&](ProjBinder& binder) {
    binder.getRelationView().unBindObj(*a);
    return true;
  };
  v->bindProj(1, a);
  v->bindProj(1, b);
  log.clear();
  EXPECT_TRUE(v->next());
  EXPECT_EQ(log, (std::vector<std::string>{"a.set", "b.set", "b.data"}));
  log.clear();
  v->unBindProj(1);
  EXPECT_TRUE(v->next());
  EXPECT_TRUE(log.empty());
}

TEST_F(BinderTest, RecordAndRecordSetLinks) {
  auto v = view("1");
  auto records = std::make_shared<Records>();
  v->bindCurrentRecord(records);
  v->bindRecordSet(records);
  EXPECT_EQ(records->inits, 2);
  EXPECT_EQ(records->numbers, std::vector<int>{1});
  EXPECT_EQ(records->resets, 1);
  v->next();
  v->deleteRecord();  // a state change tells the record links
  EXPECT_EQ(records->numbers, (std::vector<int>{1, 2, 2}));
  v->getMultiView()->restart();
  EXPECT_EQ(records->resets, 2);
  v->enableBindingNotify(false);
  v->first();
  EXPECT_EQ(records->numbers.size(), 4u);  // the restart's move to row 1, nothing after the switch
}

// The written record stays on its row for the rest of the set even when a notice moved the view: the next row's
// own state (modified earlier) raises no row-state notice.
TEST_F(BinderTest, AColumnNoticeThatMovesTheViewLeavesTheWrittenRecordOnItsRow) {
  auto v = view("1");
  ASSERT_TRUE(v->next());
  v->setString(2, "Bea");
  ASSERT_TRUE(v->first());
  auto mover = std::make_shared<MovingLink>();
  v->bindProj(2, mover);
  auto records = std::make_shared<Records>();
  v->bindCurrentRecord(records);
  mover->armed = true;
  v->setString(2, "Ann2");
  EXPECT_EQ(v->getCurrentRecordNumber(), 2);
  EXPECT_EQ(records->numbers, (std::vector<int>{1, 2}));
  ASSERT_TRUE(v->first());
  EXPECT_EQ(v->getString(2).value_or(""), "Ann2");
  EXPECT_EQ(v->getCurrentRecordState(), Record::RECSTATE_MODIFIED);
}

}  // namespace
}  // namespace rowlacetest
