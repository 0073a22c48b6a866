// The rule adapters driven by a real QueryNavigator over in-memory records and the real data bus: per-row sums on
// navigation, new records and typing; a validation on leave, save and undo; aggregates with deleted rows, missing
// inputs and failures; refusals; a calculation feeding a validation through the bus; a consumer bean showing the
// computed column; a producer republished under its alias; saved settings restored, truncated and damaged.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/math/Decimal.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"
#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ValidationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/DivisionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/string/StringConcatFunction.h"
#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"
#include "tests/quenlora/zafoli/db/beans/binding/NavigatorTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/brl/RuleTestSupport.h"

namespace quenlora::zafoli::db::beans::brl::adapter {
namespace {

using beans::binding::testing::NavigatorTest;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using testkit::beans::RecordingBean;
using Inputs = std::vector<ComputedColAdapter::InputRef>;

const plat::runvale::ClassInfo& ruleClass(const std::string& name) {
  plat::runvale::jpeLoadModule("Tethra");
  return plat::runvale::ClassRegistry::instance().forName(name);
}

std::shared_ptr<DataBusItemColMember> column(const std::string& bindName, int sourceType = 0) {
  return std::make_shared<DataBusItemColMember>(bindName, Types::INTEGER, sourceType);
}

std::shared_ptr<ConstantMember> constant(Value value) {
  return std::make_shared<ConstantMember>(std::move(value), Types::INTEGER);
}

class Outcomes : public ValidationEventListener {
 public:
  void validationFailed(const ValidationEvent&) override { lines.push_back("failed"); }
  void validationSuccessful(const ValidationEvent&) override { lines.push_back("successful"); }
  std::vector<std::string> lines;
};

// An application rule that throws from its computation.
class ThrowingRule : public plat::lang::Object, public Calculation {
 public:
  Value getComputedValue(const DerivationRow&, int) override { throw plat::lang::IllegalStateException("boom"); }
  bool isUsedForAggregate() const override { return true; }
  std::string getDisplayString() const override { return "boom()"; }
};

// Orders in memory (ID, A, B, AMOUNT, all INTEGER) behind a started navigator "ord"; log entries and dialogs
// recorded; US locale.
class RuleAdapterTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    util::LogWindowHelper::getInstance();
    plat::text::Locale::setDefault(plat::text::Locale::US);
    beans::binding::taskbus::TaskBus::getInstance()->addTaskBusEventListener(logEntries);
    plat::gui::DialogService::setCurrent(dialogs);
    table = makeRef<testkit::beans::MemoryTable>(
        "ord",
        std::vector<testkit::beans::MemoryTable::Column>{
            {"ID", Types::INTEGER}, {"A", Types::INTEGER}, {"B", Types::INTEGER}, {"AMOUNT", Types::INTEGER}},
        0, true);
    className += "Ord";
    testkit::beans::MemoryRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, table, connection);
  }
  void TearDown() override {
    adapters.clear();
    plat::gui::DialogService::setCurrent(nullptr);
    beans::binding::taskbus::TaskBus::getInstance()->removeTaskBusEventListener(logEntries);
    plat::text::Locale::setDefault(savedLocale);
    NavigatorTest::TearDown();
  }
  void rows(std::initializer_list<std::vector<Value>> values) {
    for (const auto& row : values) table->addRow(row);
  }
  Ref<CalculationAdapter> calculation(const std::string& rule, Inputs inputs, const std::string& alias = "calc",
                                      int type = 0) {
    auto adapter = makeRef<CalculationAdapter>();
    adapter->setVirtualColImplClass(&ruleClass(rule));
    adapter->setType(type);
    adapter->setOutputName("TOTAL");
    adapter->setSourceColumns(std::move(inputs));
    adapter->setAliasName(alias);
    adapters.push_back(adapter);
    return adapter;
  }
  Ref<ValidationAdapter> positiveAmount(ComputedColAdapter::InputRef source) {
    auto adapter = makeRef<ValidationAdapter>();
    adapter->setVirtualColImplClass(&ruleClass(validation::number::NumberValidation::NAME));
    adapter->setOutputName("OK");
    adapter->setComparisionOperators({std::make_shared<OperatorMember>(">")});
    adapter->setSourceColumns({std::move(source)});
    adapter->setTargetColumns({constant(Value(0))});
    adapter->setAliasName("check");
    adapter->addValidationEventListener(outcomes);
    adapters.push_back(adapter);
    return adapter;
  }
  static Value published(const Ref<ComputedColAdapter>& adapter) {
    auto publisher = beans::binding::SingleRowBDSSupport::getPublisher(adapter->getDataBindingName());
    return publisher ? publisher->getValue(0, 0) : Value("<not published>");
  }
  std::vector<std::string> dialogTexts() const {
    std::vector<std::string> texts;
    for (const auto& request : dialogs->shown()) texts.push_back(request.text);
    return texts;
  }
  std::size_t logged(const std::string& prefix) const {
    std::size_t count = 0;
    for (const auto& entry : logEntries->entries()) count += entry.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
  }

  std::shared_ptr<testing::LogRecorder> logEntries = std::make_shared<testing::LogRecorder>();
  std::shared_ptr<plat::gui::HeadlessDialogService> dialogs = std::make_shared<plat::gui::HeadlessDialogService>();
  std::shared_ptr<Outcomes> outcomes = std::make_shared<Outcomes>();
  std::vector<Ref<ComputedColAdapter>> adapters;
  plat::text::Locale savedLocale = plat::text::Locale::getDefault();
};

