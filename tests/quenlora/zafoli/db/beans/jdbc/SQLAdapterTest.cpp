// The SQL adapter on a scripted driver: its checks and their codes, its name helpers, one execution step by step,
// the published parameter row, saved settings, and the stored-procedure call text and trigger.
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/lang/Exceptions.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"
#include "quenlora/zafoli/db/beans/jdbc/ParameterMarkers.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterException.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureTrigger.h"
#include "testkit/beans/RecordingBean.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/AdapterTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using binding::event::RecordNavigateEvent;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using M = plat::sql::DatabaseMetaData;

constexpr int IN = M::procedureColumnIn;
constexpr int INOUT = M::procedureColumnInOut;
constexpr int COLUMN = M::procedureColumnResult;
constexpr int OUT = M::procedureColumnOut;
constexpr int RETURN = M::procedureColumnReturn;

// The code and message of the adapter failure action throws; code 0 when it throws none.
std::pair<int, std::string> failureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const SQLAdapterException& e) {
    return {e.getErrorCode(), e.getMessage()};
  }
  return {0, ""};
}

// The parameter bindings the scripted statements recorded, in order.
std::vector<std::string> bindings(const testkit::ScriptedDatabase& db) {
  std::vector<std::string> found;
  for (const auto& call : db.calls()) {
    for (const char* setter : {".setInt(", ".setString(", ".setNull(", ".setBigDecimal(", ".setObject("}) {
      if (call.find(setter) != std::string::npos) found.push_back(call);
    }
  }
  return found;
}

std::string text(const std::string& key) {
  return JdbcResourceLoader::text(key);
}

// --- name helpers and call texts -----------------------------------------------------------------------------

TEST(SQLAdapterNames, IdentifiersAreCheckedAndMadeByTheRuntimeRules) {
  struct Case {
    const char* text;
    bool identifier;
    const char* made;
  };
  const Case cases[] = {
      {"first name", false, "first_name"},
      {"", false, "_"},
      {"1abc", false, "_abc"},
      {"a  b", false, "a__b"},
      {"a_ b", false, "a_b"},
      {"a-b", false, "a_b"},
      {"$x_1", true, "$x_1"},
      {"\xC3\xA9t\xC3\xA9", true, "\xC3\xA9t\xC3\xA9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SQLAdapter::isJavaIdentifier(c.text), c.identifier) << c.text;
    EXPECT_EQ(SQLAdapter::createJavaIdentifier(c.text), c.made) << c.text;
    EXPECT_TRUE(SQLAdapter::isJavaIdentifier(SQLAdapter::createJavaIdentifier(c.text))) << c.text;
  }
}

TEST(SQLAdapterNames, ColumnNamesCountLikeSpreadsheetColumns) {
  const std::pair<int, const char*> cases[] = {{0, "A"},   {1, "B"},    {25, "Z"},    {26, "AA"},
                                               {27, "AB"}, {701, "ZZ"}, {702, "AAA"}, {18277, "ZZZ"}};
  for (const auto& [i, name] : cases) EXPECT_EQ(SQLAdapter::getColumnName(i), name) << i;
  EXPECT_THROW(SQLAdapter::getColumnName(-1), plat::lang::IllegalArgumentException);
}

TEST(SQLAdapterNames, ChecksAndRenamers) {
  EXPECT_EQ(SQLAdapter::areColumnNamesSupported({"a", "b c", "d e"}), 1);
  EXPECT_EQ(SQLAdapter::areColumnNamesSupported({"a", "b"}), SQLAdapter::COLUMN_NAMES_SUPPORTED);
  EXPECT_EQ(SQLAdapter::areColumnNamesSupported({}), SQLAdapter::COLUMN_NAMES_SUPPORTED);
  EXPECT_FALSE(SQLAdapter::areColumnNamesUnique({"a", "b", "a"}));
  EXPECT_FALSE(SQLAdapter::areColumnNamesUnique({"a", ""}));
  EXPECT_TRUE(SQLAdapter::areColumnNamesUnique({}));

  std::vector<std::string> names{"a b", "2x", "ok"};
  SQLAdapter::setSupportedColumnNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"a_b", "_x", "ok"}));
  SQLAdapter::setUniqueColumnNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));

  SQLAdapter::Parameters parameters{param("x", 1, IN, Types::INTEGER), param("my name", 2, OUT, Types::INTEGER),
                                    param("x", 3, COLUMN, Types::OTHER)};
  EXPECT_EQ(SQLAdapter::areParamNamesSupported(parameters), 1);
  EXPECT_FALSE(SQLAdapter::areParamNamesUnique(parameters));
  EXPECT_EQ(SQLAdapter::getInParamsMetaData(parameters).size(), 1u);
  EXPECT_EQ(SQLAdapter::getParamsMetaData(parameters).size(), 2u);
  EXPECT_EQ(SQLAdapter::getRSColumnsMetaData(parameters).size(), 1u);
  SQLAdapter::setSupportedParamNames(parameters);
  EXPECT_EQ(parameters[1]->getName(), "my_name");
  SQLAdapter::setUniqueParamNames(parameters);
  EXPECT_TRUE(SQLAdapter::areParamNamesUnique(parameters));

  auto columns = SQLAdapter::createRSColumnsMetaData({"ID", "NAME"});
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[1]->getName(), "NAME");
  EXPECT_EQ(columns[1]->getIndex(), 2);
  EXPECT_EQ(columns[1]->getType(), COLUMN);
  EXPECT_EQ(columns[1]->getDataType(), Types::OTHER);
}

