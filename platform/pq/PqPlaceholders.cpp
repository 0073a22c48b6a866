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

// The end of an escape string constant E'...' whose quote is at start: a backslash keeps the next character
// inside, a doubled quote too.
std::size_t endOfEscaped(const std::string& sql, std::size_t start) {
  std::size_t i = start + 1;
  while (i < sql.size()) {
    if (sql[i] == '\\') {
      i += 2;
    } else if (sql[i] == '\'') {
      if (i + 1 < sql.size() && sql[i + 1] == '\'') {
        i += 2;
        continue;
      }
      return i + 1;
    } else {
      ++i;
    }
  }
  return sql.size();
}

bool isWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

// Whether the quote at i opens an escape string: an E (or e) right before it that starts a word.
bool opensEscapeString(const std::string& sql, std::size_t i) {
  return i >= 1 && (sql[i - 1] == 'E' || sql[i - 1] == 'e') && (i < 2 || !isWordCharacter(sql[i - 2]));
}

// The end of the run starting at i that is not SQL code (quoted text, a quoted name, a comment, dollar-quoted
// text), or i when the character at i is code.
std::size_t endOfNonCode(const std::string& sql, std::size_t i) {
  char c = sql[i];
  if (c == '\'') return opensEscapeString(sql, i) ? endOfEscaped(sql, i) : endOfQuoted(sql, i, c);
  if (c == '"') return endOfQuoted(sql, i, c);
  if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
    std::size_t end = sql.find('\n', i);
    return end == std::string::npos ? sql.size() : end;
  }
  if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
    // Block comments nest on this server.
    int depth = 0;
    std::size_t end = i;
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
    return end;
  }
  if (c == '$' && (i == 0 || !isWordCharacter(sql[i - 1]))) {
    std::string tag = dollarTag(sql, i);
    if (!tag.empty()) {
      std::size_t close = sql.find(tag, i + tag.size());
      return close == std::string::npos ? sql.size() : close + tag.size();
    }
  }
  return i;
}

}  // namespace

bool readsAsCursor(const std::string& sql) {
  // The code alone, lower case, with every quoted run and comment a blank.
  std::string code;
  code.reserve(sql.size());
  for (std::size_t i = 0; i < sql.size();) {
    std::size_t end = endOfNonCode(sql, i);
    if (end > i) {
      code += ' ';
      i = end;
    } else {
      code += static_cast<char>(std::tolower(static_cast<unsigned char>(sql[i++])));
    }
  }
  std::size_t first = code.find_first_not_of(" \t\r\n(");
  if (first == std::string::npos) return false;
  std::size_t wordEnd = first;
  while (wordEnd < code.size() && isWordCharacter(code[wordEnd])) ++wordEnd;
  const std::string word = code.substr(first, wordEnd - first);
  if (word != "select" && word != "values" && word != "table") return false;
  // One statement only: nothing but blanks and semicolons after the first semicolon.
  std::size_t semicolon = code.find(';');
  if (semicolon != std::string::npos && code.find_first_not_of(" \t\r\n;", semicolon) != std::string::npos)
    return false;
  // SELECT ... INTO makes a table, which a cursor cannot.
  for (std::size_t at = code.find("into"); at != std::string::npos; at = code.find("into", at + 4)) {
    const bool starts = at == 0 || !isWordCharacter(code[at - 1]);
    const bool ends = at + 4 >= code.size() || !isWordCharacter(code[at + 4]);
    if (starts && ends) return false;
  }
  return true;
}

NumberedSql numberPlaceholders(const std::string& sql) {
  NumberedSql out;
  out.text.reserve(sql.size() + 8);
  std::size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    std::size_t end = i + 1;
    if (std::size_t skipped = endOfNonCode(sql, i); skipped > i) {
      end = skipped;
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
