#include "platform/time/EscapeParser.h"

#include "platform/lang/Exceptions.h"

namespace plat::time::detail {

void EscapeParser::fail() const {
  if (message_.empty()) throw plat::lang::IllegalArgumentException();
  throw plat::lang::IllegalArgumentException(message_);
}

int EscapeParser::number(int minDigits, int maxDigits) {
  int digits = 0;
  return number(minDigits, maxDigits, digits);
}

int EscapeParser::number(int minDigits, int maxDigits, int& digits) {
  int value = 0;
  digits = 0;
  while (pos_ < text_.size() && digits < maxDigits && text_[pos_] >= '0' && text_[pos_] <= '9') {
    value = value * 10 + (text_[pos_] - '0');
    ++pos_;
    ++digits;
  }
  if (digits < minDigits) fail();
  return value;
}

void EscapeParser::expect(char c) {
  if (!accept(c)) fail();
}

bool EscapeParser::accept(char c) {
  if (pos_ < text_.size() && text_[pos_] == c) {
    ++pos_;
    return true;
  }
  return false;
}

}  // namespace plat::time::detail
