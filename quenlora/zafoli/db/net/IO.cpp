#include "quenlora/zafoli/db/net/IO.h"

#include "platform/lang/System.h"
#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::net {

IO::IO(plat::lang::Ref<SocketWrapper> sock, std::int16_t id, MPlex* mplex)
    : _sock(std::move(sock)),
      _userIS(plat::lang::makeRef<SocketIS>(_sock->getInputStream(), mplex)),
      dataIn_(plat::lang::makeRef<plat::io::DataInputStream>(_userIS)),
      _writer(plat::lang::makeRef<SocketWriter>(_sock->getOutputStream())),
      _userOS(plat::lang::makeRef<NetOutputStream>(_writer, id)),
      _id(id) {}

IO::IO(const IO& first, std::int16_t id)
    : plat::lang::Object(),
      _userIS(first._userIS),
      dataIn_(first.dataIn_),
      _writer(first._writer),
      _userOS(plat::lang::makeRef<NetOutputStream>(first._writer, id)),
      _id(id) {}

void IO::close() {
  if (!_sock) return;
  try {
    _sock->close();
  } catch (const plat::lang::Throwable& e) {
    plat::lang::System::err().println(e.toString());
  }
}

}  // namespace quenlora::zafoli::db::net
