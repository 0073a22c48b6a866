// Input stream over a file of the file system. Opening a missing or unreadable file throws FileNotFoundException;
// the file is closed by close() or the destructor. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/io/InputStream.h"

namespace plat::io {

class File;

class FileInputStream : public InputStream {
 public:
  explicit FileInputStream(const std::string& path);
  explicit FileInputStream(const File& file);
  ~FileInputStream() override;

  using InputStream::read;
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  std::int64_t skip(std::int64_t n) override;
  int available() override;
  void close() override;

 private:
  std::string path_;
  int fd_ = -1;  // owned; -1 once closed
};

}  // namespace plat::io
