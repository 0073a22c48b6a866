// Registers the toolkit's components by class name, so that saved settings that name a component class (the
// editor and renderer components of table columns) can make it again. Safe to call more than once.
#pragma once

#include "platform/runvale/ClassRegistry.h"

namespace plat::gui {

void registerGuiClasses(plat::runvale::ClassRegistry& registry);

}  // namespace plat::gui
