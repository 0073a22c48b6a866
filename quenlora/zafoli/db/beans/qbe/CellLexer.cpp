#include "quenlora/zafoli/db/beans/qbe/CellLexer.h"

#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

bool isAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isOneOf(char16_t c, std::u16string_view set) {
  return set.find(c) != std::u16string_view::npos;
}

// Characters of text values: blank, letters, digits, some punctuation and everything from U+00A1 to U+FFEE.
bool isText(char16_t c) {
  return c == u' ' || isAsciiLetter(c) || isAsciiDigit(c) || isOneOf(c, u"!#$+-./:;@[]^{}~`") ||
         (c >= 0x00A1 && c <= 0xFFEE);
}

// Characters allowed between quotes: the text characters and % & * = ? _ |.
bool isQuoted(char16_t c) {
  return isText(c) || isOneOf(c, u"%&*=?_|");
}

bool isWildcard(char16_t c) {
  return c == u'*' || c == u'?' || c == u'%' || c == u'_';
}

char16_t lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

CellLexer::CellLexer(std::u16string_view input, Dialect dialect, const plat::text::ResourceBundle* messages)
    : input_(input), dialect_(dialect), messages_(messages) {}

std::u16string_view CellLexer::textOf(const CellToken& token) const {
  return input_.substr(token.begin, token.end - token.begin);
}