TEST(SQLAdapterNames, MarkersInQuotesAndCommentsAreNoMarkers) {
  const std::pair<const char*, int> cases[] = {
      {"select ? from t", 1},
      {"select '?', \"a?\" from t where x = ?", 1},
      {"select 'it''s ?' || ? -- why?\n, ?", 2},
      {"select /* ? */ ? /* unclosed ?", 1},
      {"select 'unclosed ?", 0},
      {"{?= call p(?, ?)}", 3},
  };
  for (const auto& [sql, count] : cases) EXPECT_EQ(ParameterMarkers::count(sql), count) << sql;
  EXPECT_EQ(ParameterMarkers::replace("a = ? and b = '?' and c = ?", [](int n) { return std::to_string(n); }),
            "a = 1 and b = '?' and c = 2");
}

TEST(StoredProcedureAdapterText, CallTextsAndAliases) {
  struct Case {
    std::vector<int> kinds;
    const char* sql;
  };
  const Case cases[] = {
      {{}, "{call p()}"},
      {{IN, IN}, "{call p( ?, ? )}"},
      {{RETURN}, "{?= call p()}"},
      {{RETURN, IN, OUT}, "{?= call p( ?, ? )}"},
      {{COLUMN, COLUMN}, "{call p()}"},
      {{IN, COLUMN, INOUT}, "{call p( ?, ? )}"},
  };
  for (const auto& c : cases) {
    SQLAdapter::Parameters parameters;
    for (int kind : c.kinds) parameters.push_back(param("n", 1, kind, Types::INTEGER));
    EXPECT_EQ(StoredProcedureAdapter::generateSQLText("p", parameters), c.sql);
  }
  EXPECT_EQ(StoredProcedureAdapter::generateAliasName("sales.get_2nd"), "sales_get_2nd");
  EXPECT_EQ(StoredProcedureAdapter::generateAliasName("9lives"), "_lives");
  EXPECT_EQ(StoredProcedureAdapter::generateAliasName(""), "");
}

// --- parameter order -----------------------------------------------------------------------------------------

