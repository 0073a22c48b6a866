#include "quenlora/zafoli/db/beans/qbe/CellParser.h"

#include "quenlora/zafoli/db/beans/qbe/ParseException.h"

namespace quenlora::zafoli::db::beans::qbe {

std::string unescapeWildcards(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\\' && i + 1 < value.size()) {
      char next = value[i + 1];
      if (next == '?' || next == '_' || next == '*' || next == '%') {
        out += next;
        ++i;
        continue;
      }
      if (next == '\\') {
        out += "\\\\";
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

CellParser::CellParser(std::u16string_view input, std::string column, Dialect dialect, int engine,
                       const plat::text::ResourceBundle* messages)
    : lexer_(input, dialect, messages),
      column_(std::move(column)),
      dialect_(dialect),
      engine_(engine),
      messages_(messages) {}

const CellToken& CellParser::token(std::size_t ahead) {
  while (tokens_.size() <= current_ + ahead) {
    tokens_.push_back(lexer_.next());
    expected_.push_back(0);
  }
  return tokens_[current_ + ahead];
}

bool CellParser::at(std::size_t ahead, int kind) {
  const CellToken& t = token(ahead);
  expected_[current_ + ahead] |= uint32_t{1} << kind;
  return t.kind == kind;
}

void CellParser::syntaxError(uint32_t dropped) {
  const CellToken& t = token(0);
  uint32_t mask = expected_[current_] & ~dropped;
  if (dialect_ == Dialect::kPeriod) mask &= ~(uint32_t{1} << TokenKind::kNumber);  // cannot be typed there
  std::vector<std::vector<int>> sequences;
  for (int kind = 0; kind < TokenKind::kCount; ++kind)
    if (mask & (uint32_t{1} << kind)) sequences.push_back({kind});
  auto [line, column] = lexer_.positionOf(t.begin);
  ParseException::Encountered encountered{t.kind, lexer_.textOf(t), line, column};
  throw ParseException(ParseException::syntaxError(messages_, encountered, sequences, dialect_));
}

std::string CellParser::parseInput() {
  std::string out;
  out.reserve(64);
  condition(out, 0);
  if (!at(0, TokenKind::kLineFeed)) syntaxError();
  consume();
  return out;
}

void CellParser::condition(std::string& out, int depth) {
  term(out, depth);
  while (at(0, TokenKind::kOr)) {
    consume();
    out += " OR ";
    term(out, depth);
  }
}

void CellParser::term(std::string& out, int depth) {
  factor(out, depth);
  while (at(0, TokenKind::kAnd)) {
    consume();
    out += " AND ";
    factor(out, depth);
  }
}

void CellParser::factor(std::string& out, int depth) {
  if (at(0, TokenKind::kNot)) {
    consume();
    out += " NOT ";
  }
  // A parenthesised test stands without the column; every other test follows the column and a blank.
  if (token(0).kind != TokenKind::kLeftParen) {
    out += column_;
    out += ' ';
  }
  test(out, depth);
}

void CellParser::test(std::string& out, int depth) {
  using namespace TokenKind;
  // The kinds a test can start with, asked for in one place so that a syntax error lists them all.
  bool relop = at(0, kRelop);
  bool equal = at(0, kEqual);
  bool number = at(0, kNumber);
  bool string = at(0, kStringConst);
  bool like = at(0, kLikeSpec);
  bool paren = at(0, kLeftParen);

  if (relop || equal) {
    std::string op = relop ? token(0).value : "=";
    if (at(1, kNumber)) {
      consume();
      out += op + " " + token(0).value;
      consume();
    } else if (at(1, kStringConst)) {
      consume();
      out += op + " '" + unescapeWildcards(token(0).value) + "'";
      consume();
    } else if (equal) {
      consume();
      out += "IS NULL";
    } else {
      consume();
      syntaxError();  // a comparison needs a value
    }
  } else if (number || string) {
    int kind = number ? kNumber : kStringConst;
    if (at(1, kRange)) {
      std::string low = number ? token(0).value : unescapeWildcards(token(0).value);
      consume();
      consume();
      if (!at(0, kind)) syntaxError();
      std::string high = number ? token(0).value : unescapeWildcards(token(0).value);
      consume();
      if (number)
        out += " BETWEEN " + low + " AND " + high;
      else
        out += " BETWEEN '" + low + "' AND '" + high + "'";
    } else {
      if (number)
        out += "= " + token(0).value;
      else
        out += "= '" + unescapeWildcards(token(0).value) + "'";
      consume();
    }
  } else if (like) {
    const std::string& pattern = token(0).value;
    if (engine_ != kEngineWithoutEscape && pattern.find('\\') != std::string::npos)
      out += "LIKE('" + pattern + "') ESCAPE '\\'";
    else
      out += "LIKE '" + unescapeWildcards(pattern) + "'";
    consume();
  } else if (paren) {
    if (depth >= kMaxNesting) syntaxError(uint32_t{1} << kLeftParen);
    consume();
    out += "( ";
    condition(out, depth + 1);
    if (!at(0, kRightParen)) syntaxError();
    consume();
    out += " )";
  } else {
    syntaxError();
  }
}

}  // namespace quenlora::zafoli::db::beans::qbe
