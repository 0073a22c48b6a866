#include "platform/proc/Pipes.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

#include "platform/io/IOException.h"

namespace plat::proc::detail {

namespace {

// Writing into a pipe whose reader has gone raises SIGPIPE, which would end the whole process. The signal is held
// back on this thread for the write and a pending one is consumed, so the failure arrives as EPIPE instead.
class SigpipeGuard {
 public:
  SigpipeGuard() {
    sigemptyset(&pipeSet_);
    sigaddset(&pipeSet_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeSet_, &old_);
  }
  ~SigpipeGuard() {
    if (!wasPending_) {
      sigset_t pending;
      sigpending(&pending);
      if (sigismember(&pending, SIGPIPE) == 1) {
        const timespec zero{0, 0};
        while (sigtimedwait(&pipeSet_, nullptr, &zero) < 0 && errno == EINTR) {
        }
      }
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }
  SigpipeGuard(const SigpipeGuard&) = delete;
  SigpipeGuard& operator=(const SigpipeGuard&) = delete;

 private:
  sigset_t pipeSet_;
  sigset_t old_;
  bool wasPending_ = false;
};

}  // namespace

PipeInputStream::~PipeInputStream() {
  try {
    close();
  } catch (...) {
  }
}

int PipeInputStream::read() {
  std::uint8_t b = 0;
  return read(&b, 1) <= 0 ? -1 : b;
}

int PipeInputStream::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  if (fd_ < 0) return -1;
  len = std::min(len, static_cast<std::size_t>(INT_MAX));
  ssize_t got;
  do {
    got = ::read(fd_, buf, len);
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw plat::io::IOException(std::string("pipe read failed: ") + std::strerror(errno));
  return got == 0 ? -1 : static_cast<int>(got);
}

int PipeInputStream::available() {
  int n = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0) return 0;
  return n;
}

void PipeInputStream::close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

PipeOutputStream::~PipeOutputStream() {
  try {
    close();
  } catch (...) {
  }
}

void PipeOutputStream::write(int b) {
  const auto byte = static_cast<std::uint8_t>(b);
  write(&byte, 1);
}

void PipeOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  if (fd_ < 0) throw plat::io::IOException("Stream closed");
  SigpipeGuard guard;
  while (len > 0) {
    const ssize_t n = ::write(fd_, buf, len);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw plat::io::IOException(errno == EPIPE ? std::string("Broken pipe")
                                                 : std::string("pipe write failed: ") + std::strerror(errno));
    }
    buf += n;
    len -= static_cast<std::size_t>(n);
  }
}

void PipeOutputStream::close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace plat::proc::detail
