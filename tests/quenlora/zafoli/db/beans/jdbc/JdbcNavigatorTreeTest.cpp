// The JDBC query navigator as a master/detail tree on SQLite, through the real synchroniser: a tree save in one
// transaction, a failing detail write that changes nothing and keeps the edits, an empty master that clears its
// detail without a query, and the where clause in the status line of the navigator's applet.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/gui/Applet.h"
#include "platform/lang/System.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventListener.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/NavigatorTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using binding::event::RecordNavigateEvent;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

constexpr int kName = 1;  // the NAME column of both tables

// Every navigation event type a navigator announces, before and after.
class Moves : public binding::event::RecordNavigateEventListener {
 public:
  void onBeforeRecordNavigate(const RecordNavigateEvent& e) override { seen.push_back(e.getEventType()); }
  void onAfterRecordNavigate(const RecordNavigateEvent& e) override { seen.push_back(e.getEventType()); }
  void onBoundaryRecord(const RecordNavigateEvent&) override {}
  std::vector<int> seen;
};

class Failures : public binding::ExceptionEventListener {
 public:
  void handleExceptionEvent(const binding::ExceptionEvent& e) override { seen.push_back(e.getExceptionName()); }
  std::vector<std::string> seen;
};

class JdbcTreeTest : public SqliteNavigatorTest {
 protected:
  void SetUp() override {
    open({
        "create table DEPT (ID integer primary key, NAME varchar(20))",
        "insert into DEPT values (1, 'Acme'), (2, 'Beta')",
        "create table EMP (ID integer primary key, NAME varchar(20), DEPT_ID integer)",
        "insert into EMP values (10, 'x', 1), (11, 'y', 1), (12, 'z', 2)",
        // Every write that reaches the tables leaves a line, rolled back with it.
        "create table AUDIT (N integer primary key autoincrement, WHAT varchar(20))",
        "create trigger dept_u after update on DEPT begin insert into AUDIT (WHAT) values ('DEPT ' || new.ID); "
        "end",
        "create trigger emp_u after update on EMP begin insert into AUDIT (WHAT) values ('EMP ' || new.ID); end",
        "create trigger emp_i after insert on EMP begin insert into AUDIT (WHAT) values ('EMP +' || new.ID); end",
        "create trigger emp_refuse before insert on EMP when new.NAME = 'bad' "
        "begin select raise(abort, 'refused by the database'); end",
    });
    outside_ = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + path_.string());
  }
  void TearDown() override {
    outside_->close();
    SqliteNavigatorTest::TearDown();
  }

  // Departments over their employees on «DEPT_ID = ID», both running, standing on department 1.
  void makeTree() {
    depts_ = navigator(dept_, "dept");
    depts_->setSortOrder({"ID"});
    emps_ = navigator(emp_, "emp", "dept");
    emps_->setJoin({"DEPT_ID = ID"});
    emps_->setSortOrder({"ID"});
    depts_->execute(true);
    emps_->execute(true);
    depts_->first();
  }

  // What another connection sees: each row of sql as its values joined by "|".
  std::vector<std::string> committed(const std::string& sql) {
    auto statement = outside_->createStatement();
    auto rows = statement->executeQuery(sql);
    std::vector<std::string> lines;
    const int columns = rows->getMetaData()->getColumnCount();
    while (rows->next()) {
      std::string line;
      for (int c = 1; c <= columns; ++c) line += (c > 1 ? "|" : "") + rows->getString(c);
      lines.push_back(line);
    }
    rows->close();
    statement->close();
    return lines;
  }
  static std::vector<std::string> states(QueryNavigator& navigator) {
    std::vector<std::string> seen;
    for (int i = 0; i < navigator.getTotalNumberOfRows(); ++i)
      seen.push_back(binding::QueryNavigator::getRowState(
          std::dynamic_pointer_cast<binding::PersistentObject>(navigator.getElementAt(i))));
    return seen;
  }

  Ref<plat::sql::Connection> outside_;
  Ref<QueryNavigator> depts_, emps_;
};

// Reads the master's row from outside whenever a detail record is about to be written.
class OutsideReader : public binding::event::RecordSaveEventListener {
 public:
  explicit OutsideReader(std::function<std::string()> read) : read_(std::move(read)) {}
  void onBeforeRecordSave(const binding::event::RecordSaveEvent& e) override {
    if (e.getEventType() == binding::event::RecordSaveEvent::RECORD_SAVE_ONE) seen.push_back(read_());
  }
  void onAfterRecordSave(const binding::event::RecordSaveEvent&) override {}
  std::vector<std::string> seen;

 private:
  std::function<std::string()> read_;
};

