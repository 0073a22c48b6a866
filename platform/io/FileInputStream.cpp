#include "platform/io/FileInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/io/File.h"
#include "platform/io/IOException.h"

namespace plat::io {

FileInputStream::FileInputStream(const std::string& path) : path_(path) {
  do {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) throw FileNotFoundException(path + " (" + std::strerror(errno) + ")");
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw FileNotFoundException(path + " (Is a directory)");
  }
}

FileInputStream::FileInputStream(const File& file) : FileInputStream(file.getPath()) {}

FileInputStream::~FileInputStream() {
  try {
    close();
  } catch (...) {
  }
}

int FileInputStream::read() {
  std::uint8_t b = 0;
  const int got = read(&b, 1);
  return got <= 0 ? -1 : b;
}

int FileInputStream::read(std::uint8_t* buf, std::size_t len) {
  if (fd_ < 0) throw IOException("Stream Closed");
  if (len == 0) return 0;
  len = std::min(len, static_cast<std::size_t>(INT_MAX));
  ssize_t got;
  do {
    got = ::read(fd_, buf, len);
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw IOException(path_ + ": " + std::strerror(errno));
  return got == 0 ? -1 : static_cast<int>(got);
}

std::int64_t FileInputStream::skip(std::int64_t n) {
  if (fd_ < 0) throw IOException("Stream Closed");
  if (n <= 0) return 0;
  const off_t here = ::lseek(fd_, 0, SEEK_CUR);
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (here < 0 || end < 0) return InputStream::skip(n);
  const off_t target = here + static_cast<off_t>(std::min<std::int64_t>(n, std::max<off_t>(end - here, 0)));
  if (::lseek(fd_, target, SEEK_SET) < 0) throw IOException(path_ + ": " + std::strerror(errno));
  return target - here;
}

int FileInputStream::available() {
  if (fd_ < 0) throw IOException("Stream Closed");
  const off_t here = ::lseek(fd_, 0, SEEK_CUR);
  struct stat st {};
  if (here < 0 || ::fstat(fd_, &st) != 0 || st.st_size <= here) return 0;
  return static_cast<int>(std::min<off_t>(st.st_size - here, INT_MAX));
}

void FileInputStream::close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  ::close(fd);  // a read-only descriptor loses nothing when its close fails
}

}  // namespace plat::io
