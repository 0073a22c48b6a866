#include "claim/FileFilter.h"

#include <utility>

FileFilter::FileFilter(std::string ext) : ext_(std::move(ext)) {}

bool FileFilter::accept(std::string_view name) const {
  if (ext_.empty()) return !name.ends_with('.');
  return name.size() > ext_.size() && name.ends_with(ext_) && name[name.size() - ext_.size() - 1] == '.';
}
