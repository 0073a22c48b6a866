// Finds the parameter markers of an SQL text: the '?' characters that stand outside quoted text ('...' with ''
// inside, "..." identifiers) and outside comments (-- to the end of the line, /* ... */). A '?' inside a literal is
// data, not a marker, so counting and replacing look only at these. Stateless; thread-safe.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quenlora::zafoli::db::beans::jdbc {

class ParameterMarkers {
 public:
  ParameterMarkers() = delete;

  // The byte offsets of the markers, in order.
  static std::vector<std::size_t> find(const std::string& sql);
  static int count(const std::string& sql) { return static_cast<int>(find(sql).size()); }
  // sql with the n-th marker (n from 1) replaced by replacement(n); every other character as it was.
  static std::string replace(const std::string& sql, const std::function<std::string(int)>& replacement);
};

}  // namespace quenlora::zafoli::db::beans::jdbc
