// The texts a row class generates, every character, and the state transitions they follow.
#include <gtest/gtest.h>

#include "platform/util/Enumeration.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/RecordTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;

class Join : public binding::Synchronizable::JoinRecord {
 public:
  Join(std::string column, int number, std::string op, Value master)
      : column_(std::move(column)), number_(number), op_(std::move(op)), master_(std::move(master)) {}
  std::string getDetailColumnName() override { return column_; }
  int getDetailColumnNumber() override { return number_; }
  Value getMasterCurrentValue() override { return master_; }
  std::string getOperator() override { return op_; }

 private:
  std::string column_;
  int number_;
  std::string op_;
  Value master_;
};

class Joins : public binding::Synchronizable::JoinRecordList {
 public:
  explicit Joins(std::vector<Ref<binding::Synchronizable::JoinRecord>> records) : records_(std::move(records)) {}
  Ref<plat::util::Enumeration<Ref<binding::Synchronizable::JoinRecord>>> getJoinRecords() override {
    return plat::lang::makeRef<plat::util::SnapshotEnumeration<Ref<binding::Synchronizable::JoinRecord>>>(records_);
  }

 private:
  std::vector<Ref<binding::Synchronizable::JoinRecord>> records_;
};

Ref<Joins> joins(std::vector<Ref<binding::Synchronizable::JoinRecord>> records) {
  return plat::lang::makeRef<Joins>(std::move(records));
}

Ref<FixedRow> row(const std::string& className, const std::vector<ColumnSpec>& columns, bool unique) {
  auto made = plat::lang::makeRef<FixedRow>(className, makeModel("T", columns, unique));
  made->setTableName("T");
  made->initDataStorage();
  return made;
}

struct SelectCase {
  const char* label;
  std::optional<std::vector<std::string>> columns;
  std::string where;
  std::vector<std::pair<std::string, Value>> joins;  // detail column with "=", master value
  std::vector<std::string> order;
  std::string expected;
};

TEST(RecordSqlText, FinalSelectTexts) {
  const std::vector<SelectCase> cases = {
      {"no columns", std::nullopt, "", {}, {}, "SELECT  * FROM T\n"},
      {"empty column list", std::vector<std::string>{}, "", {}, {}, "SELECT  * FROM T\n"},
      {"the example",
       std::vector<std::string>{"A", "B"},
       "A > 1",
       {{"B", Value(7)}},
       {"A"},
       "SELECT A,B FROM T WHERE ( A > 1 )  AND ( B =  ?  )  ORDER BY A\n"},
      {"one-word where",
       std::vector<std::string>{"A", "B"},
       "1=1",
       {{"B", Value(7)}},
       {},
       "SELECT A,B FROM T WHERE ( 1=1 )  AND ( B =  ?  ) \n"},
      {"joins alone",
       std::vector<std::string>{"A", "B"},
       "",
       {{"A", Value(1)}, {"B", Value()}},
       {"A", "B"},
       "SELECT A,B FROM T WHERE ( A =  ?  AND B IS NULL  )  ORDER BY A,B\n"},
      {"keyword written by the caller",
       std::vector<std::string>{"A"},
       "where A > 1",
       {},
       {},
       "SELECT A FROM T WHERE (  A > 1 ) \n"},
      {"word starting with where",
       std::vector<std::string>{"A"},
       "WHEREVER = 1",
       {},
       {},
       "SELECT A FROM T WHERE ( WHEREVER = 1 ) \n"},
  };
  for (const auto& c : cases) {
    auto r = row("test.rows.Select", {{"A", Types::INTEGER}, {"B", Types::INTEGER}}, false);
    r->setColumns(c.columns);
    std::vector<Ref<binding::Synchronizable::JoinRecord>> records;
    for (const auto& [column, master] : c.joins) {
      records.push_back(plat::lang::makeRef<Join>(column, column == "A" ? 0 : 1, "=", master));
    }
    EXPECT_EQ(r->createFinalSelectSQL(c.where, c.joins.empty() ? nullptr : joins(records), c.order), c.expected)
        << c.label;
  }
}

