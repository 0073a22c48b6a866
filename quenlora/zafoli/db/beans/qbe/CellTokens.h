// The token kinds of the query-by-example cell language, their images as error messages show them, the two
// lexical dialects, and the escaping of text inside error messages. Constant data; safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace quenlora::zafoli::db::beans::qbe {

// The period dialect writes no decimal numbers; the comma dialect adds the comma decimal number token.
enum class Dialect { kPeriod, kComma };

namespace TokenKind {
constexpr int kEof = 0;
constexpr int kTab = 1;
constexpr int kReturn = 2;
constexpr int kRelop = 3;
constexpr int kEqual = 4;
constexpr int kRange = 5;
constexpr int kNot = 6;
constexpr int kEscape = 7;
constexpr int kAnd = 8;
constexpr int kOr = 9;
constexpr int kStringConst = 10;
constexpr int kLikeSpec = 11;
constexpr int kQString = 12;
constexpr int kDate = 13;
constexpr int kTime = 14;
constexpr int kNumber = 15;
// 16 to 28 name building blocks of the token patterns; no input becomes one of them.
constexpr int kDecimalSep = 25;
constexpr int kLineFeed = 29;
constexpr int kLeftParen = 30;
constexpr int kRightParen = 31;
constexpr int kCount = 32;
}  // namespace TokenKind

// The image of a kind in the dialect: "<RELOP>", "\"=\"", "\"\\n\"" (the escaped line feed in quotes) ...
const std::string& tokenImage(int kind, Dialect dialect);

// Text made printable for a message: backspace, tab, line feed, form feed and return as \b \t \n \f \r; the double
// quote, apostrophe and backslash preceded by a backslash; any other unit outside U+0020..U+007E as \uXXXX;
// U+0000 dropped. Works on UTF-16 units.
std::string addEscapes(std::u16string_view text);

}  // namespace quenlora::zafoli::db::beans::qbe