TEST_F(JdbcTreeTest, ATreeSavesInOneTransactionAndAFailedSaveChangesNothingAndKeepsTheEdits) {
  makeTree();
  depts_->setValue(Value("Acme Corp"), 0, kName);
  emps_->first();
  emps_->setValue(Value("x2"), 0, kName);
  emps_->insert();
  emps_->setValue(Value(20), 0, 0);
  emps_->setValue(Value("bad"), 0, kName);
  auto reader = std::make_shared<OutsideReader>([this] { return committed("select NAME from DEPT where ID = 1")[0]; });
  emps_->addRecordSaveEventListener(reader);
  auto failures = std::make_shared<Failures>();
  emps_->addExceptionEventListener(failures);
  const std::vector<std::string> before = committed("select * from EMP order by ID");

  struct Attempt {
    const char* newName;
    bool fails;
    std::size_t writes;  // detail records the pass came to
  };
  for (const Attempt& attempt : {Attempt{"bad", true, 1}, Attempt{"good", false, 2}}) {
    SCOPED_TRACE(attempt.newName);
    emps_->setValue(Value(attempt.newName), 0, kName);
    EXPECT_EQ(emps_->getRowState(), "New");
    reader->seen.clear();
    // The synchroniser reports a rolled-back save on the process's standard output.
    std::string out;
    {
      plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kOut);
      depts_->saveAll();
      out = capture.text();
    }
    // The detail is written while the master's change is not yet visible outside: one transaction for the tree.
    EXPECT_EQ(reader->seen, std::vector<std::string>(attempt.writes, "Acme"));
    const bool rolledBack =
        out.find("Transaction failed due to SQL failure, will be rolled back.") != std::string::npos;
    EXPECT_EQ(rolledBack, attempt.fails) << out;
    if (attempt.fails) {
      EXPECT_EQ(committed("select NAME from DEPT where ID = 1"), (std::vector<std::string>{"Acme"}));
      EXPECT_EQ(committed("select * from EMP order by ID"), before);
      EXPECT_TRUE(committed("select WHAT from AUDIT").empty());
      EXPECT_TRUE(std::any_of(failures->seen.begin(), failures->seen.end(), [](const std::string& name) {
        return name.find("refused by the database") != std::string::npos;
      }));
      // Nothing was lost: both navigators keep their edits for the next attempt.
      EXPECT_TRUE(depts_->isDirty());
      EXPECT_EQ(depts_->getRowState(), "Modified");
      EXPECT_TRUE(emps_->isDirty());
      EXPECT_EQ(states(*emps_), (std::vector<std::string>{"New", "Modified", "Existing"}));
    } else {
      EXPECT_EQ(committed("select NAME from DEPT where ID = 1"), (std::vector<std::string>{"Acme Corp"}));
      EXPECT_EQ(committed("select * from EMP order by ID"),
                (std::vector<std::string>{"10|x2|1", "11|y|1", "12|z|2", "20|good|1"}));
      auto audit = committed("select WHAT from AUDIT");
      std::sort(audit.begin(), audit.end());
      EXPECT_EQ(audit, (std::vector<std::string>{"DEPT 1", "EMP +20", "EMP 10"})) << "each record written once";
      EXPECT_FALSE(depts_->isDirty());
      EXPECT_FALSE(emps_->isDirty());
    }
  }
}

TEST_F(JdbcTreeTest, AnEmptyMasterClearsItsDetailWithoutQuerying) {
  const std::pair<const char*, std::function<void()>> routes[] = {
      {"the master queries nothing, through the synchroniser",
       [this] {
         depts_->setWhereClause("1 = 0");
         depts_->restart();
       }},
      {"the detail is asked to query for a cleared master",
       [this] {
         depts_->saveAll(binding::Synchronizable::CLEAR_ALL_DATA);
         emps_->executeQuery(depts_.get());
       }},
  };
  for (const auto& [route, run] : routes) {
    SCOPED_TRACE(route);
    makeTree();
    ASSERT_EQ(emps_->getTotalNumberOfRows(), 2);
    // A query of the detail would now fail on its where text and be announced.
    emps_->setWhereClause("NO_SUCH_COLUMN = 1");
    auto moves = std::make_shared<Moves>();
    emps_->addRecordNavigateEventListener(moves);
    auto failures = std::make_shared<Failures>();
    emps_->addExceptionEventListener(failures);

    run();
    ASSERT_TRUE(depts_->isEmpty());
    EXPECT_EQ(moves->seen, (std::vector<int>{RecordNavigateEvent::RECORD_NAVIGATION_QBE,
                                             RecordNavigateEvent::RECORD_NAVIGATION_QBE}))
        << "cleared by saveAll(4), never restarted";
    EXPECT_TRUE(failures->seen.empty()) << failures->seen.front();
    EXPECT_TRUE(emps_->isQBERow());
    EXPECT_EQ(emps_->getTotalNumberOfRows(), 1) << "the query-by-example row counts as one row";
    for (auto& navigator : navigators_) navigator->close();
    navigators_.clear();
  }
}

