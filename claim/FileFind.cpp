#include "claim/FileFind.h"

#include <dirent.h>

#include <filesystem>
#include <system_error>

#include "claim/FileFilter.h"

namespace {
std::string toUpper(std::string text) {
  for (char& ch : text) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return text;
}

std::string toLower(std::string text) {
  for (char& ch : text) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> accepted(const std::vector<std::string>& all, const std::string& ext) {
  const FileFilter filter(ext);
  std::vector<std::string> names;
  for (const auto& name : all) {
    if (filter.accept(name)) names.push_back(name);
  }
  return names;
}
}  // namespace

bool FileFind::setDir(const std::string& dir) {
  dir_ = dir;
  names_.clear();
  next_ = 0;
  std::error_code ec;
  return std::filesystem::is_directory(dir_.empty() ? "." : dir_, ec);
}

bool FileFind::getList(const std::string& ext) {
  const std::vector<std::string> all = listNames();
  names_ = accepted(all, ext);
  const std::string upper = toUpper(ext);
  if (upper != ext) names_ = concat(names_, accepted(all, upper));
  const std::string lower = toLower(ext);
  if (lower != ext) names_ = concat(names_, accepted(all, lower));
  next_ = 0;
  return !names_.empty();
}

bool FileFind::getList() {
  names_ = listNames();
  next_ = 0;
  return !names_.empty();
}

std::optional<std::string> FileFind::nextFile() {
  if (next_ >= names_.size()) return std::nullopt;
  return names_[next_++];
}

std::vector<std::string> FileFind::concat(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::string> all(a);
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

std::vector<std::string> FileFind::listNames() const {
  std::vector<std::string> names;
  DIR* dir = ::opendir(dir_.empty() ? "." : dir_.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}
