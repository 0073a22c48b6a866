// Registers the column renderers of sortable bound tables and the toolkit's components by class name, so that saved
// column attributes can make their components and header renderer again. Safe to call more than once.
#pragma once

#include "platform/runvale/ClassRegistry.h"

namespace quenlora::zafoli::db::beans::javax::swing {

void registerSwingTableClasses(plat::runvale::ClassRegistry& registry);

}  // namespace quenlora::zafoli::db::beans::javax::swing
