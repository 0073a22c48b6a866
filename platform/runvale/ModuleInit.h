// The entry point every deliverable exports: it registers the deliverable's classes by fully qualified name.
// jpeLoadModule() calls it once per module.
#pragma once

namespace plat::runvale {
class ClassRegistry;
}

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry);
