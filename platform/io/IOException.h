// The input/output failure kinds: IOException and the narrower kinds callers catch by name.
#pragma once

#include "platform/lang/Throwable.h"

namespace plat::io {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::lang::Exception;

PLAT_DECLARE_THROWABLE(IOException, Exception, "java.io.IOException")
PLAT_DECLARE_THROWABLE(EOFException, IOException, "java.io.EOFException")
PLAT_DECLARE_THROWABLE(FileNotFoundException, IOException, "java.io.FileNotFoundException")
PLAT_DECLARE_THROWABLE(InterruptedIOException, IOException, "java.io.InterruptedIOException")
PLAT_DECLARE_THROWABLE(UnsupportedEncodingException, IOException, "java.io.UnsupportedEncodingException")

}  // namespace plat::io
