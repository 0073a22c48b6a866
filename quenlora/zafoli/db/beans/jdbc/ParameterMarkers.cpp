#include "quenlora/zafoli/db/beans/jdbc/ParameterMarkers.h"

namespace quenlora::zafoli::db::beans::jdbc {

std::vector<std::size_t> ParameterMarkers::find(const std::string& sql) {
  std::vector<std::size_t> markers;
  const std::size_t n = sql.size();
  std::size_t i = 0;
  while (i < n) {
    const char c = sql[i];
    if (c == '\'' || c == '"') {
      // A doubled quote inside stays inside; an unclosed quote runs to the end.
      ++i;
      while (i < n) {
        if (sql[i] == c) {
          if (i + 1 < n && sql[i + 1] == c) {
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
      ++i;
    } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      i = sql.find('\n', i);
      if (i == std::string::npos) break;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      i = sql.find("*/", i + 2);
      if (i == std::string::npos) break;
      i += 2;
    } else {
      if (c == '?') markers.push_back(i);
      ++i;
    }
  }
  return markers;
}

std::string ParameterMarkers::replace(const std::string& sql, const std::function<std::string(int)>& replacement) {
  std::string out;
  out.reserve(sql.size());
  std::size_t from = 0;
  int number = 0;
  for (std::size_t at : find(sql)) {
    out.append(sql, from, at - from);
    out += replacement(++number);
    from = at + 1;
  }
  out.append(sql, from, std::string::npos);
  return out;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
