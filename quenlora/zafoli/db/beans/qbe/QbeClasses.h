// Registers the query-by-example classes that are created by name: the four translator variants and the four
// message bundles. Called from the module entry of the library; registering again replaces the entries.
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::qbe {

void registerQbeClasses(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::qbe