TEST(ParameterMetaDataOrder, ReturnValueFirstThenParametersThenColumns) {
  struct Case {
    int kind, index, otherKind, otherIndex;
    bool less;        // when code is 0
    int code;         // the failure's code, 0 for none
    const char* key;  // the failure's bundle key
  };
  const Case cases[] = {
      {RETURN, 1, IN, 2, true, 0, ""},
      {IN, 2, RETURN, 1, false, 0, ""},
      {RETURN, 2, IN, 1, false, 10, "Invalid parameter index."},
      {IN, 1, RETURN, 3, false, 10, "Invalid parameter index."},
      {RETURN, 1, RETURN, 1, false, 1, "More than one return values."},
      {IN, 1, INOUT, 2, true, 0, ""},
      {OUT, 3, IN, 2, false, 0, ""},
      {IN, 2, OUT, 2, false, 2, "Duplicated parameter's indeces"},
      {COLUMN, 1, IN, 5, false, 0, ""},
      {IN, 5, COLUMN, 1, true, 0, ""},
      {COLUMN, 1, COLUMN, 2, true, 0, ""},
      {COLUMN, 2, COLUMN, 2, false, 2, "More than 1 parameters with the same index."},
      {0, 1, IN, 2, false, 3, "Unknown parameter type."},
      {IN, 1, 6, 2, false, 3, "Unknown parameter type."},
  };
  for (const auto& c : cases) {
    ParameterMetaData a("a", c.index, c.kind, Types::INTEGER);
    ParameterMetaData b("b", c.otherIndex, c.otherKind, Types::INTEGER);
    bool less = false;
    auto [code, message] = failureOf([&] { less = a.lessThan(b); });
    EXPECT_EQ(code, c.code) << c.kind << "@" << c.index << " vs " << c.otherKind << "@" << c.otherIndex;
    if (c.code == 0) {
      EXPECT_EQ(less, c.less) << c.kind << "@" << c.index << " vs " << c.otherKind << "@" << c.otherIndex;
    } else {
      EXPECT_EQ(message, text(c.key));
    }
  }
}

TEST(ParameterMetaDataOrder, CopiesOwnTheirDefaultAndBoundPropertiesFire) {
  ParameterMetaData original("p", 1, IN, Types::VARBINARY, 0, Value::ofBytes({1, 2}));
  ParameterMetaData copy(original);
  EXPECT_EQ(copy.getName(), "p");
  EXPECT_EQ(copy.getDataType(), Types::VARBINARY);
  EXPECT_EQ(copy.getDefaultValue().getBytes(), original.getDefaultValue().getBytes());
  EXPECT_FALSE(copy.getDefaultValue().equals(original.getDefaultValue())) << "a new array, not a shared one";
  EXPECT_THROW(ParameterMetaData("r", 1, COLUMN, Types::INTEGER).checkType(), SQLAdapterException);
  EXPECT_NO_THROW(ParameterMetaData("r", 1, RETURN, Types::INTEGER).checkType());
}

// --- validation ----------------------------------------------------------------------------------------------

struct ValidationCase {
  const char* what;
  const char* sql;
  std::vector<std::tuple<const char*, int, int>> parameters;  // name, index, kind
  std::vector<std::string> columns;
  int code;
  std::string message;
};

class SQLAdapterValidation : public AdapterTest {};