// Departments over employees (the test's first file) and over projects, the projects in a second database file
// behind a second connection bean, "db2". A project's OWNER_ID is checked only when its transaction commits.
class JdbcTwoFileTreeTest : public JdbcTreeTest {
 protected:
  void SetUp() override {
    JdbcTreeTest::SetUp();
    path2_ = path_;
    path2_ += "-2";
    std::filesystem::remove(path2_);
    bean2_ =
        makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName, "jdbc:sqlite:" + path2_.string(), "", "");
    bean2_->setIdentifier("db2");
    manager_->add(bean2_);
    bean2_->connect();
    for (const char* sql :
         {"pragma foreign_keys = on", "create table OWNER (ID integer primary key)", "insert into OWNER values (1)",
          "create table PROJ (ID integer primary key, NAME varchar(20), DEPT_ID integer, "
          "OWNER_ID integer references OWNER (ID) deferrable initially deferred)",
          "insert into PROJ values (100, 'acme-p', 1, 1), (200, 'beta-p', 2, 1)"}) {
      auto statement = bean2_->createStatement();
      bean2_->executeStatement(statement, sql, sql);
      bean2_->closeStatement(statement);
    }
    proj_ = dept_ + "Proj";
    testkit::beans::JdbcTableRecord::registerClass(plat::runvale::ClassRegistry::instance(), proj_, "PROJ",
                                                   managerClass_, "db2");
    outside2_ = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + path2_.string());
  }
  void TearDown() override {
    outside2_->close();
    JdbcTreeTest::TearDown();
    bean2_->setConnectionClosed(true);
    std::filesystem::remove(path2_);
  }

  // The tree of makeTree with the projects as the departments' second detail, standing on department 1.
  void makeTwoDetailTree() {
    makeTree();
    projs_ = navigator(proj_, "proj", "dept");
    projs_->setJoin({"DEPT_ID = ID"});
    projs_->setSortOrder({"ID"});
    projs_->execute(true);
    depts_->first();
  }
  std::vector<std::string> projects() {
    auto statement = outside2_->createStatement();
    auto rows = statement->executeQuery("select ID, NAME, DEPT_ID, OWNER_ID from PROJ order by ID");
    std::vector<std::string> lines;
    while (rows->next())
      lines.push_back(rows->getString(1) + "|" + rows->getString(2) + "|" + rows->getString(3) + "|" +
                      rows->getString(4));
    rows->close();
    statement->close();
    return lines;
  }
  // Saves from the departments; true when the synchroniser reported no rollback.
  bool saveTree() {
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kOut);
    depts_->save();
    return capture.text().find("will be rolled back") == std::string::npos;
  }

  std::filesystem::path path2_;
  Ref<JdbcConnection> bean2_;
  std::string proj_;
  Ref<plat::sql::Connection> outside2_;
  Ref<QueryNavigator> projs_;
};

TEST_F(JdbcTwoFileTreeTest, AFailingDetailQueryIsClearedReportedOnceAndItsSiblingFollowsTheNewMaster) {
  makeTwoDetailTree();
  ASSERT_EQ(projs_->getValue(0, kName), Value("acme-p"));
  auto failures = std::make_shared<Failures>();
  emps_->addExceptionEventListener(failures);
  emps_->setWhereClause("NO_SUCH_COLUMN = 1");
  depts_->next();
  ASSERT_EQ(depts_->getValue(0, kName), Value("Beta"));
  EXPECT_TRUE(emps_->isQBERow()) << "nothing of Acme's employees stays on show";
  ASSERT_EQ(failures->seen.size(), 1u) << "reported once";
  EXPECT_NE(failures->seen[0].find("NO_SUCH_COLUMN"), std::string::npos) << failures->seen[0];
  // The walk went on: the projects follow Beta, and an edit there is saved into Beta's project.
  EXPECT_EQ(projs_->getValue(0, kName), Value("beta-p"));
  projs_->setValue(Value("edited-in-beta"), 0, kName);
  EXPECT_TRUE(saveTree());
  EXPECT_EQ(projects(), (std::vector<std::string>{"100|acme-p|1|1", "200|edited-in-beta|2|1"}));
  EXPECT_EQ(failures->seen.size(), 2u) << "the save's re-query of the details failed once more";
  // With its where text mended the detail follows the next move.
  emps_->setWhereClause(std::nullopt);
  depts_->first();
  EXPECT_EQ(emps_->getTotalNumberOfRows(), 2);
  EXPECT_EQ(emps_->getValue(0, kName), Value("x"));
  EXPECT_EQ(failures->seen.size(), 2u);
}

