#include "quenlora/zafoli/db/net/SocketWrapper.h"

#include "platform/io/IOException.h"
#include "platform/net/NetExceptions.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

SocketWrapper::SocketWrapper(const std::string& host, int port, bool isSecure, SocketTimeouts timeouts)
    : _isSecure(isSecure) {
  // Nothing may go out in clear to a port that asks for a protected connection.
  const std::string place = host + ":" + std::to_string(port);
  if (isSecure) throw NetException(SessionErrors::SECURE_PORT + place);
  try {
    _s.setSoTimeout(timeouts.readMs);
    _s.connect(host, port, timeouts.connectMs);
  } catch (const plat::net::UnknownHostException&) {
    throw NetException(std::string(SessionErrors::UNKNOWN_HOST) + " (" + host + ")");
  } catch (const plat::io::IOException&) {
    throw NetException(std::string(SessionErrors::NOT_RESPONDING) + " (" + place + ")");
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

void SocketWrapper::setReadTimeout(int ms) {
  std::lock_guard<std::mutex> hold(mu_);
  if (!closed_) _s.setSoTimeout(ms);
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
