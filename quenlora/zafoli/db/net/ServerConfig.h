// The server's switches as the administration commands read and set them: whether remote administration and the
// debug command are allowed, and which parts of its traffic the server traces. A plain value; not locked.
#pragma once

namespace quenlora::zafoli::db::net {

class ServerConfig {
 public:
  bool _bAllowRemoteAdmin = false;
  bool _bAllowDebug = false;
  bool _traceRequests = false;
  bool _traceObjects = false;
  bool _traceBytesWritten = false;
  bool _traceBytesRead = false;
};

}  // namespace quenlora::zafoli::db::net
