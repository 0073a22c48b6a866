// The parser of one query-by-example cell: decides with two tokens of lookahead and builds the SQL condition on
// the column as it goes. Grammar: Input = Condition "\n"; Condition = Term (OR Term)*; Term = Factor (AND
// Factor)*; Factor = [NOT] Test; Test = comparison, equality, IS NULL, range, value, pattern or "(" Condition ")".
// Parentheses nest at most kMaxNesting deep. One parser per translation; not shared between threads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/ResourceBundle.h"
#include "quenlora/zafoli/db/beans/qbe/CellLexer.h"
#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"

namespace quenlora::zafoli::db::beans::qbe {

class CellParser {
 public:
  static constexpr int kMaxNesting = 256;
  // The engine code that keeps wildcard patterns out of the ESCAPE form.
  static constexpr int kEngineWithoutEscape = 2;

  // input is the cell text with its line feed; messages may be null (English frames then).
  CellParser(std::u16string_view input, std::string column, Dialect dialect, int engine,
             const plat::text::ResourceBundle* messages);
  CellParser(const CellParser&) = delete;
  CellParser& operator=(const CellParser&) = delete;

  // The condition; ParseException on a syntax error, TokenMgrError on a lexical one.
  std::string parseInput();

 private:
  const CellToken& token(std::size_t ahead);
  // Whether the token ahead is of kind; remembers kind as expected at that token either way.
  bool at(std::size_t ahead, int kind);
  void consume() { ++current_; }
  [[noreturn]] void syntaxError(uint32_t dropped = 0);

  void condition(std::string& out, int depth);
  void term(std::string& out, int depth);
  void factor(std::string& out, int depth);
  void test(std::string& out, int depth);

  CellLexer lexer_;
  std::string column_;
  Dialect dialect_;
  int engine_;
  const plat::text::ResourceBundle* messages_;  // not owned
  std::vector<CellToken> tokens_;               // read so far
  std::vector<uint32_t> expected_;              // per token read: bit k set when kind k was asked for there
  std::size_t current_ = 0;                     // the first token not consumed
};

// Removes the backslash of each escaped wildcard (\? \_ \* \%) in a value; a doubled backslash stays whole.
std::string unescapeWildcards(std::string_view value);

}  // namespace quenlora::zafoli::db::beans::qbe
