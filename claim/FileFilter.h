// Accepts file names by their extension: names ending in "." and the extension (case-sensitive), or, for an empty
// extension, names that do not end in ".". Immutable; callable from any thread.
#pragma once

#include <string>
#include <string_view>

class FileFilter {
 public:
  explicit FileFilter(std::string ext);

  bool accept(std::string_view name) const;

 private:
  std::string ext_;
};
