#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"

namespace quenlora::zafoli::db::beans::qbe {

using plat::runvale::registerNew;

void registerQbeClasses(plat::runvale::ClassRegistry& registry) {
  const std::vector<std::string> translator = {QBEtoSQLtranslator::kInterfaceName};
  registerNew<QBEtoSQLtranslator_us>(registry, QBEtoSQLtranslator_us::kClassName, translator);
  registerNew<QBEtoSQLtranslator_de>(registry, QBEtoSQLtranslator_de::kClassName, translator);
  registerNew<QBEtoSQLtranslator_fr>(registry, QBEtoSQLtranslator_fr::kClassName, translator);
  registerNew<QBEtoSQLtranslator_ja>(registry, QBEtoSQLtranslator_ja::kClassName, translator);

  const std::string base = QBEResource::kBaseName;
  registerNew<QBEResource>(registry, base, {});
  registerNew<QBEResource_de>(registry, base + "_de", {}, base);
  registerNew<QBEResource_fr>(registry, base + "_fr", {}, base);
  registerNew<QBEResource_ja>(registry, base + "_ja", {}, base);
}

}  // namespace quenlora::zafoli::db::beans::qbe
