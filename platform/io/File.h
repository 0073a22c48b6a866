// A path of the file system and the few queries and changes callers make on it, as the runtime's File answers
// them: failures are reported as false, 0 or an empty result, never thrown. A copyable value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::io {

class File {
 public:
  explicit File(std::string path);
  File(const std::string& parent, const std::string& child);
  File(const File& parent, const std::string& child);

  const std::string& getPath() const { return path_; }
  // The last name of the path ("" for a root).
  std::string getName() const;
  // The path without its last name; empty when there is none (see hasParent()).
  std::string getParent() const;
  bool hasParent() const;
  std::string getAbsolutePath() const;

  bool exists() const;
  bool isDirectory() const;
  bool isFile() const;
  bool canRead() const;
  bool canWrite() const;
  // Size in bytes; 0 when the file does not exist or is no regular file.
  std::int64_t length() const;
  // Milliseconds since the epoch of the last change; 0 when unknown.
  std::int64_t lastModified() const;

  // Deletes a file or an empty directory.
  bool remove() const;
  bool renameTo(const File& dest) const;
  bool mkdir() const;
  bool mkdirs() const;
  // Names of the directory's entries in the order of the directory; empty when it is no directory or cannot be read.
  std::vector<std::string> list() const;

  std::string toString() const { return path_; }
  friend bool operator==(const File&, const File&) = default;

 private:
  std::string path_;
};

// The process's working directory.
std::string currentDirectory();

}  // namespace plat::io
