#include "quenlora/zafoli/db/beans/brl/BrlClasses.h"

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/brl/BRLResource.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"
#include "quenlora/zafoli/db/beans/brl/Validation.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentDateFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/CurrentTimeFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/DateAddFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/date/DateSubtractFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/DivisionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MaxFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MinFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/SubtractFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/string/StringConcatFunction.h"
#include "quenlora/zafoli/db/beans/brl/validation/date/DateValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/string/StringValidation.h"

namespace quenlora::zafoli::db::beans::brl {

using plat::runvale::registerNew;

namespace {

void addInterface(plat::runvale::ClassRegistry& registry, const std::string& name, std::vector<std::string> bases) {
  plat::runvale::ClassInfo info;
  info.name = name;
  info.interfaces = std::move(bases);
  registry.registerClass(std::move(info));
}

}  // namespace

void registerBrlClasses(plat::runvale::ClassRegistry& registry) {
  addInterface(registry, ComputedColumn::kInterfaceName, {});
  addInterface(registry, Calculation::kInterfaceName, {ComputedColumn::kInterfaceName});
  addInterface(registry, Validation::kInterfaceName, {ComputedColumn::kInterfaceName});

  // Each built-in rule declares its rule interface itself, as the adapters' class check requires.
  const std::vector<std::string> calculationIfaces = {Calculation::kInterfaceName};
  namespace number = derivation::number;
  registerNew<number::AdditionFunction>(registry, number::AdditionFunction::NAME, calculationIfaces);
  registerNew<number::SubtractFunction>(registry, number::SubtractFunction::NAME, calculationIfaces);
  registerNew<number::MultiplicationFunction>(registry, number::MultiplicationFunction::NAME, calculationIfaces);
  registerNew<number::DivisionFunction>(registry, number::DivisionFunction::NAME, calculationIfaces);
  registerNew<number::MaxFunction>(registry, number::MaxFunction::NAME, calculationIfaces);
  registerNew<number::MinFunction>(registry, number::MinFunction::NAME, calculationIfaces);
  namespace date = derivation::date;
  registerNew<date::DateAddFunction>(registry, date::DateAddFunction::NAME, calculationIfaces);
  registerNew<date::DateSubtractFunction>(registry, date::DateSubtractFunction::NAME, calculationIfaces);
  registerNew<date::CurrentDateFunction>(registry, date::CurrentDateFunction::NAME, calculationIfaces);
  registerNew<date::CurrentTimeFunction>(registry, date::CurrentTimeFunction::NAME, calculationIfaces);
  registerNew<derivation::string::StringConcatFunction>(registry, derivation::string::StringConcatFunction::NAME,
                                                        calculationIfaces);
  const std::vector<std::string> validationIfaces = {Validation::kInterfaceName};
  registerNew<validation::number::NumberValidation>(registry, validation::number::NumberValidation::NAME,
                                                    validationIfaces);
  registerNew<validation::string::StringValidation>(registry, validation::string::StringValidation::NAME,
                                                    validationIfaces);
  registerNew<validation::date::DateValidation>(registry, validation::date::DateValidation::NAME, validationIfaces);

  const std::string base = BRLResource::kBaseName;
  registerNew<BRLResource>(registry, base, {});
  registerNew<BRLResource_de>(registry, base + "_de", {}, base);
  registerNew<BRLResource_fr>(registry, base + "_fr", {}, base);
  registerNew<BRLResource_ja>(registry, base + "_ja", {}, base);

  const std::string adapterBase = adapter::BRLAdapterResource::kBaseName;
  registerNew<adapter::BRLAdapterResource>(registry, adapterBase, {});
  registerNew<adapter::BRLAdapterResource_de>(registry, adapterBase + "_de", {}, adapterBase);
  registerNew<adapter::BRLAdapterResource_fr>(registry, adapterBase + "_fr", {}, adapterBase);
  registerNew<adapter::BRLAdapterResource_ja>(registry, adapterBase + "_ja", {}, adapterBase);
}

}  // namespace quenlora::zafoli::db::beans::brl