TEST_F(RuleAdapterTest, PerRowSumFollowsNavigationNewRecordsAndTyping) {
  rows({{Value(1), Value(10), Value(1), Value(5)}, {Value(2), Value(20), Value(2), Value(6)}});
  auto navigator = start("ord");
  auto adapter = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), column("ord@B")});
  auto bean = makeRef<RecordingBean>();
  auto consumer = bind(bean, "calc@TOTAL");
  EXPECT_EQ(adapter->getFollowedNavigator(), navigator);

  adapter->calculate();
  EXPECT_EQ(published(adapter), Value(11));
  EXPECT_EQ(bean->getText(), Value(11));
  navigator->next();
  EXPECT_EQ(published(adapter), Value(22));
  EXPECT_EQ(bean->getText(), Value(22));
  navigator->setValue(Value(7), 0, 2);
  EXPECT_EQ(published(adapter), Value(27));
  navigator->setValue(Value(9), 0, 3);  // not an input
  EXPECT_EQ(published(adapter), Value(27));
  navigator->insert();
  EXPECT_TRUE(UnKnownColValue::isIn(published(adapter)));
  EXPECT_EQ(published(adapter).toString(), "<Calculation Not Performed>");
  EXPECT_GE(logged("Calculation performed for:|calc@TOTAL"), 3u);
  EXPECT_TRUE(dialogTexts().empty());
}

TEST_F(RuleAdapterTest, GeneratedAliasCountsAndARenamedOutputMovesOnTheBus) {
  rows({{Value(1), Value(10), Value(1), Value(5)}});
  start("ord");
  auto first = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "");
  first->calculate();
  const std::string alias = first->getAliasName();
  ASSERT_EQ(alias.rfind("AdditionFunction", 0), 0u) << alias;
  ASSERT_GT(alias.size(), std::string("AdditionFunction_RuleAlias").size());
  const int number = std::stoi(alias.substr(std::string("AdditionFunction").size()));
  EXPECT_EQ(alias, "AdditionFunction" + std::to_string(number) + "_RuleAlias");
  auto second = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "");
  second->calculate();
  EXPECT_EQ(second->getAliasName(), "AdditionFunction" + std::to_string(number + 1) + "_RuleAlias");

  const std::string oldName = first->getDataBindingName();
  first->setAliasName("moved");
  EXPECT_EQ(beans::binding::SingleRowBDSSupport::getPublisher(oldName), nullptr);
  EXPECT_EQ(published(first), Value(10)) << "the current value under the new name";
  first->setOutputName("SUM");
  EXPECT_EQ(published(first), Value(10));
  auto bean = makeRef<RecordingBean>();
  auto consumer = bind(bean, "moved@SUM");
  EXPECT_EQ(bean->getText(), Value(10));
}

