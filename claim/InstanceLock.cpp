#include "claim/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

bool InstanceLock::acquire(std::string& why) {
  std::error_code ec;
  const std::string folder = std::filesystem::current_path(ec).string();
  // Kept open on purpose: the lock lasts as long as the descriptor, which is the process's life.
  const int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    why = "the working folder " + folder + " cannot be opened: " + std::strerror(errno);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  if (errno != EWOULDBLOCK) {
    // A file system without locks must not keep the program from working there.
    return true;
  }
  ::close(fd);
  why = "another Claimora is already running in " + folder;
  return false;
}
