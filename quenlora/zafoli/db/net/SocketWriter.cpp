#include "quenlora/zafoli/db/net/SocketWriter.h"

#include <cstring>
#include <string>

#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

SocketWriter::SocketWriter(plat::lang::Ref<plat::io::OutputStream> out) : out_(std::move(out)) {}

void SocketWriter::write(std::int16_t streamId, int b) {
  const auto byte = static_cast<std::uint8_t>(b);
  write(streamId, &byte, 1);
}

void SocketWriter::write(std::int16_t streamId, const std::vector<std::uint8_t>& bytes) {
  write(streamId, bytes.data(), bytes.size());
}

void SocketWriter::write(std::int16_t streamId, const std::vector<std::uint8_t>& bytes, std::size_t offset,
                         std::size_t length) {
  if (offset > bytes.size() || length > bytes.size() - offset) {
    throw plat::lang::IndexOutOfBoundsException("offset " + std::to_string(offset) + ", length " +
                                                std::to_string(length) + ", size " + std::to_string(bytes.size()));
  }
  write(streamId, bytes.data() + offset, length);
}

void SocketWriter::write(std::int16_t streamId, const std::uint8_t* bytes, std::size_t length) {
  if (length > kMaxPayload) throw plat::io::IOException(SessionErrors::PACKET_TOO_LARGE);
  std::lock_guard<std::mutex> hold(mu_);
  if (!out_) throw plat::io::IOException(SessionErrors::STREAM_CLOSED);
  const std::size_t total = Define::STREAM_PACKET_SIZE + length;
  packet_.resize(total);
  const auto frameLength = static_cast<std::uint16_t>(length + 2);
  const auto id = static_cast<std::uint16_t>(streamId);
  packet_[0] = static_cast<std::uint8_t>(Define::STREAM_PACKET);
  packet_[1] = static_cast<std::uint8_t>(frameLength >> 8);
  packet_[2] = static_cast<std::uint8_t>(frameLength);
  packet_[3] = static_cast<std::uint8_t>(id >> 8);
  packet_[4] = static_cast<std::uint8_t>(id);
  if (length > 0) std::memcpy(packet_.data() + Define::STREAM_PACKET_SIZE, bytes, length);
  out_->write(packet_.data(), total);
}

void SocketWriter::flush() {
  std::lock_guard<std::mutex> hold(mu_);
  if (out_) out_->flush();
}

void SocketWriter::close() {
  std::lock_guard<std::mutex> hold(mu_);
  if (!out_) return;
  out_->flush();
  out_->close();
  out_.reset();
}

}  // namespace quenlora::zafoli::db::net
