#include "quenlora/zafoli/db/pro/ServerHandle.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::pro {

ServerHandle::ServerHandle(plat::lang::Ref<net::ClientSession> session, std::string className, std::int32_t objectID)
    : session_(std::move(session)) {
  if (session_) remote_ = std::make_unique<net::RemoteObject>(std::move(className), objectID, *session_);
}

net::RemoteObject& ServerHandle::remote() {
  if (!remote_) throw plat::sql::SQLException(net::SessionErrors::REMOTE_OBJECT_CLOSED);
  return *remote_;
}

net::Reply ServerHandle::invoke(int method, const Args& args) {
  return net::Reply(remote().invokeMethod(method, args));
}

std::int32_t ServerHandle::construct(const std::string& selector, const Args& args) {
  return remote().invokeConstructor(selector, args);
}

void ServerHandle::disable() {
  if (remote_) remote_->disable();
}

}  // namespace quenlora::zafoli::db::pro
