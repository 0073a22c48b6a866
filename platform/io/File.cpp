#include "platform/io/File.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace plat::io {

namespace fs = std::filesystem;

namespace {

// The runtime's normal form of a path: no doubled separators and no trailing one (a root stays "/").
std::string normalized(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string joined(const std::string& parent, const std::string& child) {
  if (parent.empty()) return normalized("/" + child);
  return normalized(parent + "/" + child);
}

}  // namespace

File::File(std::string path) : path_(normalized(path)) {}

File::File(const std::string& parent, const std::string& child) : path_(joined(parent, child)) {}

File::File(const File& parent, const std::string& child) : path_(joined(parent.path_, child)) {}

std::string File::getName() const {
  const auto slash = path_.rfind('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

bool File::hasParent() const {
  const auto slash = path_.rfind('/');
  return slash != std::string::npos && !(slash == 0 && path_.size() == 1);
}

std::string File::getParent() const {
  const auto slash = path_.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return path_.size() > 1 ? "/" : std::string();
  return path_.substr(0, slash);
}

std::string File::getAbsolutePath() const {
  if (!path_.empty() && path_[0] == '/') return path_;
  return joined(currentDirectory(), path_);
}

bool File::exists() const {
  std::error_code ec;
  return fs::exists(path_, ec);
}

bool File::isDirectory() const {
  std::error_code ec;
  return fs::is_directory(path_, ec);
}

bool File::isFile() const {
  std::error_code ec;
  return fs::is_regular_file(path_, ec);
}

bool File::canRead() const {
  return !path_.empty() && ::access(path_.c_str(), R_OK) == 0;
}

bool File::canWrite() const {
  return !path_.empty() && ::access(path_.c_str(), W_OK) == 0;
}

std::int64_t File::length() const {
  std::error_code ec;
  const auto size = fs::file_size(path_, ec);
  return ec ? 0 : static_cast<std::int64_t>(size);
}

std::int64_t File::lastModified() const {
  struct stat st {};
  if (path_.empty() || ::stat(path_.c_str(), &st) != 0) return 0;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000;
}

bool File::remove() const {
  std::error_code ec;
  return !path_.empty() && fs::remove(path_, ec) && !ec;
}

bool File::renameTo(const File& dest) const {
  std::error_code ec;
  if (path_.empty() || dest.path_.empty()) return false;
  fs::rename(path_, dest.path_, ec);
  return !ec;
}

bool File::mkdir() const {
  std::error_code ec;
  return !path_.empty() && fs::create_directory(path_, ec) && !ec;
}

bool File::mkdirs() const {
  std::error_code ec;
  if (path_.empty() || exists()) return false;
  return fs::create_directories(path_, ec) && !ec;
}

std::vector<std::string> File::list() const {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(path_.empty() ? std::string(".") : path_, ec);
  if (ec || path_.empty()) return names;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    names.push_back(it->path().filename().string());
  }
  return names;
}

std::string currentDirectory() {
  std::error_code ec;
  const auto dir = fs::current_path(ec);
  return ec ? std::string(".") : dir.string();
}

}  // namespace plat::io
