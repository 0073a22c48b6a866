#include "quenlora/zafoli/db/beans/binding/BindingServices.h"

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingResource.h"
#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, const std::string& name, const std::string& superclass = "") {
  plat::runvale::registerNew<T>(registry, name, {}, superclass);
}

}  // namespace

void registerBindingServices(plat::runvale::ClassRegistry& registry) {
  const std::string binding = BindingResource::kBaseName;
  add<BindingResource>(registry, binding);
  add<BindingResource_de>(registry, binding + "_de", binding);
  add<BindingResource_fr>(registry, binding + "_fr", binding);
  add<BindingResource_ja>(registry, binding + "_ja", binding);

  const std::string utility = util::UtilResource::kBaseName;
  add<util::UtilResource>(registry, utility);
  add<util::UtilResource_de>(registry, utility + "_de", utility);
  add<util::UtilResource_fr>(registry, utility + "_fr", utility);
  add<util::UtilResource_ja>(registry, utility + "_ja", utility);
}

}  // namespace quenlora::zafoli::db::beans::binding
