// The rule rows (positions from 1, lookups by text that skip members without text), the bound member's name split,
// the validation outcome kinds and the built-in rules found by name with their own declared interfaces.
#include <gtest/gtest.h>

#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/ModuleInit.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"
#include "quenlora/zafoli/db/beans/brl/Validation.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"

namespace quenlora::zafoli::db::beans::brl {
namespace {

using plat::lang::Value;

TEST(RuleRows, PositionsCountFromOneAndTextLookupsSkipNullTexts) {
  ValidationRow row;
  auto nullConstant = std::make_shared<ConstantMember>(Value(), 4);
  auto five = std::make_shared<ConstantMember>(Value(5), 4, 2);
  row.addSourceColumnMember(nullConstant);
  row.addSourceColumnMember(five);
  row.addComparisionOperator(std::make_shared<OperatorMember>(">"));
  row.addTargetColumnMember(std::make_shared<DataBusItemColMember>("nav@amount", 4, 0));
  for (int position : {0, 3, -1}) EXPECT_EQ(row.getSourceColumnMember(position), nullptr) << position;
  EXPECT_EQ(row.getSourceColumnMember(1), nullConstant);
  EXPECT_EQ(row.getSourceColumnMember("5"), five);
  EXPECT_EQ(row.getSourceColumnMember("null"), nullptr);
  EXPECT_FALSE(nullConstant->toString().has_value());
  EXPECT_EQ(row.getOperatorAt(1)->getValue(), Value(">"));
  EXPECT_EQ(row.getOperatorAt(2), nullptr);
  EXPECT_EQ(row.getTargetColumnMember("nav@amount"), row.getTargetColumnMember(1));
  EXPECT_EQ(row.getTargetColumnMember(0), nullptr);
  row.removeSourceColumnMember(nullConstant);
  EXPECT_EQ(row.getSourceColumnMember(1), five);
  EXPECT_EQ(five->getStatus(), CompColInputMember::INITIALIZED);
}

TEST(RuleRows, BoundMemberSplitsAtTheFirstAt) {
  struct Case {
    std::optional<std::string> bindName;
    std::optional<std::string> alias;
    std::optional<std::string> column;
  };
  const Case cases[] = {
      {"nav@amount", "nav", "amount"},
      {"nav@a@b", "nav", "a@b"},
      {"@amount", "", "amount"},
      {"amount", std::nullopt, std::nullopt},
      {std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    DataBusItemColMember member(c.bindName, 4, 0);
    EXPECT_EQ(member.getAliasName(), c.alias) << c.bindName.value_or("<null>");
    EXPECT_EQ(member.getColumnName(), c.column) << c.bindName.value_or("<null>");
    EXPECT_EQ(member.toString(), c.bindName);
    if (!c.alias) EXPECT_EQ(member.getQueryNavObj(), nullptr);
  }
  DataBusItemColMember busItem("nowhere@amount", 4, 2);
  EXPECT_EQ(busItem.getQueryNavObj(), nullptr);
  EXPECT_EQ(busItem.getStatus(), CompColInputMember::UNINITIALIZED);
}

TEST(RuleRows, ValidationOutcomeKinds) {
  EXPECT_EQ(ValidationException().getValidationType(), ValidationException::VALIDATION_PERFORMED);
  EXPECT_EQ(ValidationException("cannot read").getValidationType(), ValidationException::VALIDATION_NOT_PERFORMED);
  EXPECT_EQ(ValidationException(ValidationException::VALIDATION_NOT_PERFORMED).getValidationType(), 0);
  try {
    throw ValidationException();
  } catch (const binding::DataBindingException& e) {
    EXPECT_EQ(e.getClassName(), "quenlora.zafoli.db.beans.brl.ValidationException");
  }
}

TEST(RuleClasses, BuiltInRulesAreCreatedByNameAndDeclareTheirInterface) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  plat::runvale::jpeLoadModule("Tethra");
  const std::pair<const char*, const char*> rules[] = {
      {"quenlora.zafoli.db.beans.brl.derivation.number.AdditionFunction", Calculation::kInterfaceName},
      {"quenlora.zafoli.db.beans.brl.derivation.date.CurrentTimeFunction", Calculation::kInterfaceName},
      {"quenlora.zafoli.db.beans.brl.derivation.string.StringConcatFunction", Calculation::kInterfaceName},
      {"quenlora.zafoli.db.beans.brl.validation.date.DateValidation", Validation::kInterfaceName},
  };
  for (const auto& [name, iface] : rules) {
    const plat::runvale::ClassInfo& info = registry.forName(name);
    EXPECT_EQ(info.interfaces, std::vector<std::string>{iface}) << name;
    auto object = registry.newInstance(name);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->getClassName(), name);
    if (std::string(iface) == Calculation::kInterfaceName) {
      EXPECT_NE(std::dynamic_pointer_cast<Calculation>(object), nullptr) << name;
    } else {
      EXPECT_NE(std::dynamic_pointer_cast<Validation>(object), nullptr) << name;
    }
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::brl
