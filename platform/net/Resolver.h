// Name resolution for client sockets: host names and IPv4/IPv6 literals ("127.0.0.1", "::1", "[::1]") to the
// addresses to try, in the resolver's order. Stateless; callable from any thread.
#pragma once

#include <sys/socket.h>

#include <string>
#include <vector>

namespace plat::net {

struct SocketAddress {
  sockaddr_storage storage{};
  socklen_t length = 0;

  int family() const { return storage.ss_family; }
  const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage); }
  // The numeric address and port, e.g. "127.0.0.1:1261" or "[::1]:1261".
  std::string toString() const;
};

class Resolver {
 public:
  Resolver() = delete;

  // The stream-socket addresses of host and port. UnknownHostException with the host and the resolver's reason
  // when there are none; IllegalArgumentException for a port outside 0..65535.
  static std::vector<SocketAddress> resolve(const std::string& host, int port);
};

}  // namespace plat::net
