#include "platform/pq/PqPlaceholders.h"

#include <cctype>

namespace plat::sql::pq {

namespace {

// The end of a quoted run opened at start by quote (a doubled quote stays inside).
std::size_t endOfQuoted(const std::string& sql, std::size_t start, char quote) {
  std::size_t i = start + 1;
  while (i < sql.size()) {
    if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return sql.size();
}

// The dollar-quote tag ("$$" or "$tag$") starting at start, or empty when there is none.
std::string dollarTag(const std::string& sql, std::size_t start) {
  std::size_t i = start + 1;
  while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_')) ++i;
  if (i < sql.size() && sql[i] == '$' &&
      (i == start + 1 || !std::isdigit(static_cast<unsigned char>(sql[start + 1])))) {
    return sql.substr(start, i - start + 1);
  }
  return "";
}

}  // namespace

NumberedSql numberPlaceholders(const std::string& sql) {
  NumberedSql out;
  out.text.reserve(sql.size() + 8);
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    std::size_t end = i + 1;
    if (c == '\'' || c == '"') {
      end = endOfQuoted(sql, i, c);
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      end = sql.find('\n', i);
      end = end == std::string::npos ? sql.size() : end;
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      // Block comments nest on this server.
      int depth = 0;
      end = i;
      while (end < sql.size()) {
        if (sql.compare(end, 2, "/*") == 0) {
          ++depth;
          end += 2;
        } else if (sql.compare(end, 2, "*/") == 0) {
          end += 2;
          if (--depth == 0) break;
        } else {
          ++end;
        }
      }
    } else if (c == '$') {
      std::string tag = dollarTag(sql, i);
      if (!tag.empty()) {
        std::size_t close = sql.find(tag, i + tag.size());
        end = close == std::string::npos ? sql.size() : close + tag.size();
      }
    } else if (c == '?') {
      out.text += '$' + std::to_string(++out.parameters);
      i = end;
      continue;
    }
    out.text.append(sql, i, end - i);
    i = end;
  }
  return out;
}

}  // namespace plat::sql::pq