TEST_F(SQLAdapterValidation, EachCheckHasItsCodeAndText) {
  const ValidationCase cases[] = {
      {"markers and parameters differ",
       "{call p(?, ?)}",
       {{"a", 1, IN}},
       {},
       5,
       text("The number of '?' in the SQL text does not match the number of parameters in the meta data")},
      {"parameters without markers",
       "select 1",
       {{"a", 1, IN}},
       {},
       5,
       text("The number of '?' in the SQL text does not match the number of parameters in the meta data")},
      {"an index beyond the count",
       "{call p(?, ?)}",
       {{"a", 1, IN}, {"b", 3, IN}},
       {},
       10,
       text("There is a parameter with an index greater than the total number of parameters")},
      {"a result column as parameter", "{call p(?)}", {{"a", 1, COLUMN}}, {}, 3, text("Unknown parameter type.")},
      {"an index left out",
       "{call p(?, ?)}",
       {{"a", 1, IN}, {"b", 1, OUT}},
       {},
       6,
       text("There is no metadata for the parameter with index: ") + "2"},
      {"a name that is no identifier",
       "{call p(?, ?)}",
       {{"a", 2, IN}, {"first name", 1, IN}},
       {},
       11,
       text("The name of a parameter is not supported (not a Java identifier). The parameter index is: ") + "1"},
      {"two equal names",
       "{call p(?, ?)}",
       {{"a", 1, IN}, {"a", 2, IN}},
       {},
       13,
       text("The parameter names must be unique.")},
      {"a bad column name",
       "select 1",
       {},
       {"ok", "bad col"},
       12,
       text("The name of a ResultSet column is not supported (not a Java identifier). The column index is: ") + "1"},
      {"two equal columns",
       "select ?",
       {{"a", 1, IN}},
       {"x", "x"},
       14,
       text("The ResultSet column names must be unique.")},
      {"a '?' in a literal is no marker", "select '?' from t where a = ?", {{"a", 1, IN}}, {}, 0, ""},
      {"all well", "{?= call p(?)}", {{"r", 1, RETURN}, {"a", 2, INOUT}}, {"A", "B"}, 0, ""},
  };
  for (const auto& c : cases) {
    SQLAdapter::Parameters parameters;
    for (const auto& [name, index, kind] : c.parameters) parameters.push_back(param(name, index, kind, Types::INTEGER));
    auto a = adapter(c.sql, parameters);
    a->setColumns(c.columns);
    auto [code, message] = failureOf([&] { a->checkMetaData(); });
    EXPECT_EQ(code, c.code) << c.what;
    EXPECT_EQ(message, c.message) << c.what;
  }
  // Each failure went to the log under the failure's class name.
  const auto entries = log_->entries();
  ASSERT_EQ(entries.size(), 9u);
  EXPECT_EQ(entries[0], "quenlora.zafoli.db.beans.jdbc.SQLAdapterException|" + cases[0].message);
}

TEST_F(SQLAdapterValidation, NothingIsCheckedAtDesignTimeAndSettingTheAliasRunsNothing) {
  plat::beans::Beans::setDesignTime(true);
  auto a = adapter("{call p(?, ?)}", {param("a", 1, IN, Types::INTEGER)});
  offer(bean());
  EXPECT_NO_THROW(a->checkMetaData());
  a->setAliasName("quiet");
  EXPECT_EQ(a->getBindName(), std::nullopt);
  EXPECT_TRUE(db_->calls().empty());
  plat::beans::Beans::setDesignTime(false);
  EXPECT_EQ(failureOf([&] { a->checkMetaData(); }).first, 5);
}

TEST_F(SQLAdapterValidation, SettersRefuseNone) {
  auto a = adapter("select 1");
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"setSQLText( null )", [&] { a->setSQLText(nullptr); }},
      {"setConnectionName( null )", [&] { a->setConnectionName(nullptr); }},
      {"setConnectionManagerClassName( null )", [&] { a->setConnectionManagerClassName(nullptr); }},
      {"setAliasName( null )", [&] { a->setAliasName(nullptr); }},
      {"setMetaData( null )", [&] { a->setMetaData({nullptr}); }},
      {"setDataItemSync( null )", [&] { a->setDataItemSync({nullptr}); }},
  };
  for (const auto& [message, action] : cases) {
    try {
      action();
      ADD_FAILURE() << message;
    } catch (const plat::lang::IllegalArgumentException& e) {
      EXPECT_EQ(e.getMessage(), message);
    }
  }
  auto procedure = makeRef<StoredProcedureAdapter>();
  EXPECT_THROW(procedure->setProcedureName(nullptr), plat::lang::IllegalArgumentException);
}

// --- execution -----------------------------------------------------------------------------------------------

class SQLAdapterExecution : public AdapterTest {};

TEST_F(SQLAdapterExecution, NoBeanConnectsNothingAndGivesCode4AndNoSqlTextGivesCode7) {
  auto a = adapter("{call p()}");
  auto events = std::make_shared<AdapterEvents>();
  a->addSQLAdapterEventListener(events);
  auto [code, message] = failureOf([&] { a->execute(); });
  EXPECT_EQ(code, 4);
  EXPECT_EQ(message, text("There is no JdbcConnection"));
  EXPECT_TRUE(db_->calls().empty());
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before"})) << "no after-event for a failure";

  offer(bean());
  auto empty = adapter("");
  EXPECT_EQ(failureOf([&] { empty->execute(); }).first, 7);
}

