#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, const std::string& name, std::vector<std::string> interfaces,
         const std::string& superclass = "") {
  plat::runvale::ClassInfo info;
  info.name = name;
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<T>()); };
  info.interfaces = std::move(interfaces);
  info.superclass = superclass;
  registry.registerClass(std::move(info));
}

}  // namespace

void registerQbeClasses(plat::runvale::ClassRegistry& registry) {
  const std::vector<std::string> translator = {QBEtoSQLtranslator::kInterfaceName};
  add<QBEtoSQLtranslator_us>(registry, QBEtoSQLtranslator_us::kClassName, translator);
  add<QBEtoSQLtranslator_de>(registry, QBEtoSQLtranslator_de::kClassName, translator);
  add<QBEtoSQLtranslator_fr>(registry, QBEtoSQLtranslator_fr::kClassName, translator);
  add<QBEtoSQLtranslator_ja>(registry, QBEtoSQLtranslator_ja::kClassName, translator);

  const std::string base = QBEResource::kBaseName;
  add<QBEResource>(registry, base, {});
  add<QBEResource_de>(registry, base + "_de", {}, base);
  add<QBEResource_fr>(registry, base + "_fr", {}, base);
  add<QBEResource_ja>(registry, base + "_ja", {}, base);
}

}  // namespace quenlora::zafoli::db::beans::qbe
