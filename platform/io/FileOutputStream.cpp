#include "platform/io/FileOutputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/io/File.h"
#include "platform/io/IOException.h"

namespace plat::io {

namespace {

constexpr mode_t kCreateMode = 0666;  // narrowed by the process's umask

}  // namespace

FileOutputStream::FileOutputStream(const std::string& path, bool append) : path_(path) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  do {
    fd_ = ::open(path.c_str(), flags, kCreateMode);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) throw FileNotFoundException(path + " (" + std::strerror(errno) + ")");
}

FileOutputStream::FileOutputStream(const File& file, bool append) : FileOutputStream(file.getPath(), append) {}

FileOutputStream::~FileOutputStream() {
  try {
    close();
  } catch (...) {
  }
}

void FileOutputStream::write(int b) {
  const auto byte = static_cast<std::uint8_t>(b);
  write(&byte, 1);
}

void FileOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  if (fd_ < 0) throw IOException("Stream Closed");
  // A short write is continued until every byte is out: nothing is silently dropped.
  while (len > 0) {
    const ssize_t n = ::write(fd_, buf, len);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw IOException(path_ + ": " + std::strerror(errno));
    }
    buf += n;
    len -= static_cast<std::size_t>(n);
  }
}

void FileOutputStream::sync() {
  if (fd_ < 0) throw IOException("Stream Closed");
  if (::fsync(fd_) != 0) throw IOException(path_ + ": " + std::strerror(errno));
}

void FileOutputStream::close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  // A failing close can mean data did not reach the file (full disk on a network file system): report it.
  if (::close(fd) != 0 && errno != EINTR) throw IOException(path_ + ": " + std::strerror(errno));
}

}  // namespace plat::io
