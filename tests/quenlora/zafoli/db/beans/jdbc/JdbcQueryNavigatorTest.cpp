// The JDBC query navigator on SQLite through the real row classes and the master/detail synchroniser: where text
// and query by example, sort order, joins (a NULL key, inserts, displaced rows), the engine code from the product
// name, and rows fed by an SQL adapter.
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLRecordDefinition.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/NavigatorTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/RecordTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

class JdbcNavigatorTest : public SqliteNavigatorTest {
 protected:
  void SetUp() override {
    open({
        "create table DEPT (ID integer, NAME varchar(20), STATE varchar(2))",
        "insert into DEPT values (1, 'Acme', 'CA'), (2, 'Beta', 'NY'), (3, 'Apex', 'CA'), (null, 'Void', 'TX')",
        "create table EMP (ID integer primary key, NAME varchar(20), DEPT_ID integer)",
        "insert into EMP values (10, 'x', 1), (11, 'y', 1), (12, 'z', 2), (13, 'n', null)",
    });
  }

  static std::vector<std::string> column(QueryNavigator& navigator, int index) {
    std::vector<std::string> values;
    navigator.last();
    const int rows = navigator.getTotalNumberOfRows();
    for (int row = 0; row < rows; ++row) values.push_back(navigator.getValueFromFirst(row, index).toString());
    return values;
  }
};

TEST_F(JdbcNavigatorTest, WhereTextQueryByExampleAndSortOrder) {
  auto depts = navigator(dept_, "deptW");
  depts->setWhereClause("STATE = 'CA'");
  depts->setSortOrder({"NAME DESC"});
  depts->execute(true);
  EXPECT_EQ(column(*depts, 1), (std::vector<std::string>{"Apex", "Acme"}));
  EXPECT_EQ(depts->getWhereClause(), std::optional<std::string>("STATE = 'CA'"));

  depts->startQBE();
  depts->setValueAsQBE(Value("Ac*"), 1);
  const std::string both = depts->getWhereClause().value_or("");
  ASSERT_EQ(both.rfind("(STATE = 'CA') AND (", 0), 0u) << both;
  EXPECT_EQ(both.back(), ')');
  const std::string translation = both.substr(20, both.size() - 21);
  EXPECT_NE(translation.find("NAME"), std::string::npos) << translation;
  depts->executeQueryByExample();
  EXPECT_EQ(column(*depts, 1), (std::vector<std::string>{"Acme"}));

  depts->setWhereClause(std::nullopt);
  EXPECT_EQ(depts->getWhereClause(), std::optional<std::string>(translation)) << "the example alone";
  auto plain = navigator(dept_, "deptPlain");
  plain->addSortOrderItem("NAME");
  plain->execute(true);
  EXPECT_EQ(plain->getWhereClause(), std::nullopt);
  EXPECT_EQ(column(*plain, 1), (std::vector<std::string>{"Acme", "Apex", "Beta", "Void"}));
}

// Going to the last row fetches more rows than the navigator fetches under one hold of its monitor.
TEST_F(JdbcNavigatorTest, LastFetchesEveryRowInOrder) {
  const char* sql =
      "insert into DEPT with recursive n(i) as (select 100 union all select i + 1 from n where i < 699) "
      "select i, 'D' || i, 'XX' from n";
  auto statement = bean_->createStatement();
  bean_->executeStatement(statement, sql, sql);
  bean_->closeStatement(statement);
  auto many = navigator(dept_, "deptMany");
  many->setWhereClause("STATE = 'XX'");
  many->setSortOrder({"ID"});
  many->execute(true);
  std::vector<std::string> ids;
  for (int id = 100; id < 700; ++id) ids.push_back(std::to_string(id));
  EXPECT_EQ(column(*many, 0), ids);
}

TEST_F(JdbcNavigatorTest, TwoNavigatorsOverOneRowClassKeepAllTheirRows) {
  auto first = navigator(dept_, "deptA");
  first->setSortOrder({"NAME"});
  first->execute(true);
  auto second = navigator(dept_, "deptB");
  second->setWhereClause("STATE = 'CA'");
  second->execute(true);
  // The first navigator's rows are fetched lazily after the second one queried through the same row class.
  EXPECT_EQ(column(*first, 1), (std::vector<std::string>{"Acme", "Apex", "Beta", "Void"}));
  EXPECT_EQ(column(*second, 1).size(), 2u);
  first->restart();
  EXPECT_EQ(column(*first, 1).size(), 4u) << "a new query of one navigator leaves the other's rows alone";
  EXPECT_EQ(column(*second, 1).size(), 2u);
}

TEST_F(JdbcNavigatorTest, JoinTextsAreThreeWords) {
  auto emps = navigator(emp_, "empJ");
  emps->setJoin({"DEPT_ID = ID", "A != B"});
  EXPECT_EQ(emps->getJoin(), (std::vector<std::string>{"DEPT_ID = ID", "A != B"}));
  for (const char* bad : {"A = B C", "A =", ""}) {
    try {
      emps->addJoin(bad);
      ADD_FAILURE() << bad;
    } catch (const plat::lang::IllegalArgumentException& e) {
      EXPECT_EQ(e.getMessage(), "Syntax failure in the join clause");
    }
  }
  EXPECT_EQ(emps->getJoinValues()->records().size(), 2u);
}

