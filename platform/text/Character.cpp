#include "platform/text/Character.h"

#include <unicode/uchar.h>

namespace plat::text {

namespace {
UChar32 icu(char32_t c) {
  return static_cast<UChar32>(c);
}
}  // namespace

bool Character::isDigit(char32_t c) {
  return u_isdigit(icu(c));
}
bool Character::isLetter(char32_t c) {
  return u_isalpha(icu(c));
}
bool Character::isJavaIdentifierStart(char32_t c) {
  return u_isJavaIDStart(icu(c));
}
bool Character::isJavaIdentifierPart(char32_t c) {
  return u_isJavaIDPart(icu(c));
}
bool Character::isLetterOrDigit(char32_t c) {
  return u_isalpha(icu(c)) || u_isdigit(icu(c));
}
bool Character::isWhitespace(char32_t c) {
  return u_isWhitespace(icu(c));
}
bool Character::isSpaceChar(char32_t c) {
  return u_isJavaSpaceChar(icu(c));
}
bool Character::isUpperCase(char32_t c) {
  return u_isUUppercase(icu(c));
}
bool Character::isLowerCase(char32_t c) {
  return u_isULowercase(icu(c));
}
char32_t Character::toUpperCase(char32_t c) {
  return static_cast<char32_t>(u_toupper(icu(c)));
}
char32_t Character::toLowerCase(char32_t c) {
  return static_cast<char32_t>(u_tolower(icu(c)));
}
int Character::digit(char32_t c, int radix) {
  return u_digit(icu(c), static_cast<int8_t>(radix));
}

}  // namespace plat::text
