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

// The most one reply may hold; past either limit the reply is a protocol error and the connection is given up.
// Memory held for a reply grows with both, so they also bound what a faulty or hostile server can take.
struct ReplyLimits {
  static constexpr std::uint64_t kDefaultMaxObjects = 1'000'000;
  static constexpr std::uint64_t kDefaultMaxBytes = std::uint64_t{256} << 20;
  std::uint64_t maxObjects = kDefaultMaxObjects;  // wire objects, nested ones included
  // packet payload bytes, and apart from them the inflated sizes of the reply's compressed data objects
  std::uint64_t maxBytes = kDefaultMaxBytes;
};

class SocketWrapper : public plat::lang::Object {
 public:
  // Connects at once. NetException "The secure port is not supported by this client: host:port" for the secure
  // kind, "Unknown host (host)" and "Server not responding (host:port)" for the failures of the plain kind.
  SocketWrapper(const std::string& host, int port, bool isSecure, SocketTimeouts timeouts = {});
  ~SocketWrapper() override;
  SocketWrapper(const SocketWrapper&) = delete;
  SocketWrapper& operator=(const SocketWrapper&) = delete;

  plat::lang::Ref<plat::io::InputStream> getInputStream();
  plat::lang::Ref<plat::io::OutputStream> getOutputStream();
  // Changes the read time-out of waiting reads from now on (0: none).
  void setReadTimeout(int ms);
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
