// A long column value handed to the caller as an input stream: reads through the server's stream object and keeps
// the connection's session alive for as long as the caller holds the stream. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/io/InputStream.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"

namespace quenlora::zafoli::db::jdbc {

class ValueStream final : public plat::io::InputStream {
 public:
  ValueStream(std::int32_t objectID, plat::lang::Ref<net::ClientSession> session)
      : session_(std::move(session)), stream_(std::make_unique<net::BinaryInputStream>(objectID, *session_)) {}

  using InputStream::read;
  int read() override { return stream_->read(); }
  int read(std::uint8_t* buf, std::size_t len) override { return stream_->read(buf, len); }
  int available() override { return stream_->available(); }
  void close() override { stream_->close(); }

 private:
  plat::lang::Ref<net::ClientSession> session_;     // outlives stream_, which borrows it
  std::unique_ptr<net::BinaryInputStream> stream_;  // never null
};

}  // namespace quenlora::zafoli::db::jdbc
