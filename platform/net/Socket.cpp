#include "platform/net/Socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/lang/Exceptions.h"
#include "platform/net/Channel.h"
#include "platform/net/NetExceptions.h"
#include "platform/net/Resolver.h"

namespace plat::net {
namespace {

class SocketInputStream : public plat::io::InputStream {
 public:
  explicit SocketInputStream(std::shared_ptr<Channel> channel) : channel_(std::move(channel)) {}

  using InputStream::read;
  int read() override {
    std::uint8_t b = 0;
    int n = channel_->read(&b, 1);
    return n < 0 ? -1 : b;
  }
  int read(std::uint8_t* buf, std::size_t len) override { return channel_->read(buf, len); }
  int available() override { return channel_->available(); }
  // As with the runtime's socket streams, closing one closes the connection.
  void close() override { channel_->close(); }

 private:
  std::shared_ptr<Channel> channel_;
};

class SocketOutputStream : public plat::io::OutputStream {
 public:
  explicit SocketOutputStream(std::shared_ptr<Channel> channel) : channel_(std::move(channel)) {}

  using OutputStream::write;
  void write(int b) override {
    auto byte = static_cast<std::uint8_t>(b);
    channel_->write(&byte, 1);
  }
  void write(const std::uint8_t* buf, std::size_t len) override { channel_->write(buf, len); }
  void close() override { channel_->close(); }

 private:
  std::shared_ptr<Channel> channel_;
};

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// A non-blocking stream descriptor for `to`'s family, not yet connected.
int openDescriptor(const SocketAddress& to) {
  int fd = ::socket(to.family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw SocketException(std::strerror(errno));
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

// Connects the non-blocking `fd` to `to`, or throws.
void connectOne(int fd, const SocketAddress& to, int timeoutMs) {
  int rc;
  do {
    rc = ::connect(fd, to.get(), to.length);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    if (errno != EINPROGRESS) throw ConnectException(std::strerror(errno));
    if (!Channel::waitFor(fd, true, timeoutMs)) throw SocketTimeoutException("Connect timed out");
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
    if (err != 0) throw ConnectException(std::strerror(err));
  }
}

}  // namespace

Socket::Socket() = default;

Socket::~Socket() {
  try {
    close();
  } catch (...) {
  }
}

// Withdrawn before the descriptor is closed or handed on, so abort() never shuts a number the system may have given
// to another file meanwhile.
class Socket::Exposure {
 public:
  Exposure(Socket& socket, int fd) : socket_(socket) {
    std::lock_guard<std::mutex> lock(socket_.abortMu_);
    if (socket_.aborted_) throw SocketException("Socket closed");
    socket_.connectingFd_ = fd;
  }
  ~Exposure() {
    std::lock_guard<std::mutex> lock(socket_.abortMu_);
    socket_.connectingFd_ = -1;
  }
  Exposure(const Exposure&) = delete;
  Exposure& operator=(const Exposure&) = delete;

 private:
  Socket& socket_;
};

void Socket::connect(const std::string& host, int port, int timeoutMs) {
  if (closed_) throw SocketException("Socket is closed");
  if (connected_) throw SocketException("already connected");
  if (timeoutMs < 0) throw plat::lang::IllegalArgumentException("connect: timeout can't be negative");
  std::vector<SocketAddress> addresses = Resolver::resolve(host, port);
  std::optional<ConnectException> refused;
  for (const SocketAddress& a : addresses) {
    Descriptor fd(openDescriptor(a));
    try {
      Exposure exposed(*this, fd.get());
      connectOne(fd.get(), a, timeoutMs);
    } catch (const ConnectException& e) {
      // An aborted connect reads as refused or reset; it is neither, and no other address is tried.
      if (isAborted()) throw SocketException("Socket closed");
      refused = e;  // the next address may answer
      continue;
    }
    remote_ = a.toString();
    std::shared_ptr<Channel> channel = openChannel(fd.release(), host);
    channel->setTimeout(timeoutMs_);
    {
      std::lock_guard<std::mutex> lock(abortMu_);
      if (aborted_) throw SocketException("Socket closed");
      channel_ = channel;
    }
    try {
      handshake(*channel);
    } catch (...) {
      std::lock_guard<std::mutex> lock(abortMu_);
      channel_.reset();  // the local reference closes it, out of abort()'s reach
      throw;
    }
    connected_ = true;
    return;
  }
  refused->raise();
}

bool Socket::isAborted() {
  std::lock_guard<std::mutex> lock(abortMu_);
  return aborted_;
}

void Socket::abort() {
  std::lock_guard<std::mutex> lock(abortMu_);
  aborted_ = true;
  if (connectingFd_ >= 0) ::shutdown(connectingFd_, SHUT_RDWR);
  if (channel_) channel_->abort();
}

std::shared_ptr<Channel> Socket::openChannel(int fd, const std::string& host) {
  (void)host;
  try {
    return std::make_shared<Channel>(fd, Channel::Waiting::InSystem);
  } catch (...) {
    ::close(fd);
    throw;
  }
}

Channel& Socket::channel() {
  if (closed_) throw SocketException("Socket is closed");
  if (!connected_) throw SocketException("Socket is not connected");
  return *channel_;
}

void Socket::setSoTimeout(int ms) {
  if (closed_) throw SocketException("Socket is closed");
  if (ms < 0) throw plat::lang::IllegalArgumentException("timeout can't be negative");
  timeoutMs_ = ms;
  if (channel_) channel_->setTimeout(ms);
}

plat::lang::Ref<plat::io::InputStream> Socket::getInputStream() {
  channel();
  if (!in_) in_ = plat::lang::makeRef<SocketInputStream>(channel_);
  return in_;
}

plat::lang::Ref<plat::io::OutputStream> Socket::getOutputStream() {
  channel();
  if (!out_) out_ = plat::lang::makeRef<SocketOutputStream>(channel_);
  return out_;
}

void Socket::shutdownInput() {
  channel().shutdownInput();
}

void Socket::shutdownOutput() {
  channel().shutdownOutput();
}

void Socket::close() {
  if (closed_) return;
  closed_ = true;
  if (channel_) channel_->close();
}

}  // namespace plat::net