TEST(RecordSqlText, EmptyResultAndQueryString) {
  auto r = row("test.rows.Empty", {{"ID", Types::INTEGER, true}, {"NAME"}}, true);
  r->setColumns(std::vector<std::string>{"ID", "NAME"});
  EXPECT_EQ(r->makeEmptyResultSetSQLString(), "SELECT ID,NAME FROM T WHERE 1 > 2\n");
  r->load({Value(1), Value("a")});
  EXPECT_EQ(r->getQueryString("="), "SELECT ID,NAME FROM T WHERE ID = ?");
}

struct WriteCase {
  const char* label;
  std::vector<ColumnSpec> columns;
  bool unique;
  std::vector<Value> read;  // empty: a new row
  std::vector<std::pair<int, Value>> edits;
  std::optional<std::string> insert, update;
  std::string remove;
};

TEST(RecordSqlText, WriteTexts) {
  const std::vector<ColumnSpec> keyed = {{"ID", Types::INTEGER, true}, {"NAME"}};
  const std::vector<ColumnSpec> keyless = {{"ID", Types::INTEGER}, {"NAME"}, {"NOTE"}};
  const std::vector<WriteCase> cases = {
      {"keyed update",
       keyed,
       true,
       {Value(1), Value("a")},
       {{1, Value("b")}},
       std::nullopt,
       "UPDATE T SET NAME = ? WHERE ID = ? AND NAME = ?\n",
       "DELETE FROM T WHERE ID = ? AND NAME = ?\n"},
      {"keyless with a NULL",
       keyless,
       false,
       {Value(1), Value("a"), Value()},
       {{1, Value("b")}},
       std::nullopt,
       "UPDATE T SET NAME = ? WHERE ID = ? AND NAME = ? AND NOTE IS NULL \n",
       "DELETE FROM T WHERE ID = ? AND NAME = ? AND NOTE IS NULL \n"},
      {"new row",
       keyed,
       true,
       {},
       {{0, Value(5)}, {1, Value("x")}},
       "INSERT INTO T( ID,NAME ) VALUES( ?,? )\n",
       "UPDATE T SET ID = ?,NAME = ? WHERE ID IS NULL  AND NAME IS NULL \n",
       "DELETE FROM T WHERE ID IS NULL  AND NAME IS NULL \n"},
      {"unchanged keyed row",
       keyed,
       true,
       {Value(1), Value("a")},
       {},
       std::nullopt,
       std::nullopt,
       "DELETE FROM T WHERE ID = ?\n"},
      {"long columns never compared",
       {{"ID", Types::INTEGER}, {"TXT", Types::LONGVARCHAR}, {"BIN", Types::LONGVARBINARY}},
       false,
       {Value(1), Value("t"), Value()},
       {{1, Value("u")}},
       std::nullopt,
       "UPDATE T SET TXT = ? WHERE ID = ?\n",
       "DELETE FROM T WHERE ID = ?\n"},
  };
  for (const auto& c : cases) {
    auto r = row(std::string("test.rows.Write"), c.columns, c.unique);
    if (!c.read.empty()) r->load(c.read);
    for (const auto& [column, value] : c.edits) r->setValueAsObject(column, value);
    if (c.read.empty()) {
      EXPECT_EQ(r->makeInsertSQLString(), c.insert) << c.label;
    } else {
      EXPECT_EQ(r->makeInsertSQLString().has_value(), !c.edits.empty()) << c.label;
    }
    EXPECT_EQ(r->makeUpdateSQLString(), c.update) << c.label;
    EXPECT_EQ(r->makeDeleteSQLString(), c.remove) << c.label;
    // The variants without the final line end.
    EXPECT_EQ(r->getDeleteSQL() + "\n", c.remove) << c.label;
    if (c.update) {
      EXPECT_EQ(*r->getUpdateSQL() + "\n", *c.update) << c.label;
    }
  }
}

TEST(RecordSqlText, UniqueOnlyWhileEveryKeyColumnIsUsable) {
  auto r = row("test.rows.Unique", {{"K1", Types::INTEGER, true}, {"K2", Types::INTEGER, true}, {"V"}}, true);
  r->load({Value(1), Value(2), Value("v")});
  EXPECT_EQ(r->makeDeleteSQLString(), "DELETE FROM T WHERE K1 = ? AND K2 = ?\n");
  // A key column whose value could not be read: the key no longer identifies the row, every usable column counts.
  std::dynamic_pointer_cast<DataModel>(r->getDataModel())->getColumnMetaData(1)->setColumnState(0);
  EXPECT_EQ(r->makeDeleteSQLString(), "DELETE FROM T WHERE K1 = ? AND V = ?\n");
}