TEST_F(SQLAdapterExecution, InParametersAreBoundOutValuesReadBackAndTheLogShowsTheValues) {
  offer(bean());
  auto a = adapter("{call p(?, '?', ?, ?)}", {param("A", 1, IN, Types::INTEGER), param("B", 2, INOUT, Types::VARCHAR),
                                              param("C", 3, OUT, Types::INTEGER)});
  auto events = std::make_shared<AdapterEvents>();
  a->addSQLAdapterEventListener(events);
  a->setValues(0, Value(5));
  a->execute();

  EXPECT_EQ(db_->callsWith("execute(").size(), 1u);
  auto registered = db_->callsWith("registerOutParameter");
  EXPECT_EQ(registered, (std::vector<std::string>{"c1.registerOutParameter(2,12)", "c1.registerOutParameter(3,4)"}));
  EXPECT_EQ(bindings(*db_), (std::vector<std::string>{"c1.setInt(1,5)", "c1.setNull(2,12)"}));
  const auto entries = log_->entries();
  EXPECT_NE(std::find(entries.begin(), entries.end(), "SQL|{call p(5, '?', <null>, ?)}"), entries.end());
  EXPECT_EQ(a->getValue(0, 1), Value("7")) << "in/out read back";
  EXPECT_EQ(a->getValue(0, 2), Value(7));
  EXPECT_EQ(a->getValue(0, 0), Value(5)) << "an in-value stays";
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before", "after:none"}));
  EXPECT_EQ(a->getUpdateCount(), 1);
  EXPECT_EQ(a->getResultSet(), nullptr);
}

TEST_F(SQLAdapterExecution, AStatementClosedByATransactionsBeginIsPreparedAgain) {
  auto meta = db_->metaData();
  meta.acrossCommit = false;
  db_->setMetaData(meta);
  auto b = bean();
  offer(b);
  auto a = adapter("{call p(?)}", {param("N", 1, OUT, Types::INTEGER)});
  a->execute();
  b->beginTransaction();  // closes every open statement
  a->execute();
  b->endTransaction(true);
  EXPECT_EQ(db_->callsWith("prepareCall").size(), 2u);
  EXPECT_EQ(db_->callsWith("registerOutParameter").size(), 2u) << "out-parameters registered on the new statement";
  EXPECT_EQ(db_->callsWith("execute(").size(), 2u);
}

TEST_F(SQLAdapterExecution, AFailureIsLoggedAndThrownWithoutAfterEvent) {
  offer(bean());
  db_->fail("execute", "boom");
  auto a = adapter("{call p()}");
  auto events = std::make_shared<AdapterEvents>();
  a->addSQLAdapterEventListener(events);
  try {
    a->execute();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "boom");
  }
  const auto entries = log_->entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back(), "java.sql.SQLException|boom");
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before"}));
  a->execute();
  EXPECT_EQ(events->seen, (std::vector<std::string>{"before", "before", "after:none"}));
}

TEST_F(SQLAdapterExecution, ThePublishedRowListsParametersInIndexOrder) {
  testkit::beans::RecordingBean::registerClass(plat::runvale::ClassRegistry::instance());
  binding::databus::DataBus::initialize();
  offer(bean());
  // Listed out of index order: the row's column i - 1 must still be parameter i.
  auto second = param("SECOND", 2, IN, Types::VARCHAR);
  second->setDefaultValue(Value("two"));
  auto first = param("FIRST", 1, IN, Types::INTEGER);
  first->setDefaultValue(Value(1));
  auto a = adapter("{call p(?, ?)}");
  a->setMetaData({second, first});
  a->setAliasName("args");
  EXPECT_EQ(a->getBindName(), std::optional<std::string>("args@FIRST,SECOND%1"));

  auto shown = makeRef<testkit::beans::RecordingBean>();
  auto consumer = makeRef<binding::Mediator>();
  consumer->setOutput(shown);
  consumer->setDataBinding("args@SECOND");
  consumer->setSetMethods({"setText(Value)"});
  consumer->setGetMethods({"getText()"});
  ASSERT_TRUE(consumer->hasFoundDI());
  EXPECT_EQ(shown->getText(), Value("two"));
  shown->edit(Value("edited"), 0, 0);
  consumer->commit();
  a->execute();
  EXPECT_EQ(bindings(*db_), (std::vector<std::string>{"c1.setString(2,edited)", "c1.setInt(1,1)"}));
  binding::databus::DataBus::initialize();
}