TEST_F(JdbcTwoFileTreeTest, AMasterWhoseQueryFailsClearsItsDetailsOnceReportedAndRunsAgainOnceMended) {
  makeTwoDetailTree();
  auto failures = std::make_shared<Failures>();
  depts_->addExceptionEventListener(failures);
  depts_->setWhereClause("NO_SUCH_COLUMN = 1");
  depts_->restart();
  ASSERT_EQ(failures->seen.size(), 1u) << "reported once, by the navigator";
  EXPECT_NE(failures->seen[0].find("NO_SUCH_COLUMN"), std::string::npos) << failures->seen[0];
  EXPECT_TRUE(depts_->isQBERow());
  EXPECT_TRUE(emps_->isQBERow()) << "no detail of the former master stays on show";
  EXPECT_TRUE(projs_->isQBERow());
  depts_->setWhereClause(std::nullopt);
  depts_->restart();
  EXPECT_EQ(depts_->getValue(0, kName), Value("Acme"));
  EXPECT_EQ(emps_->getValue(0, kName), Value("x"));
  EXPECT_EQ(projs_->getValue(0, kName), Value("acme-p"));
  EXPECT_EQ(failures->seen.size(), 1u);
}

TEST_F(JdbcTwoFileTreeTest, ASaveWhoseSecondCommitFailsKeepsTheFirstFilesRecordsCleanAndARetryFinishesIt) {
  makeTwoDetailTree();
  emps_->insert();
  emps_->setValue(Value(20), 0, 0);
  emps_->setValue(Value("new"), 0, kName);
  projs_->insert();
  projs_->setValue(Value(101), 0, 0);
  projs_->setValue(Value("acme-q"), 0, kName);
  projs_->setValue(Value(9), 0, 3);  // no such owner: the second file refuses its commit

  EXPECT_FALSE(saveTree());
  // The first file committed the employee; the second rolled the project back.
  EXPECT_EQ(committed("select ID, NAME, DEPT_ID from EMP where ID = 20"), (std::vector<std::string>{"20|new|1"}));
  EXPECT_EQ(projects(), (std::vector<std::string>{"100|acme-p|1|1", "200|beta-p|2|1"}));
  EXPECT_FALSE(emps_->isDirty()) << "what is in the database is no longer pending";
  EXPECT_TRUE(projs_->isDirty());
  EXPECT_EQ(projs_->getRowState(), "New");

  // Mended, the retry writes only the project; the employee's insert is not tried again.
  projs_->setValue(Value(1), 0, 3);
  EXPECT_TRUE(saveTree());
  EXPECT_EQ(projects(), (std::vector<std::string>{"100|acme-p|1|1", "101|acme-q|1|1", "200|beta-p|2|1"}));
  EXPECT_EQ(committed("select WHAT from AUDIT where WHAT = 'EMP +20'"), (std::vector<std::string>{"EMP +20"}));
  EXPECT_FALSE(projs_->isDirty());
  EXPECT_FALSE(emps_->isDirty());
}

TEST_F(JdbcTreeTest, TheWhereClauseIsShownInTheAppletsStatusLine) {
  auto applet = makeRef<plat::gui::Applet>();
  auto depts = navigator(dept_, "deptStatus");
  depts->setApplet(applet);
  depts->setWhereClause("ID > 0");
  depts->execute(true);
  EXPECT_EQ(applet->getStatus(), "WHERE CLAUSE: ID > 0") << "the navigator's own query shows it";

  depts->startQBE();
  depts->setValueAsQBE(Value("Ac*"), kName);
  const std::string both = depts->getWhereClause().value_or("");
  ASSERT_EQ(both.rfind("(ID > 0) AND (", 0), 0u) << both;
  EXPECT_EQ(applet->getStatus(), "WHERE CLAUSE: " + both);

  auto plain = navigator(dept_, "deptPlain");
  plain->setApplet(applet);
  plain->execute(true);
  EXPECT_EQ(applet->getStatus(), "WHERE CLAUSE: ") << "no clause at all";

  // At design time, and for an owner component that is no applet, nothing is shown.
  plat::beans::Beans::setDesignTime(true);
  EXPECT_EQ(depts->getWhereClause(), std::optional<std::string>("ID > 0"));
  plat::beans::Beans::setDesignTime(false);
  EXPECT_EQ(applet->getStatus(), "WHERE CLAUSE: ");
  depts->setApplet(makeRef<plat::gui::Component>());
  EXPECT_EQ(depts->getWhereClause(), both);
  EXPECT_EQ(applet->getStatus(), "WHERE CLAUSE: ");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