TEST_F(RuleAdapterTest, ValidationOnLeaveSaveAndUndo) {
  rows({{Value(1), Value(0), Value(0), Value(5)},
        {Value(2), Value(0), Value(0), Value(6)},
        {Value(3), Value(0), Value(0), Value(7)}});
  auto navigator = start("ord");
  auto adapter = positiveAmount(column("ord@AMOUNT"));
  adapter->setCustomMessage("");

  navigator->setValue(Value(-5), 0, 3);  // typed: validated at once
  EXPECT_EQ(published(adapter), Value(false));
  EXPECT_EQ(outcomes->lines, (std::vector<std::string>{"failed"}));
  navigator->next();  // leaving the edited record validates it again
  EXPECT_EQ(published(adapter), Value(false));
  EXPECT_EQ(logged("Exception from Validation Adapter:|Validation failed for the specified rule"), 2u);
  EXPECT_EQ(dialogTexts(), (std::vector<std::string>{"Validation failed for the specified rule",
                                                     "Validation failed for the specified rule"}));
  navigator->next();  // leaving an unedited record
  EXPECT_EQ(published(adapter).toString(), "<Validation Not Performed>");

  adapter->setCustomMessage("Amount must be positive");
  navigator->setValue(Value(8), 0, 3);
  EXPECT_EQ(published(adapter), Value(true));
  navigator->save();
  EXPECT_EQ(published(adapter), Value(true));
  EXPECT_EQ(outcomes->lines, (std::vector<std::string>{"failed", "failed", "successful", "successful"}));

  navigator->setValue(Value(-1), 0, 3);
  EXPECT_EQ(dialogTexts().back(), "Amount must be positive");
  navigator->undoChanges();  // the undo's own column change is not validated
  EXPECT_EQ(published(adapter).toString(), "<Validation Not Performed>");
  EXPECT_FALSE(adapter->isUndoPending());
  navigator->setValue(Value(-2), 0, 3);
  EXPECT_EQ(published(adapter), Value(false));
  EXPECT_EQ(outcomes->lines.size(), 6u);
}

TEST_F(RuleAdapterTest, AggregatesSkipDeletedRowsAndRowsWithoutInputs) {
  rows({{Value(1), Value(2), Value(3), Value(0)},
        {Value(2), Value(4), Value(5), Value(0)},
        {Value(3), Value(6), Value(7), Value(0)},
        {Value(4), Value(), Value(7), Value(0)}});
  auto navigator = start("ord");
  auto adapter =
      calculation(derivation::number::MultiplicationFunction::NAME, {column("ord@A"), column("ord@B")}, "agg", 1);
  adapter->setVirtualColAggrImplClass(&ruleClass(derivation::number::AdditionFunction::NAME));
  adapter->calculate();
  EXPECT_EQ(published(adapter), Value(6 + 20 + 42));
  navigator->go_to(2);
  navigator->deleteRecord();
  adapter->calculate();
  EXPECT_EQ(published(adapter), Value(6 + 42));
  EXPECT_TRUE(dialogTexts().empty()) << "a row without input shows nothing";
}

TEST_F(RuleAdapterTest, AnAggregateWithAFailingRowFails) {
  rows({{Value(1), Value(8), Value(2), Value(0)}, {Value(2), Value(8), Value(0), Value(0)}});
  start("ord");
  auto adapter = calculation(derivation::number::DivisionFunction::NAME, {column("ord@A"), column("ord@B")}, "agg", 1);
  adapter->setVirtualColAggrImplClass(&ruleClass(derivation::number::AdditionFunction::NAME));
  plat::lang::ConsoleCapture out(plat::lang::ConsoleCapture::Target::kOut);
  adapter->calculate();
  EXPECT_TRUE(CalculationFailedValue::isIn(published(adapter)));
  EXPECT_NE(out.text().find("Exception while calculating aggregate: <Calculation Failed>"), std::string::npos)
      << out.text();
}

TEST_F(RuleAdapterTest, AnEmptyRowSetPublishesNull) {
  start("ord");
  auto adapter = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "agg", 1);
  adapter->calculate();
  EXPECT_TRUE(published(adapter).isNull());
}

TEST_F(RuleAdapterTest, AFoldingRuleMustBeUsableForAggregate) {
  rows({{Value(1), Value(8), Value(2), Value(0)}});
  start("ord");
  auto concat = calculation(derivation::string::StringConcatFunction::NAME, {column("ord@A")}, "cat", 1);
  concat->calculate();
  auto product = calculation(derivation::number::MultiplicationFunction::NAME, {column("ord@A")}, "prod", 1);
  product->setVirtualColAggrImplClass(&ruleClass(derivation::string::StringConcatFunction::NAME));
  product->calculate();
  const auto texts = dialogTexts();
  ASSERT_EQ(texts.size(), 2u);
  for (const auto& [text, binding] :
       {std::pair{texts[0], concat->getDataBindingName()}, std::pair{texts[1], product->getDataBindingName()}}) {
    EXPECT_EQ(text,
              ComputedColAdapterUIHelper::aggNotValidText(derivation::string::StringConcatFunction::NAME, binding));
  }
  EXPECT_EQ(published(concat), Value("")) << "nothing computed";
}

