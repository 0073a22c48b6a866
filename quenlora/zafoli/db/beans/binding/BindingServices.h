// Registers the classes of the data-binding core that are created by name: the message bundles of the binding
// and utility packages in their four languages. Called from the module entry of the library; registering again
// replaces the entries.
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::binding {

void registerBindingServices(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::binding
