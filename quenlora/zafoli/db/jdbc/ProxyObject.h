// Common base of the driver objects that stand for one server object (connection, statements, database
// metadata): owns the remote-object handle and serialises the calls made through it. Holds the connection's client
// session shared, so a proxy the caller keeps after its connection went away fails cleanly instead of reaching a
// freed session. Calls are serialised per proxy; the session runs one request at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Reply.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"

namespace quenlora::zafoli::db::jdbc {

class ProxyObject {
 public:
  using Args = net::RemoteObject::Args;
  using SessionRef = plat::lang::Ref<net::ClientSession>;

  ProxyObject(const ProxyObject&) = delete;
  ProxyObject& operator=(const ProxyObject&) = delete;

 protected:
  ProxyObject(std::string className, std::int32_t objectID, SessionRef session);
  ~ProxyObject();

  // One remote call each. Transport failures below the request layer are reported as SQLException with their text.
  net::Reply invokeMethod(int method);
  net::Reply invokeMethod(int method, std::int32_t value);
  net::Reply invokeMethod(int method, bool value);
  net::Reply invokeMethod(int method, const std::string& value);
  net::Reply invokeMethod(int method, const Args& args);
  std::int32_t invokeConstructor(const std::string& selector, const Args& args);
  void invokeDestructor(std::int32_t objectID);
  // Marks the handle closed: later calls fail at once and send nothing.
  void disable();
  // Rebinds the handle to the object a constructor call made.
  void setObject(std::int32_t objectID);

  const SessionRef& getSession() const { return session_; }
  std::int32_t getObjectID() const { return proxy_->getObjectID(); }

 private:
  template <class F>
  auto call(F&& f);

  std::recursive_mutex mu_;  // serialises the calls of this proxy
  SessionRef session_;       // shared by every proxy of one connection, which closes it
  std::unique_ptr<net::RemoteObject> proxy_;
};

}  // namespace quenlora::zafoli::db::jdbc
