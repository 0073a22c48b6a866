// Failures of reading saved settings: a damaged or foreign archive, and settings refused by their class.
#pragma once

#include "platform/io/IOException.h"

namespace plat::serial {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::io::IOException;

PLAT_DECLARE_THROWABLE(ObjectStreamException, IOException, "java.io.ObjectStreamException")
PLAT_DECLARE_THROWABLE(StreamCorruptedException, ObjectStreamException, "java.io.StreamCorruptedException")
PLAT_DECLARE_THROWABLE(InvalidObjectException, ObjectStreamException, "java.io.InvalidObjectException")

}  // namespace plat::serial
