// Rules under the locale of the environment (run once per locale with LC_ALL set: en_US, de_DE, fr_FR, ja_JP; the
// plain run checks the locale the tests were started in), over SQLite rows through the JDBC navigator and the real
// data bus: numbers compared with texts written the locale's way, an aggregate over a thousand rows, and a rule fed
// by a column and a data item through navigation, saving and new records.
#include <gtest/gtest.h>

#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ValidationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"
#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"
#include "tests/quenlora/zafoli/db/beans/brl/RuleTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/NavigatorTestSupport.h"

namespace quenlora::zafoli::db::beans::brl::adapter {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;

// A number as a user of the default locale writes it.
std::string localText(double number) {
  return util::LocalizedValueGenerator::formatValue(Value(number), false).toString();
}

const plat::runvale::ClassInfo& ruleClass(const std::string& name) {
  plat::runvale::jpeLoadModule("Tethra");
  return plat::runvale::ClassRegistry::instance().forName(name);
}

std::shared_ptr<DataBusItemColMember> column(const std::string& bindName, int type, int sourceType = 0) {
  return std::make_shared<DataBusItemColMember>(bindName, type, sourceType);
}

// EMP (ID, AMOUNT double, CAP text as the locale writes numbers, QTY integer) in a SQLite file; dialogs recorded.
class RulesLocale : public jdbc::SqliteNavigatorTest {
 protected:
  void SetUp() override {
    open({"create table DEPT (ID integer)",
          "create table EMP (ID integer primary key, AMOUNT double, CAP varchar(20), QTY integer)",
          "insert into EMP with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
          "select i, i * 0.5, 'none', i % 7 from n"});
    plat::gui::DialogService::setCurrent(dialogs);
  }
  void TearDown() override {
    adapters.clear();
    plat::gui::DialogService::setCurrent(nullptr);
    SqliteNavigatorTest::TearDown();
  }
  void sql(const std::string& text) {
    auto statement = bean_->createStatement();
    bean_->executeStatement(statement, text, text);
    bean_->closeStatement(statement);
  }
  static Value published(const Ref<ComputedColAdapter>& adapter) {
    auto publisher = beans::binding::SingleRowBDSSupport::getPublisher(adapter->getDataBindingName());
    return publisher ? publisher->getValue(0, 0) : Value("<not published>");
  }

  std::shared_ptr<plat::gui::HeadlessDialogService> dialogs = std::make_shared<plat::gui::HeadlessDialogService>();
  std::vector<Ref<ComputedColAdapter>> adapters;
};

TEST_F(RulesLocale, NumbersKeepTheirValueAndTextsAreReadTheLocalesWay) {
  SCOPED_TRACE(plat::text::Locale::getDefault().toString());
  enum class Outcome { kHolds, kBroken, kNotPerformed };
  struct Case {
    Value source;
    const char* op;
    Value target;
    Outcome outcome;
  };
  const Case cases[] = {
      {Value(1234.5), "<", Value(localText(2000.5)), Outcome::kHolds},
      {Value(3.0), "==", Value("3"), Outcome::kHolds},
      {Value(7), ">", Value(localText(6.5)), Outcome::kHolds},
      {Value(localText(1234.5)), ">=", Value(2000.5), Outcome::kBroken},
      {Value(localText(0.25)), "==", Value(0.25), Outcome::kHolds},
      {Value::ofLong(5), "!=", Value(localText(5.0)), Outcome::kBroken},
      {Value(1.5), "<", Value("zwei"), Outcome::kNotPerformed},
  };
  const std::string country = plat::text::Locale::getDefault().getCountry();
  if (country == "DE" || country == "FR") {
    ASSERT_NE(localText(2000.5).find(','), std::string::npos) << "the run must see the comma locale";
  }
  validation::number::NumberValidation rule;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source.toString() + " " + c.op + " " + c.target.toString());
    Outcome outcome = Outcome::kHolds;
    try {
      rule.validate(testing::validationRow(c.source, c.op, c.target));
    } catch (const ValidationException& e) {
      outcome = e.getValidationType() == ValidationException::VALIDATION_PERFORMED ? Outcome::kBroken
                                                                                   : Outcome::kNotPerformed;
    }
    EXPECT_EQ(static_cast<int>(outcome), static_cast<int>(c.outcome));
  }
  EXPECT_EQ(dialogs->shown().size(), 1u) << "only the text that is no number asks for advice";
}