std::pair<int, int> CellLexer::positionOf(int32_t index) const {
  int line = 1;
  int column = 1;
  std::size_t stop = std::min<std::size_t>(static_cast<std::size_t>(index), input_.size());
  for (std::size_t k = 0; k < stop; ++k) {
    char16_t c = input_[k];
    bool lineBreak = c == u'\n' || (c == u'\r' && !(k + 1 < input_.size() && input_[k + 1] == u'\n'));
    if (lineBreak) {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return {line, column};
}

void CellLexer::lexicalError(std::size_t start, std::size_t failedAt) const {
  bool atEnd = failedAt >= input_.size();
  auto [line, column] = positionOf(static_cast<int32_t>(failedAt));
  char16_t character = atEnd ? u'\0' : input_[failedAt];
  throw TokenMgrError(
      TokenMgrError::lexicalError(messages_, atEnd, line, column, character, input_.substr(start, failedAt - start)));
}

CellToken CellLexer::next() {
  const std::size_t n = input_.size();
  while (!finished_ && pos_ < n && (input_[pos_] == u'\t' || input_[pos_] == u'\r')) ++pos_;
  CellToken token;
  if (finished_ || pos_ >= n) {
    token.kind = TokenKind::kEof;
    token.begin = token.end = static_cast<int32_t>(pos_);
    return token;
  }

  const std::size_t p = pos_;
  const char16_t c = input_[p];
  auto at = [&](std::size_t i) -> char16_t { return i < n ? input_[i] : u'\0'; };

  int bestKind = -1;
  std::size_t bestLength = 0;
  std::size_t failedAt = p;  // where the longest attempt that matched nothing stopped
  // Offered in ascending kind order, so that on equal length the lower kind stays.
  auto offer = [&](int kind, std::size_t length) {
    if (length > bestLength) {
      bestKind = kind;
      bestLength = length;
    }
  };
  auto keyword = [&](char16_t symbol, std::u16string_view word) -> std::size_t {
    std::size_t j = p;
    while (at(j) == u' ') ++j;
    if (at(j) == symbol) {
      ++j;
    } else {
      for (char16_t w : word) {
        if (lower(at(j)) != w) return 0;
        ++j;
      }
    }
    while (at(j) == u' ') ++j;
    return j - p;
  };

  if (c == u'<') offer(TokenKind::kRelop, at(p + 1) == u'=' || at(p + 1) == u'>' ? 2 : 1);
  if (c == u'>') offer(TokenKind::kRelop, at(p + 1) == u'=' ? 2 : 1);
  if (c == u'!' && at(p + 1) == u'=') offer(TokenKind::kRelop, 2);
  if (c == u'=') offer(TokenKind::kEqual, 1);
  if (c == u'.' && at(p + 1) == u'.') offer(TokenKind::kRange, 2);
  if (c == u'!' || c == u'/') offer(TokenKind::kNot, 1);
  if (c == u'\\') offer(TokenKind::kEscape, 1);
  offer(TokenKind::kAnd, keyword(u'&', u"and"));
  offer(TokenKind::kOr, keyword(u'|', u"or"));

  bool quoted = c == u'\'' || c == u'"';
  std::size_t likeLength = 0;
  if (quoted) {
    std::size_t j = p + 1;
    while (j < n && input_[j] != c && isQuoted(input_[j])) ++j;
    if (j < n && input_[j] == c)
      offer(TokenKind::kStringConst, j + 1 - p);
    else
      failedAt = std::max(failedAt, j);
  } else {
    std::size_t j = p;
    std::size_t textEnd = 0;
    bool wildcard = false;
    while (j < n) {
      char16_t d = input_[j];
      if (isText(d)) {
        ++j;
      } else if (d == u'\\' && isWildcard(at(j + 1))) {
        j += 2;
      } else if (isWildcard(d)) {
        if (!wildcard) textEnd = j;
        wildcard = true;
        ++j;
      } else {
        break;
      }
    }
    offer(TokenKind::kStringConst, (wildcard ? textEnd : j) - p);
    if (wildcard) likeLength = j - p;
  }
  offer(TokenKind::kLikeSpec, likeLength);

  if (dialect_ == Dialect::kComma) {
    // -?[0-9]*,[0-9]+([eE][+-]?[0-9]+)?
    std::size_t j = p;
    if (at(j) == u'-') ++j;
    while (isAsciiDigit(at(j))) ++j;
    if (at(j) == u',') {
      ++j;
      if (!isAsciiDigit(at(j))) {
        failedAt = std::max(failedAt, j);
      } else {
        while (isAsciiDigit(at(j))) ++j;
        if (at(j) == u'e' || at(j) == u'E') {
          std::size_t k = j + 1;
          if (at(k) == u'+' || at(k) == u'-') ++k;
          if (isAsciiDigit(at(k))) {
            while (isAsciiDigit(at(k))) ++k;
            j = k;
          }
        }
        offer(TokenKind::kNumber, j - p);
      }
    }
  }

  if (c == u'\n') offer(TokenKind::kLineFeed, 1);
  if (c == u'(') offer(TokenKind::kLeftParen, 1);
  if (c == u')') offer(TokenKind::kRightParen, 1);

  if (bestLength == 0) lexicalError(p, failedAt);

  token.kind = bestKind;
  token.begin = static_cast<int32_t>(p);
  token.end = static_cast<int32_t>(p + bestLength);
  std::u16string_view raw = input_.substr(p, bestLength);
  pos_ = p + bestLength;

  switch (bestKind) {
    case TokenKind::kRelop:
      token.value = raw == u"!=" ? "<>" : plat::text::utf16::toUtf8(raw);
      break;
    case TokenKind::kStringConst:
      token.value = plat::text::utf16::toUtf8(quoted ? raw.substr(1, raw.size() - 2) : raw);
      break;
    case TokenKind::kLikeSpec: {
      std::u16string pattern;
      pattern.reserve(raw.size());
      for (std::size_t k = 0; k < raw.size(); ++k) {
        char16_t d = raw[k];
        if (d == u'\\' && k + 1 < raw.size() && isWildcard(raw[k + 1])) {
          pattern += d;
          pattern += raw[++k];
        } else {
          pattern += d == u'*' ? u'%' : d == u'?' ? u'_' : d;
        }
      }
      token.value = plat::text::utf16::toUtf8(pattern);
      break;
    }
    case TokenKind::kNumber:
      token.value = plat::text::utf16::toUtf8(raw);
      for (char& d : token.value)
        if (d == ',') d = '.';
      break;
    case TokenKind::kLineFeed:
      finished_ = true;
      break;
    default:
      break;
  }
  return token;
}

}  // namespace quenlora::zafoli::db::beans::qbe
