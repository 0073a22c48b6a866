#include "quenlora/zafoli/db/net/SocketWrapper.h"

#include "platform/io/IOException.h"
#include "platform/net/NetExceptions.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

SocketWrapper::SocketWrapper(const std::string& host, int port, bool isSecure, SocketTimeouts timeouts)
    : _isSecure(isSecure) {
  // Nothing may go out in clear to a port that asks for a protected connection.
  if (isSecure) throw NetException(SessionErrors::CLASS_NOT_FOUND);
  try {
    _s.setSoTimeout(timeouts.readMs);
    _s.connect(host, port, timeouts.connectMs);
  } catch (const plat::net::UnknownHostException&) {
    throw NetException(SessionErrors::UNKNOWN_HOST);
  } catch (const plat::io::IOException&) {
    throw NetException(SessionErrors::NOT_RESPONDING);
  }
}

SocketWrapper::~SocketWrapper() {
  try {
    close();
  } catch (...) {
  }
}

plat::lang::Ref<plat::io::InputStream> SocketWrapper::getInputStream() {
  return _s.getInputStream();
}

plat::lang::Ref<plat::io::OutputStream> SocketWrapper::getOutputStream() {
  return _s.getOutputStream();
}

void SocketWrapper::close() {
  std::lock_guard<std::mutex> hold(mu_);
  if (closed_) return;
  closed_ = true;
  try {
    _s.shutdownInput();
    _s.shutdownOutput();
  } catch (const plat::io::IOException&) {
    // already shut by the peer
  }
  _s.close();
}

}  // namespace quenlora::zafoli::db::net
