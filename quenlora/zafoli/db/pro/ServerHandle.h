// A record-set object's handle of its server object: the remote object together with a reference to the wire
// session it borrows, so the session outlives every handle. An absent handle (design time, an unconnected session)
// and a disabled one refuse calls with the wire layer's "Error: Remote Object closed". Calls are serialised by the
// remote object; disable() is not locked.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/Reply.h"

namespace quenlora::zafoli::db::pro {

class ServerHandle {
 public:
  using Args = net::RemoteObject::Args;

  // An absent handle.
  ServerHandle() = default;
  ServerHandle(plat::lang::Ref<net::ClientSession> session, std::string className, std::int32_t objectID);
  ServerHandle(const ServerHandle&) = delete;
  ServerHandle& operator=(const ServerHandle&) = delete;

  net::Reply invoke(int method, const Args& args = {});
  std::int32_t construct(const std::string& selector, const Args& args = {});
  void disable();
  bool usable() const { return remote_ && !remote_->isDisabled(); }
  std::int32_t objectID() const { return remote_ ? remote_->getObjectID() : 0; }
  const plat::lang::Ref<net::ClientSession>& session() const { return session_; }

 private:
  net::RemoteObject& remote();

  plat::lang::Ref<net::ClientSession> session_;  // borrowed by remote_, so declared first
  std::unique_ptr<net::RemoteObject> remote_;
};

}  // namespace quenlora::zafoli::db::pro
