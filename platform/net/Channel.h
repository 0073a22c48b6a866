// The byte channel under a connected socket: a non-blocking descriptor whose reads and writes wait with poll for
// at most the socket's time-out. A TLS channel overrides the three transfer operations. Shared by a socket and the
// streams it handed out, so a stream outlives nothing it uses; used by one thread at a time. Internal to plat_net.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace plat::net {

class Channel {
 public:
  static constexpr int kNoTimeout = 0;  // wait as long as it takes

  explicit Channel(int fd) : fd_(fd) {}
  virtual ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  // Up to len bytes; -1 at the end of the stream. SocketTimeoutException "Read timed out" after the time-out.
  virtual int read(std::uint8_t* buf, std::size_t len);
  // All len bytes, or an exception.
  virtual void write(const std::uint8_t* buf, std::size_t len);
  // Bytes readable now without waiting.
  virtual int available();
  // Sends what a clean end needs (TLS close_notify) and closes the descriptor; idempotent.
  virtual void close();
  void shutdownInput();
  void shutdownOutput();

  void setTimeout(int ms) { timeoutMs_ = ms; }
  int timeout() const { return timeoutMs_; }
  bool isClosed() const { return fd_ < 0; }
  int fd() const { return fd_; }

  // Waits until the descriptor is readable (or writable) for at most `ms` (kNoTimeout: without bound); false when
  // the time ran out. Interrupted waits resume with the time that is left.
  bool waitFor(bool forWrite, int ms) const { return waitFor(fd_, forWrite, ms); }
  static bool waitFor(int fd, bool forWrite, int ms);

 protected:
  void ensureOpen() const;
  void closeDescriptor();

 private:
  int fd_;  // owned; -1 once closed
  std::atomic<int> timeoutMs_{kNoTimeout};
  std::atomic<bool> inputShut_{false};  // set by shutdownInput, which another thread may call to end a read
  bool drained_ = false;  // the last read left the socket empty: the next one waits before it reads
};

}  // namespace plat::net
