// One logical stream of a session: its stream id, the packet input stream it reads replies from, a packet output
// stream for its id and the writer under it. A stream either owns its socket or shares the first stream's socket,
// reader and writer. Used by the thread that runs its request; close() by the multiplexer.
#pragma once

#include <cstdint>

#include "platform/io/DataInputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/NetOutputStream.h"
#include "quenlora/zafoli/db/net/SocketIS.h"
#include "quenlora/zafoli/db/net/SocketWrapper.h"
#include "quenlora/zafoli/db/net/SocketWriter.h"

namespace quenlora::zafoli::db::net {

class MPlex;

class IO : public plat::lang::Object {
 public:
  // A stream that owns sock, with its own reader and writer; mplex is told when the connection is lost.
  IO(plat::lang::Ref<SocketWrapper> sock, std::int16_t id, MPlex* mplex);
  // A stream on the socket of first, sharing its reader and writer.
  IO(const IO& first, std::int16_t id);
  IO& operator=(const IO&) = delete;

  SocketIS& getInputStream() const { return *_userIS; }
  // The reader of wire objects over getInputStream(), shared like it.
  plat::io::DataInputStream& getDataInput() const { return *dataIn_; }
  NetOutputStream& getOutputStream() const { return *_userOS; }
  std::int16_t getId() const { return _id; }
  bool ownsSocket() const { return _sock != nullptr; }

  // Sets the read time-out of the socket this stream owns.
  void setReadTimeout(int ms) {
    if (_sock) _sock->setReadTimeout(ms);
  }
  // Closes the socket this stream owns; a failure is printed and otherwise ignored.
  void close();

 private:
  plat::lang::Ref<SocketWrapper> _sock;  // null when the socket is shared
  plat::lang::Ref<SocketIS> _userIS;
  plat::lang::Ref<plat::io::DataInputStream> dataIn_;
  plat::lang::Ref<SocketWriter> _writer;
  plat::lang::Ref<NetOutputStream> _userOS;
  std::int16_t _id;
};

}  // namespace quenlora::zafoli::db::net