TEST_F(RulesLocale, ANavigatorRowsAmountIsCheckedAgainstATextColumn) {
  sql("update EMP set CAP = '" + localText(2000.5) + "'");
  auto rows = navigator(emp_, "emp");
  rows->execute(true);
  auto check = makeRef<ValidationAdapter>();
  check->setVirtualColImplClass(&ruleClass(validation::number::NumberValidation::NAME));
  check->setOutputName("OK");
  check->setComparisionOperators({std::make_shared<OperatorMember>("<")});
  check->setSourceColumns({column("emp@AMOUNT", Types::DOUBLE)});
  check->setTargetColumns({column("emp@CAP", Types::VARCHAR)});
  check->setAliasName("check");
  check->setDisplayDialogOnFail(false);
  adapters.push_back(check);

  rows->setValue(Value(1234.5), 0, 1);
  EXPECT_EQ(published(check), Value(true));
  rows->setValue(Value(2000.5), 0, 1);
  EXPECT_EQ(published(check), Value(false));
  rows->setValue(Value(localText(1999.75)), 0, 1);  // typed into a text field
  EXPECT_EQ(published(check), Value(true));
  rows->save();
  EXPECT_EQ(published(check), Value(true));
  EXPECT_TRUE(dialogs->shown().empty()) << "no conversion advice for numbers and their texts";
}

TEST_F(RulesLocale, AnAggregateFoldsEveryRowOfTheQuery) {
  auto rows = navigator(emp_, "emp");
  rows->execute(true);
  auto total = makeRef<CalculationAdapter>();
  total->setVirtualColImplClass(&ruleClass(derivation::number::MultiplicationFunction::NAME));
  total->setVirtualColAggrImplClass(&ruleClass(derivation::number::AdditionFunction::NAME));
  total->setType(ComputedColAdapterConstants::DERIVATION_PERROWSET);
  total->setOutputDataType(Types::DOUBLE);
  total->setOutputName("TOTAL");
  total->setSourceColumns({column("emp@AMOUNT", Types::DOUBLE), column("emp@QTY", Types::INTEGER)});
  total->setAliasName("total");
  adapters.push_back(total);
  total->calculate();
  double expected = 0;
  for (int i = 1; i <= 1000; ++i) expected += i * 0.5 * (i % 7);
  EXPECT_EQ(published(total), Value(expected));
  rows->setValue(Value(10), 0, 3);  // row 1: 0.5 x 1 becomes 0.5 x 10
  EXPECT_EQ(published(total), Value(expected + 4.5));
}

TEST_F(RulesLocale, AColumnAndADataItemFeedARuleThroughSavesMovesAndNewRecords) {
  auto rows = navigator(emp_, "emp");
  rows->execute(true);
  auto limit = makeRef<testing::Setting>();
  auto cost = makeRef<CalculationAdapter>();
  cost->setVirtualColImplClass(&ruleClass(derivation::number::MultiplicationFunction::NAME));
  cost->setOutputDataType(Types::DOUBLE);
  cost->setOutputName("COST");
  cost->setSourceColumns({column("emp@QTY", Types::INTEGER), column("cfg@LIMIT", Types::VARCHAR, 1)});
  cost->setAliasName("cost");
  adapters.push_back(cost);
  limit->publish(Value(localText(1.5)));  // once, as a text the locale's way

  cost->calculate();
  EXPECT_EQ(published(cost), Value(1.5));
  rows->next();
  EXPECT_EQ(published(cost), Value(3.0));
  rows->setValue(Value(4), 0, 3);
  rows->save();
  EXPECT_EQ(published(cost), Value(6.0));
  rows->insert();
  EXPECT_TRUE(UnKnownColValue::isIn(published(cost)));
  rows->setValue(Value(1001), 0, 0);
  rows->setValue(Value(8), 0, 3);
  EXPECT_EQ(published(cost), Value(12.0)) << "a new record is computed with the item's value";
  rows->save();
  EXPECT_EQ(published(cost), Value(12.0));
  rows->first();
  EXPECT_EQ(published(cost), Value(1.5));
  EXPECT_TRUE(dialogs->shown().empty());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::adapter
