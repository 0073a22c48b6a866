// Lists the names in one directory, in the directory's own order, and hands them out one at a time. Used by the
// worker thread only; not for use by several threads at once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class FileFind {
 public:
  FileFind() = default;
  FileFind(const FileFind&) = delete;
  FileFind& operator=(const FileFind&) = delete;

  // Remembers the directory; true when it exists.
  bool setDir(const std::string& dir);
  const std::string& getDir() const { return dir_; }

  // Lists the names ending in "." + ext, then those ending in the upper-case and the lower-case extension where
  // they differ from it; true when at least one was found. nextFile starts again at the first name.
  bool getList(const std::string& ext);
  // Lists every name of the directory; true when there is any.
  bool getList();
  // The next listed name, or nothing once all were handed out.
  std::optional<std::string> nextFile();

  // a followed by b.
  static std::vector<std::string> concat(const std::vector<std::string>& a, const std::vector<std::string>& b);

 private:
  std::vector<std::string> listNames() const;

  std::string dir_;
  std::vector<std::string> names_;
  std::size_t next_ = 0;  // index of the name nextFile hands out, at most names_.size()
};
