// Long column values of a row through the server's stream object: the wire byte streams, each holding the wire
// session it borrows so the session outlives the stream. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/BinaryOutputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"

namespace quenlora::zafoli::db::pro {

class ValueInputStream final : public plat::io::InputStream {
 public:
  ValueInputStream(plat::lang::Ref<net::ClientSession> session, std::int32_t streamID)
      : session_(std::move(session)), in_(std::make_unique<net::BinaryInputStream>(streamID, *session_)) {}
  using InputStream::read;
  int read() override { return in_->read(); }
  int read(std::uint8_t* buf, std::size_t len) override { return in_->read(buf, len); }
  int available() override { return in_->available(); }
  void close() override { in_->close(); }

 private:
  plat::lang::Ref<net::ClientSession> session_;  // borrowed by in_, so declared first
  std::unique_ptr<net::BinaryInputStream> in_;
};

class ValueOutputStream final : public plat::io::OutputStream {
 public:
  ValueOutputStream(plat::lang::Ref<net::ClientSession> session, std::int32_t streamID)
      : session_(std::move(session)), out_(std::make_unique<net::BinaryOutputStream>(streamID, *session_)) {}
  using OutputStream::write;
  void write(int b) override { out_->write(b); }
  void write(const std::uint8_t* buf, std::size_t len) override { out_->write(buf, len); }
  void flush() override { out_->flush(); }
  void close() override { out_->close(); }

 private:
  plat::lang::Ref<net::ClientSession> session_;  // borrowed by out_, so declared first
  std::unique_ptr<net::BinaryOutputStream> out_;
};

}  // namespace quenlora::zafoli::db::pro
