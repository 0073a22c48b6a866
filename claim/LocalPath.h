// Maps the directory texts of the settings, written with '\' as separator (the default is "working\"), onto this
// platform's paths. Stateless; callable from any thread.
#pragma once

#include <string>

class LocalPath {
 public:
  LocalPath() = delete;

  // The directory that `text` names: as written when such a directory exists, else with every '\' read as '/'.
  static std::string directory(const std::string& text);
  // True when `text`, as written or with '\' read as '/', names an existing directory.
  static bool isDirectory(const std::string& text);
  // A file `name` inside directory `dir` (an empty dir is the working directory).
  static std::string join(const std::string& dir, const std::string& name);
};
