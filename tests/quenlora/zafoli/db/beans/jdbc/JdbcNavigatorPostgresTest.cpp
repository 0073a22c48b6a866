// The JDBC query navigator with stored procedures on a throwaway PostgreSQL server: a set-returning function
// feeding a navigator through its adapter-fed row class, and a procedure re-run by its trigger as the navigator
// moves.
#include <gtest/gtest.h>

#include <functional>

#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLRecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureTrigger.h"
#include "testkit/beans/JdbcTableRecord.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/AdapterTestSupport.h"
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif

#ifdef HAVE_POSTGRES
namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using binding::event::RecordNavigateEvent;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using testkit::PostgresServer;
using M = plat::sql::DatabaseMetaData;

class PostgresNavigator : public AdapterTest {
 protected:
  void SetUp() override {
    AdapterTest::SetUp();
    binding::databus::DataBus::initialize();
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    plat::sql::pq::registerPqDriverClass(plat::runvale::ClassRegistry::instance());
    bean_ = makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server_->url(server_->createDatabase()),
                                    PostgresServer::kUser, PostgresServer::kPassword);
    offer(bean_);
    bean_->connect();
    run("create table dept (id integer primary key, name varchar(20), state varchar(2), budget numeric(10,2))");
    run("insert into dept values (1, 'Acme', 'CA', 1.50), (2, 'Beta', 'NY', 2.25), (3, 'Apex', 'CA', 3.00)");
  }
  void TearDown() override {
    for (auto& navigator : navigators_) navigator->close();
    navigators_.clear();
    if (bean_) bean_->setConnectionClosed(true);
    binding::databus::DataBus::initialize();
    AdapterTest::TearDown();
  }

  void run(const std::string& sql) {
    auto statement = bean_->createStatement();
    bean_->executeStatement(statement, sql, sql);
    bean_->closeStatement(statement);
  }
  Ref<QueryNavigator> navigator(const std::string& className, const std::string& alias) {
    auto made = makeRef<QueryNavigator>();
    made->setClassName(className);
    made->setAliasName(alias);
    navigators_.push_back(made);
    return made;
  }
  static std::vector<std::string> rows(QueryNavigator& navigator, int column) {
    std::vector<std::string> values;
    navigator.last();
    for (int row = 0; row < navigator.getTotalNumberOfRows(); ++row)
      values.push_back(navigator.getValueFromFirst(row, column).toString());
    return values;
  }

  PostgresServer* server_ = nullptr;
  Ref<JdbcConnection> bean_;
  std::vector<Ref<QueryNavigator>> navigators_;
};

// Rows of a set-returning function: the model is made once from the adapter's result-column names.
class FunctionRows : public SQLRecordDefinition {
 public:
  static constexpr const char* kName = "test.pg.FunctionRows";
  static inline Ref<DataModel> model;
  Ref<binding::PersistentObjectModel> getDataModel() override {
    if (!model) model = generateDataModel();
    return model;
  }
  std::string getClassName() const override { return kName; }
};

TEST_F(PostgresNavigator, ASetReturningFunctionFeedsANavigatorThroughItsRowClass) {
  run("create function depts_in(st varchar) returns table (name varchar, budget numeric) language sql stable "
      "as $$ select name, budget from dept where state = st order by name $$");
  FunctionRows::model = nullptr;
  plat::runvale::ClassRegistry::instance().registerClass(
      {FunctionRows::kName,
       [] { return Ref<plat::lang::Object>(makeRef<FunctionRows>()); },
       {},
       SQLRecordDefinition::kClassName});
  const SQLAdapter::Parameters parameters{param("ST", 1, M::procedureColumnIn, Types::VARCHAR)};
  auto function = makeRef<StoredProcedureAdapter>(managerClass_, "db",
                                                  StoredProcedureAdapter::generateSQLText("depts_in", parameters),
                                                  parameters, std::vector<std::string>{"NAME", "BUDGET"});
  function->setValues(0, Value("CA"));
  auto depts = navigator(FunctionRows::kName, "functionRows");
  depts->setSQLAdapter(function);
  depts->execute(true);
  EXPECT_EQ(rows(*depts, 0), (std::vector<std::string>{"Acme", "Apex"}));
  EXPECT_EQ(rows(*depts, 1), (std::vector<std::string>{"1.50", "3.00"}));
  EXPECT_EQ(FunctionRows::model->getModelName(), "SQLAdapter");
  EXPECT_EQ(FunctionRows::model->getColumnMetaData(1)->getDataType(), Types::NUMERIC) << "typed by the result";

  // Each call brings the function's new rows.
  function->setValues(0, Value("NY"));
  function->execute();
  EXPECT_EQ(rows(*depts, 0), (std::vector<std::string>{"Beta"}));
  EXPECT_EQ(rows(*depts, 1), (std::vector<std::string>{"2.25"}));
}

// Gives the procedure the current department's key, as a field bound to both would; heard before the trigger.
class KeyCopier : public binding::event::RecordNavigateEventListener {
 public:
  KeyCopier(QueryNavigator& navigator, StoredProcedureAdapter& procedure)
      : navigator_(navigator), procedure_(procedure) {}
  void onAfterRecordNavigate(const RecordNavigateEvent&) override {
    procedure_.setValues(0, navigator_.getValue(0, 0));
  }
  void onBeforeRecordNavigate(const RecordNavigateEvent&) override {}
  void onBoundaryRecord(const RecordNavigateEvent&) override {}

 private:
  QueryNavigator& navigator_;
  StoredProcedureAdapter& procedure_;
};

TEST_F(PostgresNavigator, TheTriggerRerunsAProcedureAsTheNavigatorMoves) {
  run("create procedure dept_name(in d integer, out dname varchar) language plpgsql as $$ "
      "begin select x.name into dname from dept x where x.id = d; end $$");
  auto procedure =
      makeRef<StoredProcedureAdapter>(managerClass_, "db", "{call dept_name( ?, ? )}",
                                      SQLAdapter::Parameters{param("D", 1, M::procedureColumnIn, Types::INTEGER),
                                                             param("DNAME", 2, M::procedureColumnOut, Types::VARCHAR)});
  auto events = std::make_shared<AdapterEvents>();
  procedure->addSQLAdapterEventListener(events);
  const std::string rowClass =
      "test.pg.Dept" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
  testkit::beans::JdbcTableRecord::registerClass(plat::runvale::ClassRegistry::instance(), rowClass, "dept",
                                                 managerClass_, "db");
  auto depts = navigator(rowClass, "deptMoves");
  depts->setSortOrder({"id"});
  depts->addRecordNavigateEventListener(std::make_shared<KeyCopier>(*depts, *procedure));
  StoredProcedureTrigger trigger(depts, procedure);

  struct Move {
    const char* what;
    std::function<void()> move;
    bool runs;
    const char* name;  // the procedure's out value afterwards
  };
  const Move moves[] = {
      {"execute, which goes to the first row", [&] { depts->execute(true); }, true, "Acme"},
      {"next", [&] { depts->next(); }, true, "Beta"},
      {"previous", [&] { depts->previous(); }, true, "Acme"},
      {"go to row 3", [&] { depts->go_to(3); }, true, "Apex"},
      {"first", [&] { depts->first(); }, true, "Acme"},
      {"insert", [&] { depts->insert(); }, false, "Acme"},
      {"query by example", [&] { depts->startQBE(); }, false, "Acme"},
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.what);
    events->seen.clear();
    m.move();
    EXPECT_EQ(events->seen.size(), m.runs ? 2u : 0u);
    EXPECT_EQ(procedure->getValue(0, 1), Value(m.name));
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
#endif