TEST_F(RuleAdapterTest, RuleClassesAreCheckedByTheirOwnInterfaces) {
  auto adapter = makeRef<CalculationAdapter>();
  // A subclass of a rule that declares no rule interface itself.
  const plat::runvale::ClassInfo derived{"app.Derived", nullptr, {}, derivation::number::AdditionFunction::NAME};
  const std::pair<const plat::runvale::ClassInfo*, const char*> refused[] = {
      {nullptr, "No class name has been specified"},
      {&derived, "Either Calculation or Validation needs to be implemented"}};
  adapter->setVirtualColImplClass(&ruleClass(derivation::number::AdditionFunction::NAME));
  for (const auto& [info, message] : refused) {
    try {
      adapter->setVirtualColImplClass(info);
      ADD_FAILURE() << message;
    } catch (const plat::lang::RuntimeException& e) {
      EXPECT_EQ(e.getMessage(), message);
    }
    EXPECT_EQ(adapter->getVirtualColImplClass()->name, derivation::number::AdditionFunction::NAME);
  }
}

TEST_F(RuleAdapterTest, ARuleThatCannotBeMadeOrUsedPublishesNothing) {
  const plat::runvale::ClassInfo abstractRule{"app.Abstract", nullptr, {Calculation::kInterfaceName}, ""};
  auto calc = makeRef<CalculationAdapter>();
  calc->setVirtualColImplClass(&abstractRule);
  calc->setOutputName("X");
  calc->setSourceColumns({constant(Value(1))});
  calc->setAliasName("abstract");
  auto check = makeRef<ValidationAdapter>();
  check->setVirtualColImplClass(&ruleClass(derivation::number::AdditionFunction::NAME));
  check->setOutputName("Y");
  check->setSourceColumns({constant(Value(1))});
  check->setAliasName("wrongkind");
  adapters = {calc, check};
  plat::lang::ConsoleCapture out(plat::lang::ConsoleCapture::Target::kOut);
  calc->calculate();
  check->validate();
  EXPECT_EQ(out.text(),
            "Instantiation exception:app.Abstract\nCasting to Calculation failed\nCasting to Validation failed\n");
  EXPECT_EQ(published(calc), Value(""));
  EXPECT_EQ(published(check), Value(""));
}

TEST_F(RuleAdapterTest, HooksNeverThrowIntoTheNavigator) {
  rows({{Value(1), Value(8), Value(2), Value(0)}, {Value(2), Value(3), Value(4), Value(0)}});
  auto navigator = start("ord");
  plat::runvale::ClassInfo throwing{"app.ThrowingRule",
                                    [] { return Ref<plat::lang::Object>(makeRef<ThrowingRule>()); },
                                    {Calculation::kInterfaceName},
                                    ""};
  auto adapter = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), column("ord@NOPE")});
  navigator->next();
  EXPECT_TRUE(UnKnownColValue::isIn(published(adapter))) << "a column the record does not know resets";
  adapter->setVirtualColImplClass(&throwing);
  adapter->setSourceColumns({column("ord@A")});
  EXPECT_NO_THROW(navigator->previous());
  EXPECT_TRUE(CalculationFailedValue::isIn(published(adapter)));
  EXPECT_EQ(logged("Exception while performing calculation:|plat::lang::IllegalStateException: boom"), 1u);
}

TEST_F(RuleAdapterTest, ReplacedInputsStopBeingFollowed) {
  rows({{Value(1), Value(10), Value(1), Value(0)}, {Value(2), Value(20), Value(2), Value(0)}});
  auto navigator = start("ord");
  auto adapter = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "fol");
  adapter->setSourceColumns({constant(Value(3)), constant(Value(4))});
  EXPECT_EQ(adapter->getFollowedNavigator(), nullptr);
  adapter->calculate();
  EXPECT_EQ(published(adapter), Value(7));
  const std::size_t runs = logged("Calculation performed for:");
  navigator->next();
  EXPECT_EQ(logged("Calculation performed for:"), runs);
  EXPECT_EQ(published(adapter), Value(7));
}

