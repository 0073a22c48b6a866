#include "quenlora/zafoli/db/jdbc/ProxyObject.h"

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetException.h"

namespace quenlora::zafoli::db::jdbc {

ProxyObject::ProxyObject(std::string className, std::int32_t objectID, SessionRef session)
    : session_(std::move(session)),
      proxy_(std::make_unique<net::RemoteObject>(std::move(className), objectID, *session_)) {}

ProxyObject::~ProxyObject() = default;

template <class F>
auto ProxyObject::call(F&& f) {
  std::lock_guard lock(mu_);
  try {
    return f(*proxy_);
  } catch (const plat::io::IOException& e) {
    // An end of stream while a reply is read, or a transport failure the request layer let through.
    throw plat::sql::SQLException(e.getMessage());
  } catch (const net::NetException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
}

net::Reply ProxyObject::invokeMethod(int method) {
  return call([&](net::RemoteObject& p) { return net::Reply(p.invokeMethod(method)); });
}

net::Reply ProxyObject::invokeMethod(int method, std::int32_t value) {
  return call([&](net::RemoteObject& p) { return net::Reply(p.invokeMethod(method, value)); });
}

net::Reply ProxyObject::invokeMethod(int method, bool value) {
  return call([&](net::RemoteObject& p) { return net::Reply(p.invokeMethod(method, value)); });
}

net::Reply ProxyObject::invokeMethod(int method, const std::string& value) {
  return call([&](net::RemoteObject& p) { return net::Reply(p.invokeMethod(method, value)); });
}

net::Reply ProxyObject::invokeMethod(int method, const Args& args) {
  return call([&](net::RemoteObject& p) { return net::Reply(p.invokeMethod(method, args)); });
}

std::int32_t ProxyObject::invokeConstructor(const std::string& selector, const Args& args) {
  return call([&](net::RemoteObject& p) { return p.invokeConstructor(selector, args); });
}

void ProxyObject::invokeDestructor(std::int32_t objectID) {
  call([&](net::RemoteObject& p) { p.invokeDestructor(objectID); });
}

void ProxyObject::disable() {
  std::lock_guard lock(mu_);
  proxy_->disable();
}

void ProxyObject::setObject(std::int32_t objectID) {
  std::lock_guard lock(mu_);
  proxy_->setObject(proxy_->getServerClassName(), objectID);
}

}  // namespace quenlora::zafoli::db::jdbc
