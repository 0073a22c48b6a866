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

// A non-blocking descriptor connected to `to`, or an exception.
int connectOne(const SocketAddress& to, int timeoutMs) {
  Descriptor fd(::socket(to.family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (fd.get() < 0) throw SocketException(std::strerror(errno));
  int one = 1;
  ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  int rc;
  do {
    rc = ::connect(fd.get(), to.get(), to.length);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    if (errno != EINPROGRESS) throw ConnectException(std::strerror(errno));
    if (!Channel::waitFor(fd.get(), true, timeoutMs)) throw SocketTimeoutException("Connect timed out");
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
    if (err != 0) throw ConnectException(std::strerror(err));
  }
  return fd.release();
}

}  // namespace

Socket::Socket() = default;

Socket::~Socket() {
  try {
    close();
  } catch (...) {
  }
}

void Socket::connect(const std::string& host, int port, int timeoutMs) {
  if (closed_) throw SocketException("Socket is closed");
  if (connected_) throw SocketException("already connected");
  if (timeoutMs < 0) throw plat::lang::IllegalArgumentException("connect: timeout can't be negative");
  std::vector<SocketAddress> addresses = Resolver::resolve(host, port);
  std::optional<ConnectException> refused;
  for (const SocketAddress& a : addresses) {
    try {
      int fd = connectOne(a, timeoutMs);
      remote_ = a.toString();
      channel_ = openChannel(fd, host);
      channel_->setTimeout(timeoutMs_);
      connected_ = true;
      return;
    } catch (const ConnectException& e) {
      refused = e;  // the next address may answer
    }
  }
  refused->raise();
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
