// The output side of one logical stream: every write call becomes exactly one packet with the stream's id. Used by
// the thread that runs the stream's request; the shared writer serialises the packets.
#pragma once

#include <cstdint>

#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/SocketWriter.h"

namespace quenlora::zafoli::db::net {

class NetOutputStream : public plat::io::OutputStream {
 public:
  NetOutputStream(plat::lang::Ref<SocketWriter> out, std::int16_t id) : out(std::move(out)), _id(id) {}

  using OutputStream::write;
  void write(int b) override { out->write(_id, b); }
  void write(const std::uint8_t* buf, std::size_t len) override { out->write(_id, buf, len); }
  void flush() override { out->flush(); }
  // Flushes only: the writer may be shared by every stream of the session, and closing it would end them all; the
  // owner of the socket closes the writer.
  void close() override { out->flush(); }

  std::int16_t getId() const { return _id; }

 private:
  plat::lang::Ref<SocketWriter> out;
  std::int16_t _id;
};

}  // namespace quenlora::zafoli::db::net
