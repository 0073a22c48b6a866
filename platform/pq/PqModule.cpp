// Module entry of plat_pq: a name in "plat.sql.pq." loads the library and registers its driver, as the kit's
// libraries do.
#include "platform/pq/PqDriver.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/ModuleInit.h"

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  plat::sql::pq::registerPqDriverClass(registry);
  plat::sql::pq::registerPqDriver();
}