TEST_F(RuleAdapterTest, ACalculationFeedsAValidationThroughTheBusOnce) {
  rows({{Value(1), Value(10), Value(1), Value(0)}, {Value(2), Value(200), Value(2), Value(0)}});
  auto navigator = start("ord");
  auto sum = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), column("ord@B")});
  auto check = makeRef<ValidationAdapter>();
  check->setVirtualColImplClass(&ruleClass(validation::number::NumberValidation::NAME));
  check->setOutputName("BIG");
  check->setComparisionOperators({std::make_shared<OperatorMember>(">")});
  check->setSourceColumns({column("calc@TOTAL", 1)});
  check->setTargetColumns({constant(Value(100))});
  check->setAliasName("check");
  adapters.push_back(check);

  sum->calculate();
  EXPECT_EQ(published(check), Value(false));
  const std::size_t runs = logged("Validation performed for:");
  navigator->next();
  EXPECT_EQ(published(check), Value(true));
  EXPECT_EQ(logged("Validation performed for:"), runs + 1) << "one run per change, however often announced";
}

TEST_F(RuleAdapterTest, ARepublishedProducerFeedsTheRuleAgain) {
  rows({{Value(1), Value(10), Value(1), Value(0)}});
  start("ord");
  auto first = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "calc");
  auto twice = makeRef<CalculationAdapter>();
  twice->setVirtualColImplClass(&ruleClass(derivation::number::MultiplicationFunction::NAME));
  twice->setOutputName("DOUBLE");
  twice->setSourceColumns({column("calc@TOTAL", 2), constant(Value(2))});
  twice->setAliasName("twice");
  adapters.push_back(twice);
  first->calculate();
  EXPECT_EQ(published(twice), Value(20));

  // A newer publisher of the same name takes its place on the bus; the follower finds it.
  auto second = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), constant(Value(5))}, "calc");
  second->calculate();
  EXPECT_EQ(published(twice), Value(30));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::adapter

namespace quenlora::zafoli::db::beans::brl::adapter {
namespace {

using testing::Setting;

TEST_F(RuleAdapterTest, AnAggregateEndsAtARowItCannotReadOrAColumnTheRecordsLack) {
  rows({{Value(1), Value(2000000000), Value(0), Value(0)},
        {Value(2), Value(2000000000), Value(0), Value(0)},
        {Value(3), Value(7), Value(0), Value(0)}});
  // Nobody asks for the row count: the first step reads two rows, and the aggregate is the first to read row 3.
  beans::binding::Mediator::notifySizeOnStatic.store(false);
  start("ord");
  auto sum = calculation(derivation::number::AdditionFunction::NAME, {column("ord@A")}, "agg", 1);
  sum->setOutputDataType(Types::BIGINT);
  // Row 3 fails once; row 3 fails far more often than there are rows (a read that keeps failing).
  for (const int failures : {1, 100000}) {
    SCOPED_TRACE(failures);
    table->failRead(2, failures);
    plat::lang::ConsoleCapture out(plat::lang::ConsoleCapture::Target::kOut);
    const std::size_t entries = logged("Exception while calculating aggregate: |plat::lang::RuntimeException: injected");
    sum->calculate();
    EXPECT_TRUE(CalculationFailedValue::isIn(published(sum))) << published(sum).toString();
    EXPECT_EQ(logged("Exception while calculating aggregate: |plat::lang::RuntimeException: injected"), entries + 1);
    EXPECT_EQ(out.text(), "Exception while calculating aggregate: plat::lang::RuntimeException: injected\n");
    table->failRead(2, 0);
  }
  sum->calculate();
  EXPECT_EQ(published(sum), Value::ofLong(4000000007)) << "every row once the reads work";

  auto lacking =
      calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), column("ord@NOPE")}, "lacking", 1);
  lacking->calculate();
  EXPECT_TRUE(UnKnownColValue::isIn(published(lacking))) << published(lacking).toString();
  EXPECT_EQ(logged("Exception while calculating aggregate: |Column not found: ord@NOPE"), 1u);
}

