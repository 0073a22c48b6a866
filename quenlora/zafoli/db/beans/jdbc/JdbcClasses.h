// Registers the classes of the JDBC data-source beans that are created by name: the connection bean, the registry,
// the default connect-failure listener, the message bundles
// and the row class bases (by name only: they are abstract).
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::jdbc {

void registerJdbcClasses(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::jdbc
