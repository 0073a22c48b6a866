// Misuse of threads and monitors, as the runtime reports it.
#pragma once

#include "platform/lang/Exceptions.h"

namespace plat::thread {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::lang::IllegalArgumentException;
using plat::lang::RuntimeException;

PLAT_DECLARE_THROWABLE(IllegalThreadStateException, IllegalArgumentException, "java.lang.IllegalThreadStateException")
PLAT_DECLARE_THROWABLE(IllegalMonitorStateException, RuntimeException, "java.lang.IllegalMonitorStateException")

}  // namespace plat::thread