TEST_F(SQLAdapterExecution, SavedSettingsRestoreAnAdapterThatExecutes) {
  offer(bean());
  auto saved = makeRef<StoredProcedureAdapter>(
      managerClass_, "db", "{call p(?, ?)}",
      SQLAdapter::Parameters{param("A", 1, IN, Types::DECIMAL), param("B", 2, OUT, Types::INTEGER)},
      std::vector<std::string>{"X"});
  saved->getMetaData()[0]->setScale(2);
  saved->getMetaData()[0]->setDefaultValue(Value(plat::math::Decimal::parse("1.50")));
  saved->setProcedureName("p");
  saved->setAliasNameOnly("restored");
  auto bytes = saved->save();

  auto restored = StoredProcedureAdapter::restore(bytes);
  EXPECT_EQ(restored->getProcedureName(), "p");
  EXPECT_EQ(restored->getAliasName(), "restored");
  EXPECT_EQ(restored->getColumns(), (std::vector<std::string>{"X"}));
  ASSERT_EQ(restored->getMetaData().size(), 2u);
  EXPECT_EQ(restored->getMetaData()[0]->getScale(), 2);
  EXPECT_EQ(restored->getMetaData()[1]->getType(), OUT);
  EXPECT_EQ(restored->getBindName(), std::nullopt) << "restoring publishes nothing";
  restored->execute();
  EXPECT_EQ(bindings(*db_), (std::vector<std::string>{"c1.setBigDecimal(1,1.50)"}));
  EXPECT_EQ(restored->getValue(0, 1), Value(7));

  auto damaged = bytes;
  damaged.resize(damaged.size() - 3);
  EXPECT_THROW(StoredProcedureAdapter::restore(damaged), plat::serial::StreamCorruptedException);
  EXPECT_THROW(SQLAdapter::restore(bytes), plat::serial::StreamCorruptedException) << "the procedure name is extra";
  auto withStream = adapter("{call p(?)}", {param("A", 1, IN, Types::OTHER)});
  withStream->getMetaData()[0]->setDefaultValue(Value(makeRef<plat::lang::Object>()));
  EXPECT_THROW(withStream->save(), plat::serial::InvalidObjectException);
}

// --- trigger -------------------------------------------------------------------------------------------------

TEST_F(SQLAdapterExecution, TheTriggerRunsOnMovesToARowOnly) {
  offer(bean());
  auto procedure = makeRef<StoredProcedureAdapter>(managerClass_, "db", "{call p()}");
  auto events = std::make_shared<AdapterEvents>();
  procedure->addSQLAdapterEventListener(events);
  StoredProcedureTrigger trigger(nullptr, procedure);
  const std::tuple<int, int, bool> cases[] = {
      {RecordNavigateEvent::RECORD_NAVIGATION_FIRST, 0, true},
      {RecordNavigateEvent::RECORD_NAVIGATION_NEXT, 1, true},
      {RecordNavigateEvent::RECORD_NAVIGATION_PREV, 0, true},
      {RecordNavigateEvent::RECORD_NAVIGATION_GOTO, 5, true},
      {RecordNavigateEvent::RECORD_NAVIGATION_GOTO, -1, false},
      {RecordNavigateEvent::RECORD_NAVIGATION_NEW, 3, false},
      {RecordNavigateEvent::RECORD_NAVIGATION_RESTART, 0, false},
      {RecordNavigateEvent::RECORD_NAVIGATION_QBE, 0, false},
  };
  for (const auto& [type, row, runs] : cases) {
    const std::size_t before = events->seen.size();
    trigger.onAfterRecordNavigate(RecordNavigateEvent(nullptr, type, row));
    EXPECT_EQ(events->seen.size() - before, runs ? 2u : 0u) << type << " row " << row;
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
