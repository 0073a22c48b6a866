// Transport and protocol failure inside the wire client (socket, stream table, handshake). Callers map it to an
// SQL exception at the request boundary.
#pragma once

#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::net {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::lang::Exception;

PLAT_DECLARE_THROWABLE(NetException, Exception, "quenlora.zafoli.db.net.NetException")

}  // namespace quenlora::zafoli::db::net
