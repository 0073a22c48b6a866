// An enumeration or iterator was read past its end.
#pragma once

#include "platform/lang/Throwable.h"

namespace plat::util {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::lang::RuntimeException;

PLAT_DECLARE_THROWABLE(NoSuchElementException, RuntimeException, "java.util.NoSuchElementException")

}  // namespace plat::util