TEST(RecordSqlText, ARowWithoutUsableColumnsRefusesToWrite) {
  auto r = row("test.rows.Unusable", {{"TXT", Types::LONGVARCHAR}}, false);
  r->load({Value("t")});
  try {
    r->makeDeleteSQLString();
    FAIL() << "no predicate";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), RecordDefinition::kNoUsableColumn);
  }
  EXPECT_EQ(r->getQueryPredicate("="), "");
}

TEST(RecordSqlText, BaseOperationsMustBeOverridden) {
  RecordDefinition base;
  for (const auto& [call, name] : std::vector<std::pair<std::function<void()>, std::string>>{
           {[&] { base.getDataModel(); }, "getDataModel()"},
           {[&] { base.getInsertStatement(); }, "getInsertStatement()"},
           {[&] { base.getUpdateStatement(); }, "getUpdateStatement()"},
           {[&] { base.getDeleteStatement(); }, "getDeleteStatement()"}}) {
    try {
      call();
      FAIL() << name;
    } catch (const plat::lang::RuntimeException& e) {
      EXPECT_EQ(e.getMessage(), "The following method must be over-ridden: " + name);
    }
  }
  try {
    base.setSQLAdapter(nullptr);
    FAIL();
  } catch (const RecordDefinitionException& e) {
    EXPECT_EQ(e.getMessage(), "The following method is not applicable when SQL adapter is not used: setSQLAdapter");
  }
}

struct StateCase {
  std::vector<std::pair<int, bool>> steps;  // bit, set (true) or undo
  int state, external, operation;
  bool refused;
};

TEST(RecordState, TransitionsExternalStatesAndOperations) {
  const std::vector<StateCase> cases = {
      {{}, 0, 109, 13, false},
      {{{1, true}}, 1, 110, 14, false},
      {{{2, true}}, 2, 111, 15, false},
      {{{1, true}, {2, true}}, 3, 110, 14, false},
      {{{4, true}}, 4, 112, 16, false},
      {{{1, true}, {4, true}}, 5, 112, 13, false},  // inserted then deleted: nothing to write
      {{{2, true}, {4, true}}, 6, 112, 16, false},
      {{{1, true}, {2, true}, {4, true}}, 7, 112, 13, false},
      {{{4, true}, {2, true}}, 4, 112, 16, false},  // an edit does not reach a deleted row
      {{{2, true}, {8, true}}, 10, 111, 15, false},
      {{{8, true}}, 0, 109, 13, true},  // misplaced needs modified
      {{{2, true}, {2, false}}, 0, 109, 13, false},
      {{{16, true}}, 0, 109, 13, true},
  };
  for (std::size_t n = 0; n < cases.size(); ++n) {
    const auto& c = cases[n];
    RecordState state;
    bool refused = false;
    for (const auto& [bit, on] : c.steps) {
      try {
        on ? state.setState(bit) : state.setStateUndo(bit);
      } catch (const RecordState::StateException&) {
        refused = true;
      }
    }
    EXPECT_EQ(state.getState(), c.state) << n;
    EXPECT_EQ(state.getExternalState(), c.external) << n;
    EXPECT_EQ(state.getOperation(), c.operation) << n;
    EXPECT_EQ(refused, c.refused) << n;
  }
}

TEST(RecordState, RowRefusesMisplacedWithoutModification) {
  auto r = row("test.rows.State", {{"ID", Types::INTEGER, true}}, true);
  try {
    r->setMarkedAsDisplaced(true);
    FAIL();
  } catch (const RecordDefinitionException& e) {
    EXPECT_EQ(e.getMessage(), "The row was found in a invalid state");
  }
  r->setValueAsObject(0, Value(3));
  r->setMarkedAsDisplaced(true);
  EXPECT_TRUE(r->getMarkedAsMisplaced());
  EXPECT_TRUE(r->getMarkedAsModified());
  r->undoChanges();
  EXPECT_FALSE(r->getMarkedAsMisplaced());
  EXPECT_FALSE(r->isDirty());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
