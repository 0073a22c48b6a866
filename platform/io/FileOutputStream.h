// Output stream into a file of the file system, created or truncated, or appended to with the append flag. A file
// that cannot be opened throws FileNotFoundException; the file is closed by close() or the destructor. Used by one
// thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/io/OutputStream.h"

namespace plat::io {

class File;

class FileOutputStream : public OutputStream {
 public:
  explicit FileOutputStream(const std::string& path, bool append = false);
  explicit FileOutputStream(const File& file, bool append = false);
  ~FileOutputStream() override;

  using OutputStream::write;
  void write(int b) override;
  void write(const std::uint8_t* buf, std::size_t len) override;
  // Data goes straight to the file descriptor, so flush() has nothing to pass on; sync() forces it to the disk.
  void sync();
  void close() override;

 private:
  std::string path_;
  int fd_ = -1;  // owned; -1 once closed
};

}  // namespace plat::io