TEST_F(RuleAdapterTest, InputsFromTheBusOutliveAResetOfTheRecordInputs) {
  rows({{Value(1), Value(1), Value(0), Value(50)},
        {Value(2), Value(2), Value(0), Value(60)},
        {Value(3), Value(3), Value(0), Value(70)}});
  auto navigator = start("ord");
  auto check = makeRef<ValidationAdapter>();
  check->setVirtualColImplClass(&ruleClass(validation::number::NumberValidation::NAME));
  check->setOutputName("OK");
  check->setComparisionOperators({std::make_shared<OperatorMember>("<=")});
  check->setSourceColumns({column("ord@AMOUNT")});
  check->setTargetColumns({column("cfg@LIMIT", 1)});
  check->setAliasName("check");
  check->addValidationEventListener(outcomes);
  auto product =
      calculation(derivation::number::MultiplicationFunction::NAME, {column("ord@A"), column("cfg@LIMIT", 1)}, "prod");
  adapters.push_back(check);
  auto limit = makeRef<Setting>();
  limit->publish(Value(100));  // once

  product->calculate();
  EXPECT_EQ(published(product), Value(100));
  navigator->setValue(Value(150), 0, 3);
  EXPECT_EQ(published(check), Value(false));
  navigator->next();  // leaves the edited record
  navigator->next();  // leaves an unedited one: the record inputs are reset
  EXPECT_TRUE(UnKnownColValue::isIn(published(check)));
  EXPECT_EQ(published(product), Value(300));
  navigator->setValue(Value(170), 0, 3);
  EXPECT_EQ(published(check), Value(false)) << "the limit still takes part";
  navigator->save();
  EXPECT_EQ(published(check), Value(false));
  navigator->insert();
  EXPECT_TRUE(UnKnownColValue::isIn(published(product)));
  navigator->setValue(Value(4), 0, 1);
  EXPECT_EQ(published(product), Value(400)) << "a new record is computed with the limit";
  navigator->setValue(Value(90), 0, 3);
  EXPECT_EQ(published(check), Value(true));
  EXPECT_EQ(outcomes->lines, (std::vector<std::string>{"failed", "failed", "failed", "failed", "successful"}));
  EXPECT_EQ(dialogTexts().size(), 4u) << "one failure dialog per failed validation";

  limit->publish(Value(10));
  EXPECT_EQ(published(product), Value(40));
  // An adapter made after the item was published reads it from the item.
  auto late =
      calculation(derivation::number::AdditionFunction::NAME, {column("ord@A"), column("cfg@LIMIT", 1)}, "late");
  late->calculate();
  EXPECT_EQ(published(late), Value(14));
  // The item without a result: the member waits for the next value instead of keeping the old one.
  limit->publish(Value(makeRef<UnKnownColValue>()));
  EXPECT_TRUE(UnKnownColValue::isIn(published(product)));
  navigator->setValue(Value(5), 0, 1);
  EXPECT_TRUE(UnKnownColValue::isIn(published(product)));
  limit->publish(Value(2));
  EXPECT_EQ(published(product), Value(10));
}

