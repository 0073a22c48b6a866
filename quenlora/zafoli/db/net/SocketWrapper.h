// One TCP connection of a session to the middleware server, with its input and output streams. The secure kind is
// not supplied by this system, so asking for it fails before any connection is made. close() is synchronized and
// idempotent; the streams are used by one thread at a time (the request lock of the session sees to that).
#pragma once

#include <mutex>
#include <string>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"
#include "platform/net/Socket.h"

namespace quenlora::zafoli::db::net {

// Connect and read time-outs of a session's sockets in milliseconds; 0 waits as long as the system does.
struct SocketTimeouts {
  int connectMs = 0;
  int readMs = 0;
};

class SocketWrapper : public plat::lang::Object {
 public:
  // Connects at once. NetException "Class not found (new SocketWrapper)" for the secure kind, "Unknown host" and
  // "Server not responding" for the failures of the plain kind.
  SocketWrapper(const std::string& host, int port, bool isSecure, SocketTimeouts timeouts = {});
  ~SocketWrapper() override;
  SocketWrapper(const SocketWrapper&) = delete;
  SocketWrapper& operator=(const SocketWrapper&) = delete;

  plat::lang::Ref<plat::io::InputStream> getInputStream();
  plat::lang::Ref<plat::io::OutputStream> getOutputStream();
  // Shuts the connection down and closes it; later calls do nothing.
  void close();
  bool isSecure() const { return _isSecure; }

 private:
  std::mutex mu_;
  plat::net::Socket _s;  // guarded by mu_ for close
  bool _isSecure;
  bool closed_ = false;  // guarded by mu_
};

}  // namespace quenlora::zafoli::db::net
