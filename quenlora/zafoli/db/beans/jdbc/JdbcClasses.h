// Registers the classes of the JDBC data-source beans that are created by name: the connection bean, the registry,
// the default connect-failure listener and the message bundles.
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::jdbc {

void registerJdbcClasses(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::jdbc
