// Character classes and simple case mapping of single code points, by the Unicode rules the managed runtime
// applies (a digit is general category Nd; white space excludes the no-break spaces). Stateless; thread-safe.
#pragma once

namespace plat::text {

class Character {
 public:
  Character() = delete;

  static bool isDigit(char32_t c);
  static bool isLetter(char32_t c);
  static bool isLetterOrDigit(char32_t c);
  // The runtime's identifier rules: a letter, a connector such as '_' or a currency sign may start an identifier;
  // those, digits, combining marks and ignorable controls may follow.
  static bool isJavaIdentifierStart(char32_t c);
  static bool isJavaIdentifierPart(char32_t c);
  // U+0009..U+000D, U+001C..U+001F and the space separators except U+00A0, U+2007 and U+202F.
  static bool isWhitespace(char32_t c);
  // Every space separator, no-break spaces included.
  static bool isSpaceChar(char32_t c);
  static bool isUpperCase(char32_t c);
  static bool isLowerCase(char32_t c);
  static char32_t toUpperCase(char32_t c);
  static char32_t toLowerCase(char32_t c);
  // The value of c as a digit in radix (2..36), or -1.
  static int digit(char32_t c, int radix);
};

}  // namespace plat::text
