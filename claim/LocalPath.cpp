#include "claim/LocalPath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
bool existingDirectory(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

std::string slashed(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}
}  // namespace

std::string LocalPath::directory(const std::string& text) {
  if (existingDirectory(text)) return text;
  return slashed(text);
}

bool LocalPath::isDirectory(const std::string& text) {
  return existingDirectory(text) || existingDirectory(slashed(text));
}

std::string LocalPath::join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}
