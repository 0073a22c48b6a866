#include "quenlora/zafoli/db/net/SocketIS.h"

#include <algorithm>
#include <cstring>

#include "platform/io/IOException.h"
#include "platform/net/NetExceptions.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/MPlex.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

SocketIS::SocketIS(plat::lang::Ref<plat::io::InputStream> in, MPlex* mplex) : _istrm(std::move(in)), _mplex(mplex) {}

void SocketIS::lost(const char* why) {
  if (_mplex != nullptr) _mplex->connectionLost();
  bClosed = true;
  throw plat::io::IOException(why);
}

void SocketIS::timedOut() {
  const int ms = _mplex != nullptr ? _mplex->getReadTimeout() : 0;
  if (_mplex != nullptr) _mplex->connectionLost();
  bClosed = true;
  throw SQLServerConnException(NetErrors::READ_TIMED_OUT + std::to_string(ms) + " ms.");
}

int SocketIS::socketRead(std::uint8_t* buf, std::size_t len) {
  try {
    return _istrm->read(buf, len);
  } catch (const plat::net::SocketTimeoutException&) {
    timedOut();
  } catch (const plat::io::IOException&) {
    lost(NetErrors::LOST_CONNECTION);
  }
}

std::size_t SocketIS::fill() {
  if (ahead_.empty()) ahead_.resize(kReadAhead);
  const int n = socketRead(ahead_.data(), ahead_.size());
  aheadAt_ = 0;
  aheadEnd_ = n > 0 ? static_cast<std::size_t>(n) : 0;
  return aheadEnd_;
}

void SocketIS::readExactly(std::uint8_t* buf, std::size_t len) {
  std::size_t got = 0;
  while (got < len) {
    if (aheadAt_ == aheadEnd_) {
      // A large rest goes straight into its place; a small one through the buffer, with what follows it.
      if (len - got >= kReadAhead) {
        const int n = socketRead(buf + got, len - got);
        if (n <= 0) lost(NetErrors::LOST_CONNECTION);
        got += static_cast<std::size_t>(n);
        continue;
      }
      if (fill() == 0) lost(NetErrors::LOST_CONNECTION);
    }
    const std::size_t n = std::min(len - got, aheadEnd_ - aheadAt_);
    std::memcpy(buf + got, ahead_.data() + aheadAt_, n);
    aheadAt_ += n;
    got += n;
  }
}

bool SocketIS::nextPacket() {
  readExactly(_header, sizeof _header);
  if (_header[0] != static_cast<std::uint8_t>(Define::STREAM_PACKET)) lost(SessionErrors::BAD_PACKET_HEADER);
  const std::size_t frameLength = (std::size_t{_header[1]} << 8) | _header[2];
  // The length counts the stream id, so anything below 2 cannot be a packet and leaves the stream out of step.
  if (frameLength < 2) lost(NetErrors::LOST_CONNECTION);
  streamId_ = static_cast<std::int16_t>((_header[3] << 8) | _header[4]);
  if (streamId_ == Define::DISCONNECT_STREAM_ID) lost(NetErrors::LOST_CONNECTION);
  length = frameLength - 2;
  offset = 0;
  replyBytes_ += length;
  if (replyBytes_ > maxReplyBytes_) {
    if (_mplex != nullptr) _mplex->connectionLost();
    bClosed = true;
    throw SQLServerConnException(NetErrors::REPLY_TOO_LARGE + std::to_string(maxReplyBytes_) + " bytes.");
  }
  if (length == 0) {
    close();
    return false;
  }
  if (aheadEnd_ - aheadAt_ >= length) {
    // The whole payload came with the read-ahead: it is read where it lies.
    payload_ = ahead_.data() + aheadAt_;
    aheadAt_ += length;
    return true;
  }
  data.resize(length);
  readExactly(data.data(), length);
  payload_ = data.data();
  return true;
}

int SocketIS::read() {
  std::uint8_t b = 0;
  return read(&b, 1) < 0 ? -1 : b;
}

int SocketIS::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  if (bClosed) return -1;
  if (offset >= length && !nextPacket()) return -1;
  const std::size_t n = std::min(len, length - offset);
  std::memcpy(buf, payload_ + offset, n);
  offset += n;
  return static_cast<int>(n);
}

int SocketIS::available() {
  return static_cast<int>(length - offset);
}

void SocketIS::reset() {
  offset = length;
}

void SocketIS::startReply(std::uint64_t maxBytes) {
  offset = length;
  replyBytes_ = 0;
  maxReplyBytes_ = maxBytes;
}

void SocketIS::close() {
  if (bClosed) return;
  bClosed = true;
  offset = length;
  _istrm->close();
}

}  // namespace quenlora::zafoli::db::net