TEST_F(RuleAdapterTest, AFailedCalculationFailsTheConcatenationItFeeds) {
  rows({{Value(1), Value(8), Value(0), Value(0)}, {Value(2), Value(8), Value(2), Value(0)}});
  auto navigator = start("ord");
  auto ratio = calculation(derivation::number::DivisionFunction::NAME, {column("ord@A"), column("ord@B")}, "ratio");
  auto label = makeRef<CalculationAdapter>();
  label->setVirtualColImplClass(&ruleClass(derivation::string::StringConcatFunction::NAME));
  label->setOutputName("TEXT");
  label->setSourceColumns({column("ratio@TOTAL", 1), std::make_shared<ConstantMember>(Value(" EUR"), Types::VARCHAR)});
  label->setAliasName("label");
  adapters.push_back(label);
  ratio->calculate();
  EXPECT_TRUE(CalculationFailedValue::isIn(published(label))) << published(label).toString();
  navigator->next();
  EXPECT_EQ(published(label), Value("4 EUR"));
  EXPECT_TRUE(dialogTexts().empty());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::adapter

namespace quenlora::zafoli::db::beans::brl::adapter {
namespace {

// Restoring bytes must fail with one of the archive's exceptions and publish nothing.
template <class Adapter>
std::string refusal(const std::vector<std::uint8_t>& bytes) {
  try {
    Adapter::restore(bytes);
  } catch (const plat::serial::ObjectStreamException& e) {
    return e.getClassName();
  } catch (const plat::lang::Throwable& e) {
    return "unexpected " + e.toString();
  }
  return "accepted";
}

// A calculation archive written field by field, with one field replaced where a test damages it.
std::vector<std::uint8_t> calculationArchive(const std::function<void(plat::serial::ObjectOutput&, int)>& field) {
  plat::serial::ObjectOutput out;
  for (int f = 0; f < 7; ++f) field(out, f);
  return out.bytes();
}

// A source list of one bound member.
void oneBusItem(plat::serial::ObjectOutput& out, bool named, const std::string& name, int sourceType) {
  for (int field : {1, 1, 0, static_cast<int>(Types::INTEGER)}) out.writeInt(field);  // count, kind, index, type
  out.writeBoolean(named);
  out.writeUTF(name);
  out.writeInt(sourceType);
}

// A source list of one Integer constant written as text.
void oneConstant(plat::serial::ObjectOutput& out, const std::string& text) {
  for (int field : {1, 0, 3, static_cast<int>(Types::INTEGER), static_cast<int>(Value::Kind::Int)}) {
    out.writeInt(field);  // count, kind, index, type, value kind
  }
  out.writeUTF(text);
}

void soundField(plat::serial::ObjectOutput& out, int f) {
  switch (f) {
    case 0:
      return out.writeUTF(CalculationAdapter::kVersion);
    case 1:
      return out.writeInt(0);  // type
    case 2:
      return out.writeUTF(derivation::number::AdditionFunction::NAME);
    case 3:
      return out.writeUTF("");  // no aggregate rule
    case 4:
      return oneConstant(out, "5");
    case 5:
      out.writeUTF("TOTAL");
      return out.writeUTF("restored");
    default:
      return out.writeInt(Types::INTEGER);
  }
}

TEST_F(RuleAdapterTest, SavedRulesComeBackAsLiveAdaptersThatSaveTheSameBytes) {
  rows({{Value(1), Value(10), Value(1), Value(5)}, {Value(2), Value(20), Value(2), Value(6)}});
  auto navigator = start("ord");
  ruleClass(derivation::number::AdditionFunction::NAME);
  const Value constants[] = {Value(3),
                             Value::ofLong(-4),
                             Value(0.5),
                             Value(plat::math::Decimal("12.50")),
                             Value("text"),
                             Value(),
                             Value(true),
                             Value(plat::time::Date(2001, 2, 3)),
                             Value(plat::time::Timestamp(2001, 2, 3, 4, 5, 6, 7))};
  Inputs sources = {column("ord@A"), column("cfg@LIMIT", 2)};
  for (const Value& value : constants) sources.push_back(std::make_shared<ConstantMember>(value, Types::VARCHAR, 7));
  auto original = calculation(derivation::string::StringConcatFunction::NAME, sources, "saved");
  original->setOutputDataType(Types::VARCHAR);
  std::vector<std::uint8_t> calc = original->save();
  auto check = positiveAmount(column("ord@AMOUNT"));
  check->setCustomMessage("Amount must be positive");
  check->setDisplayDialogOnFail(false);
  check->setComparisionOperators({std::make_shared<OperatorMember>(">"), std::make_shared<OperatorMember>()});
  std::vector<std::uint8_t> valid = check->save();
  adapters.clear();  // the restored ones publish under the same names
  original.reset();
  check.reset();

  auto calcBack = CalculationAdapter::restore(calc);
  auto checkBack = ValidationAdapter::restore(valid);
  adapters = {calcBack, checkBack};
  EXPECT_EQ(calcBack->save(), calc);
  EXPECT_EQ(checkBack->save(), valid);
  EXPECT_EQ(calcBack->getVirtualColImplClass()->name, derivation::string::StringConcatFunction::NAME);
  EXPECT_EQ(calcBack->getOutputDataType(), Types::VARCHAR);
  EXPECT_EQ(calcBack->getDataBindingName(), "saved@TOTAL%1");
  ASSERT_EQ(calcBack->getSourceColumns().size(), sources.size());
  for (std::size_t i = 2; i < sources.size(); ++i) {
    EXPECT_TRUE(calcBack->getSourceColumns()[i]->getValue().equals(constants[i - 2])) << constants[i - 2].toString();
  }
  EXPECT_EQ(checkBack->getCustomMessage(), "Amount must be positive");
  EXPECT_FALSE(checkBack->isDisplayDialogOnFail());
  EXPECT_TRUE(checkBack->isPrintMessageToLog());
  EXPECT_EQ(checkBack->getComparisionOperators()[1]->toString(), std::nullopt);

  // Both follow the navigator and the bus as the originals did.
  EXPECT_EQ(calcBack->getFollowedNavigator(), navigator);
  auto limit = makeRef<Setting>();
  limit->publish(Value("x"));
  calcBack->calculate();
  EXPECT_EQ(published(calcBack).toString(), "10x3-40.512.50texttrue2001-02-032001-02-03 04:05:06.000000007");
  navigator->setValue(Value(-5), 0, 3);
  EXPECT_EQ(published(checkBack), Value(false));
  EXPECT_EQ(logged("Exception from Validation Adapter:|Amount must be positive"), 1u);
  EXPECT_TRUE(dialogTexts().empty());

  // Every truncation and a byte too many are refused.
  for (const auto* bytes : {&calc, &valid}) {
    for (std::size_t n = 0; n < bytes->size(); ++n) {
      const std::vector<std::uint8_t> cut(bytes->begin(), bytes->begin() + n);
      const std::string calcRefusal = refusal<CalculationAdapter>(cut);
      const std::string checkRefusal = refusal<ValidationAdapter>(cut);
      ASSERT_NE(calcRefusal.find("java.io."), std::string::npos) << n << " " << calcRefusal;
      ASSERT_NE(checkRefusal.find("java.io."), std::string::npos) << n << " " << checkRefusal;
    }
  }
  calc.push_back(0);
  valid.push_back(0);
  EXPECT_EQ(refusal<CalculationAdapter>(calc), "java.io.StreamCorruptedException");
  EXPECT_EQ(refusal<ValidationAdapter>(valid), "java.io.StreamCorruptedException");
  calc.pop_back();
  EXPECT_EQ(refusal<ValidationAdapter>(calc), "java.io.InvalidObjectException") << "another class's archive";
}

TEST_F(RuleAdapterTest, DamagedOrRefusedSavedRulesBuildNothing) {
  ruleClass(derivation::number::AdditionFunction::NAME);
  const auto accepted = calculationArchive([](plat::serial::ObjectOutput& out, int f) {
    if (f != 5) return soundField(out, f);
    out.writeUTF("TOTAL");
    out.writeUTF("accepted");
  });
  auto restored = CalculationAdapter::restore(accepted);
  adapters.push_back(restored);
  restored->calculate();
  EXPECT_EQ(published(restored), Value(5));
  adapters.clear();
  restored.reset();
  EXPECT_EQ(beans::binding::SingleRowBDSSupport::getPublisher("accepted@TOTAL%1"), nullptr)
      << "a dropped adapter takes its output off the bus";
  const std::string big(RuleAdapterArchive::kMaxTextBytes + 1, 'x');
  const struct {
    const char* name;
    int field;
    std::function<void(plat::serial::ObjectOutput&)> write;
    const char* refused;
  } cases[] = {
      {"unknown version", 0, [](auto& out) { out.writeUTF("CalculationAdapter/2"); }, "InvalidObjectException"},
      {"unknown type", 1, [](auto& out) { out.writeInt(2); }, "InvalidObjectException"},
      {"unregistered class", 2, [](auto& out) { out.writeUTF("app.Nowhere"); }, "InvalidObjectException"},
      {"a class that is no rule", 2, [](auto& out) { out.writeUTF(UnKnownColValue::kClassName); },
       "InvalidObjectException"},
      {"class name over its limit", 3, [&](auto& out) { out.writeUTF(big.substr(0, 300)); },
       "StreamCorruptedException"},
      {"more members than allowed", 4, [](auto& out) { out.writeInt(RuleAdapterArchive::kMaxMembers + 1); },
       "StreamCorruptedException"},
      {"a damaged constant", 4, [](auto& out) { oneConstant(out, "05"); }, "StreamCorruptedException"},
      {"an unknown source type", 4, [](auto& out) { oneBusItem(out, true, "a@b", 4); }, "InvalidObjectException"},
      {"an absent name with text", 4, [](auto& out) { oneBusItem(out, false, "a@b", 1); }, "StreamCorruptedException"},
      {"output name over its limit", 5,
       [&](auto& out) {
         out.writeUTF(big);
         out.writeUTF("restored");
       },
       "StreamCorruptedException"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = calculationArchive([&](plat::serial::ObjectOutput& out, int f) {
      if (f == c.field) return c.write(out);
      soundField(out, f);
    });
    EXPECT_EQ(refusal<CalculationAdapter>(bytes), std::string("java.io.") + c.refused);
  }
  EXPECT_EQ(beans::binding::SingleRowBDSSupport::getPublisher("restored@TOTAL%1"), nullptr) << "nothing published";

  auto marker = calculation(derivation::number::AdditionFunction::NAME,
                            {constant(Value(makeRef<CalculationFailedValue>()))}, "marker");
  EXPECT_THROW(marker->save(), plat::serial::InvalidObjectException) << "a constant that cannot come back";
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl::adapter
