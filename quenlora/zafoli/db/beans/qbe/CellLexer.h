// The token reader of the cell language: at each position the longest token that can start there, the lower
// kind on a tie; tab and carriage return between tokens are skipped; nothing after the first line feed is read.
// One lexer reads one cell for one parser; not shared between threads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/text/ResourceBundle.h"
#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"

namespace quenlora::zafoli::db::beans::qbe {

struct CellToken {
  int kind = TokenKind::kEof;
  int32_t begin = 0;  // index of the first UTF-16 unit in the cell
  int32_t end = 0;    // one past the last unit
  std::string value;  // UTF-8; quotes dropped, "!=" as "<>", wildcards as % and _, the number's comma as "."
};

class CellLexer {
 public:
  // input must outlive the lexer; messages may be null (English frames then).
  CellLexer(std::u16string_view input, Dialect dialect, const plat::text::ResourceBundle* messages);
  CellLexer(const CellLexer&) = delete;
  CellLexer& operator=(const CellLexer&) = delete;

  // The next token; TokenMgrError when the text at the current position starts no token.
  CellToken next();

  // Line and column, both from 1, of the unit at index (or of the end of the input).
  std::pair<int, int> positionOf(int32_t index) const;
  std::u16string_view textOf(const CellToken& token) const;

 private:
  [[noreturn]] void lexicalError(std::size_t start, std::size_t failedAt) const;

  std::u16string_view input_;
  Dialect dialect_;
  const plat::text::ResourceBundle* messages_;  // not owned
  std::size_t pos_ = 0;
  bool finished_ = false;  // the line feed that ends the cell was read
};

}  // namespace quenlora::zafoli::db::beans::qbe