TEST_F(JdbcNavigatorTest, DetailsFollowTheMasterKeyIncludingNull) {
  auto depts = navigator(dept_, "deptM");
  depts->setSortOrder({"ID"});
  auto emps = navigator(emp_, "empM", "deptM");
  emps->setJoin({"DEPT_ID = ID"});
  emps->setSortOrder({"ID"});
  depts->execute(true);
  emps->execute(true);
  // SQLite sorts NULL first: the department without a key comes first and its detail takes «DEPT_ID IS NULL ».
  depts->first();
  EXPECT_EQ(column(*emps, 0), (std::vector<std::string>{"13"}));
  depts->next();
  EXPECT_EQ(column(*emps, 0), (std::vector<std::string>{"10", "11"}));
  depts->next();
  EXPECT_EQ(column(*emps, 0), (std::vector<std::string>{"12"}));

  // A new detail row takes the master's key; a row moved off the master is displaced until moved back.
  emps->insert();
  EXPECT_EQ(emps->getValue(0, 2), Value(2));
  emps->first();
  auto row = std::dynamic_pointer_cast<binding::PersistentObject>(emps->getCurrentObject());
  ASSERT_NE(row, nullptr);
  emps->setValue(Value(1), 0, 2);
  EXPECT_TRUE(row->getMarkedAsMisplaced());
  emps->setValue(Value(2), 0, 2);
  EXPECT_FALSE(row->getMarkedAsMisplaced()) << "back on its master, it is no longer displaced";
}

// A row class whose model reports the product name the test sets.
std::string productName;
class ProductRow : public FixedRow {
 public:
  ProductRow() : FixedRow("test.engine.Row", makeModel("T", {{"A"}}, false)) {}
  Ref<binding::PersistentObjectModel> getDataModel() override {
    auto model = std::dynamic_pointer_cast<DataModel>(FixedRow::getDataModel());
    model->setDatabaseProductName(productName);
    return model;
  }
};

TEST_F(JdbcNavigatorTest, TheEngineCodeComesFromTheProductName) {
  plat::runvale::ClassRegistry::instance().registerClass({"test.engine.Row",
                                                          [] { return Ref<plat::lang::Object>(makeRef<ProductRow>()); },
                                                          {},
                                                          RecordDefinition::kClassName});
  const std::pair<const char*, int> cases[] = {
      {"Microsoft SQL Server", 3},
      {"ACCESS", 2},
      {"Some Other Base", 2},
      {"", 0},
      {"Microsoft Access", 2},
      {"SQL Server", 4},
      {"Oracle", 5},
      {"Sybase Anywhere", 1},
      {"Informix", 6},
      {"PointBase", 7},
      {"SQLite", 7},
  };
  auto engines = navigator("test.engine.Row", "engines");
  for (const auto& [product, code] : cases) {
    productName = product;
    engines->createQueryByExampleRow();
    EXPECT_EQ(engines->getDatabaseEngineType(), code) << product;
    EXPECT_EQ(qbe::QBExlator::getEngine(), code) << product;
  }
}

// An adapter-fed row class: its model is made once from the adapter's result-column names.
class AdapterRows : public SQLRecordDefinition {
 public:
  static inline Ref<DataModel> model;
  Ref<binding::PersistentObjectModel> getDataModel() override {
    if (!model) model = generateDataModel();
    return model;
  }
  std::string getClassName() const override { return "test.adapter.Rows"; }
};

TEST_F(JdbcNavigatorTest, AnAdapterWithInParametersFeedsTheNavigatorWithReadOnlyRows) {
  AdapterRows::model = nullptr;
  plat::runvale::ClassRegistry::instance().registerClass(
      {"test.adapter.Rows",
       [] { return Ref<plat::lang::Object>(makeRef<AdapterRows>()); },
       {},
       SQLRecordDefinition::kClassName});
  auto query = adapter("select NAME, STATE from DEPT where STATE = ? order by NAME",
                       {param("ST", 1, plat::sql::DatabaseMetaData::procedureColumnIn, plat::sql::Types::VARCHAR)});
  query->setColumns({"NAME", "STATE"});
  query->setValues(0, Value("CA"));
  auto rows = navigator("test.adapter.Rows", "adapterRows");
  rows->setSQLAdapter(query);
  rows->execute(true);
  EXPECT_EQ(column(*rows, 0), (std::vector<std::string>{"Acme", "Apex"}));
  EXPECT_EQ(AdapterRows::model->getModelName(), "SQLAdapter");
  EXPECT_EQ(AdapterRows::model->getColumnMetaData(0)->getDataType(), plat::sql::Types::VARCHAR)
      << "types come from the result";

  // Each execution of the adapter brings its rows; the previous result is closed.
  query->setValues(0, Value("NY"));
  query->execute();
  EXPECT_EQ(column(*rows, 0), (std::vector<std::string>{"Beta"}));

  rows->first();
  auto row = std::dynamic_pointer_cast<SQLRecordDefinition>(rows->getCurrentObject());
  ASSERT_NE(row, nullptr);
  row->setValueAsObject(0, Value("Gamma"));
  try {
    row->save();
    ADD_FAILURE() << "adapter rows are read-only";
  } catch (const RecordDefinitionException& e) {
    EXPECT_NE(e.getMessage().find("public int update()"), std::string::npos) << e.getMessage();
  }
  EXPECT_EQ(row->getStatement(), "user defined update statement");
  EXPECT_THROW(row->querySimilarObjects(), RecordDefinitionException);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
