#include "platform/net/Resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>
#include <memory>

#include "platform/lang/Exceptions.h"
#include "platform/net/NetExceptions.h"

namespace plat::net {

std::string SocketAddress::toString() const {
  char host[INET6_ADDRSTRLEN] = {0};
  int port = 0;
  if (family() == AF_INET) {
    const auto* a = reinterpret_cast<const sockaddr_in*>(&storage);
    inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
    port = ntohs(a->sin_port);
    return std::string(host) + ":" + std::to_string(port);
  }
  if (family() == AF_INET6) {
    const auto* a = reinterpret_cast<const sockaddr_in6*>(&storage);
    inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
    port = ntohs(a->sin6_port);
    return "[" + std::string(host) + "]:" + std::to_string(port);
  }
  return "?";
}

std::vector<SocketAddress> Resolver::resolve(const std::string& host, int port) {
  if (port < 0 || port > 65535) throw plat::lang::IllegalArgumentException("port out of range:" + std::to_string(port));
  std::string name = host;
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
  if (name.empty()) throw UnknownHostException(host + ": empty host name");

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  std::string service = std::to_string(port);
  int rc = getaddrinfo(name.c_str(), service.c_str(), &hints, &found);
  if (rc != 0) throw UnknownHostException(host + ": " + gai_strerror(rc));
  std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, freeaddrinfo);

  std::vector<SocketAddress> out;
  for (addrinfo* ai = found; ai != nullptr; ai = ai->ai_next) {
    if (ai->ai_addrlen > sizeof(sockaddr_storage)) continue;
    SocketAddress a;
    std::memcpy(&a.storage, ai->ai_addr, ai->ai_addrlen);
    a.length = ai->ai_addrlen;
    out.push_back(a);
  }
  if (out.empty()) throw UnknownHostException(host + ": no address");
  return out;
}

}  // namespace plat::net
