// Compressed data that does not inflate as its frame says.
#pragma once

#include "platform/lang/Throwable.h"

namespace plat::zip {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::lang::Exception;

PLAT_DECLARE_THROWABLE(DataFormatException, Exception, "java.util.zip.DataFormatException")

}  // namespace plat::zip
