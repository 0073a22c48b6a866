// Registers the rule library's classes that are created by name: the message bundles, the built-in rules with the
// interfaces they declare themselves, and the rule interfaces. Called from the module entry of the library;
// registering again replaces the entries.
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::brl {

void registerBrlClasses(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::brl
