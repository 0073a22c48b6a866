// Frames byte blocks as packets (marker 0xBB, u16 length + 2, i16 stream id, payload) and hands each packet to the
// socket in one write. Every write is exclusive on the writer, so packets of threads sharing it never interleave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::net {

class SocketWriter : public plat::lang::Object {
 public:
  // The largest payload the unsigned length field can announce (it counts the two stream-id bytes too).
  static constexpr std::size_t kMaxPayload = 0xFFFF - 2;

  explicit SocketWriter(plat::lang::Ref<plat::io::OutputStream> out);
  SocketWriter(const SocketWriter&) = delete;
  SocketWriter& operator=(const SocketWriter&) = delete;

  // A packet with a one-byte payload.
  void write(std::int16_t streamId, int b);
  void write(std::int16_t streamId, const std::vector<std::uint8_t>& bytes);
  // IndexOutOfBoundsException when offset and length leave the array; IOException when the payload is larger than
  // kMaxPayload.
  void write(std::int16_t streamId, const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length);
  void write(std::int16_t streamId, const std::uint8_t* bytes, std::size_t length);
  void flush();
  void close();

 private:
  std::mutex mu_;
  plat::lang::Ref<plat::io::OutputStream> out_;  // guarded by mu_
  std::vector<std::uint8_t> packet_;             // guarded by mu_; reused buffer of header and payload
};

}  // namespace quenlora::zafoli::db::net
