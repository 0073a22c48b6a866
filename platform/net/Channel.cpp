#include "platform/net/Channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/net/NetExceptions.h"

namespace plat::net {

namespace {

// A socket time-out of ms milliseconds (0: none) for the receive or send side; false when the system refused it.
bool setSocketTimeout(int fd, int option, int ms) {
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return ::setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv) == 0;
}

}  // namespace

Channel::Channel(int fd, Waiting waiting) : fd_(fd), waiting_(waiting) {
  if (waiting_ != Waiting::InSystem) return;
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) throw SocketException(std::strerror(errno));
  if (!setSocketTimeout(fd_, SO_RCVTIMEO, kNoTimeout) || !setSocketTimeout(fd_, SO_SNDTIMEO, kNoTimeout)) {
    throw SocketException(std::strerror(errno));
  }
}

void Channel::setTimeout(int ms) {
  timeoutMs_ = ms;
  // A read or write already waiting keeps the time-out it began with, as a poll would.
  if (waiting_ == Waiting::InSystem && fd_ >= 0) {
    setSocketTimeout(fd_, SO_RCVTIMEO, ms);
    setSocketTimeout(fd_, SO_SNDTIMEO, ms);
  }
}

Channel::~Channel() {
  closeDescriptor();
}

void Channel::ensureOpen() const {
  if (fd_ < 0) throw SocketException("Socket closed");
}

void Channel::closeDescriptor() {
  std::lock_guard<std::mutex> lock(fdMu_);
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool Channel::waitFor(int fd, bool forWrite, int ms) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    int wait = -1;
    if (ms != kNoTimeout) {
      // Rounded up: poll counts whole milliseconds, and a part of one left must still be waited for.
      auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      wait = static_cast<int>(left);
    }
    pollfd p{fd, static_cast<short>(forWrite ? POLLOUT : POLLIN), 0};
    int rc = ::poll(&p, 1, wait);
    if (rc > 0) return true;  // readiness or an error condition: the next transfer reports which
    if (rc == 0) {
      if (ms != kNoTimeout) return false;
      continue;
    }
    if (errno != EINTR) throw SocketException(std::strerror(errno));
  }
}

int Channel::read(std::uint8_t* buf, std::size_t len) {
  ensureOpen();
  if (len == 0) return 0;
  if (inputShut_) return -1;
  if (waiting_ == Waiting::InSystem) return readWaitingInSystem(buf, len);
  // After a read that emptied the socket the next one nearly always finds nothing yet (a reply not yet sent), so
  // it waits first: poll and recv instead of recv, EAGAIN, poll and recv. After a read that filled the buffer
  // more is likely queued, and it reads at once. Even when that wait runs out, the recv still looks, so bytes
  // that are there are never reported as a time-out.
  const bool expired = drained_ && !waitFor(false, timeoutMs_);
  for (;;) {
    ssize_t n = ::recv(fd_, buf, len, 0);
    if (n > 0) {
      drained_ = static_cast<std::size_t>(n) < len;
      return static_cast<int>(n);
    }
    if (n == 0) return -1;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      throw SocketException(errno == ECONNRESET ? "Connection reset" : std::strerror(errno));
    }
    if (expired || !waitFor(false, timeoutMs_)) throw SocketTimeoutException("Read timed out");
  }
}

int Channel::readWaitingInSystem(std::uint8_t* buf, std::size_t len) {
  for (;;) {
    // Waits inside recv for at most the receive time-out; bytes already there come at once.
    ssize_t n = ::recv(fd_, buf, len, 0);
    if (n > 0) return static_cast<int>(n);
    if (n == 0) return -1;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) throw SocketTimeoutException("Read timed out");
    throw SocketException(errno == ECONNRESET ? "Connection reset" : std::strerror(errno));
  }
}

void Channel::write(const std::uint8_t* buf, std::size_t len) {
  ensureOpen();
  std::size_t done = 0;
  while (done < len) {
    ssize_t n = ::send(fd_, buf + done, len - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A peer that stops reading must not hold the writer forever: the time-out bounds writes too. A socket
      // waiting in the system has already waited its send time-out inside send.
      if (waiting_ == Waiting::InSystem || !waitFor(true, timeoutMs_)) throw SocketTimeoutException("Write timed out");
      continue;
    }
    throw SocketException(errno == EPIPE ? "Broken pipe" : std::strerror(errno));
  }
}

int Channel::available() {
  ensureOpen();
  int n = 0;
  if (inputShut_ || ::ioctl(fd_, FIONREAD, &n) != 0) return 0;
  return n;
}

void Channel::close() {
  closeDescriptor();
}

void Channel::shutdownInput() {
  std::lock_guard<std::mutex> lock(fdMu_);
  ensureOpen();
  ::shutdown(fd_, SHUT_RD);
  inputShut_ = true;
}

void Channel::shutdownOutput() {
  std::lock_guard<std::mutex> lock(fdMu_);
  ensureOpen();
  ::shutdown(fd_, SHUT_WR);
}

void Channel::abort() {
  std::lock_guard<std::mutex> lock(fdMu_);
  aborted_ = true;
  inputShut_ = true;
  if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

}  // namespace plat::net
