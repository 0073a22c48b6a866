#include "claim/WriterCheck.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "claim/LocalPath.h"

namespace {

// A lease broken by a writer's open is announced with SIGIO, whose default would end the process. The worker
// never waits for that signal (the lease is held only for the read and the rename), so it is ignored, unless
// someone else already handles it.
void ignoreLeaseBreakSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (::sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGIO, &ignore, nullptr);
    }
  });
}

// Takes and drops a read lease on a scratch file of our own in `dir`: 0 when leases work there, else the errno.
int probeLease(const std::string& dir) {
  std::string path = LocalPath::join(dir, ".claimora-probe-XXXXXX");
  const int rw = ::mkostemp(path.data(), O_CLOEXEC);
  if (rw < 0) return errno;
  ::close(rw);  // a descriptor open for writing, even our own, would refuse the lease
  int err = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err = errno;
  } else {
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) != 0) err = errno;
    ::close(fd);
  }
  ::unlink(path.c_str());
  return err;
}

}  // namespace

WriterCheck::WriterCheck(const std::string& dir, bool useLeases) {
  const std::string folder = dir.empty() ? "." : dir;
  if (useLeases) {
    ignoreLeaseBreakSignal();
    probeErr_ = probeLease(folder);
    leases_ = probeErr_ == 0;
  } else {
    probeErr_ = EINVAL;
  }
  inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotifyFd_ < 0) {
    watchErr_ = errno;
    return;
  }
  constexpr std::uint32_t kMask = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE;
  if (::inotify_add_watch(inotifyFd_, folder.c_str(), kMask) < 0) {
    watchErr_ = errno;
    ::close(inotifyFd_);
    inotifyFd_ = -1;
  }
}

WriterCheck::~WriterCheck() {
  if (inotifyFd_ >= 0) ::close(inotifyFd_);
}

std::string WriterCheck::describe() const {
  std::string text = "Claimora.run():  Claims still open for writing are found by ";
  const std::string events = "the send folder's close-after-write events";
  if (leases_) {
    text += "a read lease on each claim file; where a lease is refused, by ";
    text += inotifyFd_ >= 0 ? events + "." : "the stillness rule alone.";
    return text;
  }
  const std::string noLease = std::string("no read lease: ") + std::strerror(probeErr_);
  if (inotifyFd_ >= 0) return text + events + " (" + noLease + ").";
  return "Claimora.run():  Claims still open for writing cannot be told (" + noLease +
         ", no folder events: " + std::strerror(watchErr_) + "); claims are taken once they stand still.";
}

WriterCheck::Verdict WriterCheck::check(int fd, const std::string& name) {
  drainEvents();
  if (leases_) {
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) return Verdict::Free;
    if (errno == EAGAIN) return Verdict::Writing;
    // EACCES or EPERM (another owner's file, without the right to lease it), EINVAL: the events decide.
  }
  if (open_.count(name)) return Verdict::Writing;
  // A file that was already open when the watch began shows no event until its next write.
  return Verdict::Unknown;
}

void WriterCheck::drainEvents() {
  if (inotifyFd_ < 0) return;
  alignas(inotify_event) std::array<char, 16384> buffer;
  for (;;) {
    const ssize_t n = ::read(inotifyFd_, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        // Events were lost: what is known no longer holds; later writes are seen again.
        open_.clear();
        continue;
      }
      if (event->len == 0) continue;
      const std::string name(event->name);
      if (event->mask & (IN_CREATE | IN_MODIFY)) {
        open_.insert(name);
      } else {
        open_.erase(name);  // closed after writing, renamed or removed
      }
    }
  }
}
