// Failure kinds of sockets and name resolution. Their class names follow the runtime's ("java.net.ConnectException");
// their text names the C++ class ("plat::net::ConnectException: Connection refused").
#pragma once

#include "platform/io/IOException.h"

namespace plat::net {

class SocketException : public plat::io::IOException {
 public:
  using IOException::IOException;
  PLAT_THROWABLE_MEMBERS(SocketException, "java.net.SocketException")
};

PLAT_DECLARE_THROWABLE(ConnectException, SocketException, "java.net.ConnectException")

class UnknownHostException : public plat::io::IOException {
 public:
  using IOException::IOException;
  PLAT_THROWABLE_MEMBERS(UnknownHostException, "java.net.UnknownHostException")
};

class SocketTimeoutException : public plat::io::InterruptedIOException {
 public:
  using InterruptedIOException::InterruptedIOException;
  PLAT_THROWABLE_MEMBERS(SocketTimeoutException, "java.net.SocketTimeoutException")
};

}  // namespace plat::net
