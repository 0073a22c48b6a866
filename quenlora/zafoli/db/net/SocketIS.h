// The input side of a session's socket: unwraps packets into one byte stream, in arrival order, whatever their
// stream id. A bad marker, a length below 2, a header or payload cut short, a packet on the disconnect stream and
// any socket failure mark the connection lost and fail the read. Used by one thread at a time: requests hold
// requestLock() from writing their packet to the end of their reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::net {

class MPlex;

class SocketIS final : public plat::io::InputStream {
 public:
  // mplex is told of a lost connection; it may be null (a reader with no session).
  SocketIS(plat::lang::Ref<plat::io::InputStream> in, MPlex* mplex);
  SocketIS(const SocketIS&) = delete;
  SocketIS& operator=(const SocketIS&) = delete;

  using InputStream::read;
  // The next payload byte, or -1 once an empty packet ended the stream. IOException on a lost connection.
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  // Bytes left in the current packet.
  int available() override;
  // Discards the rest of the current packet.
  void reset() override;
  // Discards the rest of the current packet and starts counting the payload bytes of a new reply: past maxBytes
  // the connection is marked lost and SQLServerConnException raised, as nothing bounds such a reply.
  void startReply(std::uint64_t maxBytes);
  void close() override;

  // The next n payload bytes, consumed, when the current packet still holds them all; nullptr (nothing consumed)
  // otherwise, and the caller reads them the ordinary way. Lets decoders take a value's bytes in place instead of
  // one virtual read per field. The bytes stay valid until the next packet is read.
  const std::uint8_t* take(std::size_t n) {
    const std::uint8_t* p = peek(n);
    if (p != nullptr) offset += n;
    return p;
  }
  // The same without consuming them: for a decoder that learns from a value's first bytes how many it takes.
  const std::uint8_t* peek(std::size_t n) const {
    if (bClosed || length - offset < n) return nullptr;
    return payload_ + offset;
  }

  // Stream id of the packet read last.
  std::int16_t lastStreamId() const { return streamId_; }
  // Held by a request from writing its packet to reading the end of its reply.
  std::recursive_mutex& requestLock() { return lock_; }

 private:
  // Reads the next packet; false when an empty packet ended the stream.
  bool nextPacket();
  [[noreturn]] void lost(const char* why);
  // A waiting read ran past the read time-out: the connection is lost, with a text that says so.
  [[noreturn]] void timedOut();
  // Reads from the socket; a time-out or failure loses the connection.
  int socketRead(std::uint8_t* buf, std::size_t len);
  void readExactly(std::uint8_t* buf, std::size_t len);
  // Reads what the socket has (up to the read-ahead buffer's size) into the buffer; the count, 0 at its end.
  std::size_t fill();

  plat::lang::Ref<plat::io::InputStream> _istrm;
  std::uint8_t _header[5] = {};
  std::vector<std::uint8_t> data;  // payload of the current packet when it did not come whole with the read-ahead
  // The current packet's payload: in ahead_ (it is not refilled before the packet is read to its end) or in data.
  const std::uint8_t* payload_ = nullptr;
  std::size_t length = 0;  // payload bytes at payload_
  std::size_t offset = 0;  // next unread byte of the payload
  // Bytes taken from the socket beyond the packet being read: a reply's header and payload (and often the next
  // packet) come in one socket read instead of two.
  static constexpr std::size_t kReadAhead = 16384;
  std::vector<std::uint8_t> ahead_;  // read-ahead buffer, kReadAhead bytes once used
  std::size_t aheadAt_ = 0;          // next unread byte of ahead_
  std::size_t aheadEnd_ = 0;         // end of the bytes in ahead_
  std::int16_t streamId_ = 0;
  std::uint64_t replyBytes_ = 0;  // payload bytes of the reply being read
  std::uint64_t maxReplyBytes_ = ~static_cast<std::uint64_t>(0);
  bool bClosed = false;
  MPlex* _mplex;               // back reference to the owner of this stream; may be null
  std::recursive_mutex lock_;  // re-entrant: closing the session from inside a request takes it again
};

}  // namespace quenlora::zafoli::db::net
