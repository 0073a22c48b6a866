// The byte channel under a connected socket: reads and writes wait for at most the socket's time-out. A waiting
// channel (the plain socket's) keeps its descriptor blocking with the time-out set on the socket, so a read that
// must wait does so inside one recv; otherwise the descriptor is non-blocking and waits with poll (a TLS channel,
// which overrides the three transfer operations). Shared by a socket and the streams it handed out, so a stream
// outlives nothing it uses; used by one thread at a time, except shutdownInput and abort, which another thread may
// call at any time to end a wait. Internal to plat_net.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace plat::net {

class Channel {
 public:
  static constexpr int kNoTimeout = 0;  // wait as long as it takes

  enum class Waiting {
    Poll,      // the descriptor stays non-blocking; every wait is a poll
    InSystem,  // the descriptor is made blocking; the time-out is the socket's receive and send time-out
  };

  explicit Channel(int fd, Waiting waiting = Waiting::Poll);
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
  // From another thread: shuts both directions down, so whatever waits on the descriptor wakes and fails (a read
  // sees the end of the stream). The descriptor stays open until close(); a closed channel is left alone.
  void abort();
  bool isAborted() const { return aborted_; }

  void setTimeout(int ms);
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
  int readWaitingInSystem(std::uint8_t* buf, std::size_t len);

  std::mutex fdMu_;  // held to close fd_ and by the other thread's shutdowns, so they never meet a reused number
  int fd_;           // owned; -1 once closed; changed only by the owning thread, under fdMu_
  const Waiting waiting_;
  std::atomic<int> timeoutMs_{kNoTimeout};
  std::atomic<bool> inputShut_{false};  // set by shutdownInput, which another thread may call to end a read
  std::atomic<bool> aborted_{false};    // set by abort
  bool drained_ = false;                // the last read left the socket empty: the next one waits before it reads
};

}  // namespace plat::net
