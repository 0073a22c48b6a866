#include "platform/lang/Integer.h"

#include <array>
#include <limits>

#include "platform/lang/Exceptions.h"

namespace plat::lang {

namespace {

// The zero of every decimal digit block of the basic plane; each block holds the digits 0 to 9 in order.
constexpr std::array<char16_t, 37> kDigitZeros = {
    0x0030, 0x0660, 0x06F0, 0x07C0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0BE6, 0x0C66, 0x0CE6, 0x0D66,
    0x0DE6, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x1090, 0x17E0, 0x1810, 0x1946, 0x19D0, 0x1A80, 0x1A90, 0x1B50,
    0x1BB0, 0x1C40, 0x1C50, 0xA620, 0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50, 0xABF0, 0xFF10,
};

constexpr char kDigitChars[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// Decodes one UTF-8 sequence at pos; malformed input gives U+FFFD, which is no digit, and consumes one byte.
char32_t nextCodePoint(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + length > text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < length; ++i) {
    const unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += length;
  return cp;
}

[[noreturn]] void badInput(std::string_view text) {
  throw NumberFormatException("For input string: \"" + std::string(text) + "\"");
}

void checkRadix(int radix) {
  if (radix < Integer::MIN_RADIX) {
    throw NumberFormatException("radix " + std::to_string(radix) + " less than Character.MIN_RADIX");
  }
  if (radix > Integer::MAX_RADIX) {
    throw NumberFormatException("radix " + std::to_string(radix) + " greater than Character.MAX_RADIX");
  }
}

// Accumulates negatively, as the runtime does, so that MIN_VALUE needs no special case.
template <class Int>
Int parseSigned(std::string_view text, int radix) {
  checkRadix(radix);
  if (text.empty()) badInput(text);
  bool negative = false;
  Int limit = -std::numeric_limits<Int>::max();
  size_t pos = 0;
  if (text[0] == '-' || text[0] == '+') {
    if (text[0] == '-') {
      negative = true;
      limit = std::numeric_limits<Int>::min();
    }
    if (text.size() == 1) badInput(text);
    pos = 1;
  }
  const Int multmin = limit / radix;
  Int result = 0;
  while (pos < text.size()) {
    const int d = Integer::nextDigit(text, pos, radix);
    if (d < 0 || result < multmin) badInput(text);
    result *= radix;
    if (result < limit + d) badInput(text);
    result -= d;
  }
  return negative ? result : -result;
}

template <class Int>
std::string formatSigned(Int value, int radix) {
  if (radix < Integer::MIN_RADIX || radix > Integer::MAX_RADIX) radix = 10;
  // Digits are taken from the negative value, whose magnitude always fits.
  char buffer[72];
  char* end = buffer + sizeof buffer;
  char* p = end;
  Int v = value < 0 ? value : -value;
  do {
    *--p = kDigitChars[-(v % radix)];
    v /= radix;
  } while (v != 0);
  if (value < 0) *--p = '-';
  return std::string(p, end);
}

template <class UInt>
std::string formatHex(UInt value) {
  char buffer[20];
  char* end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = kDigitChars[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return std::string(p, end);
}

}  // namespace

int Integer::digit(char32_t codePoint, int radix) {
  if (radix < MIN_RADIX || radix > MAX_RADIX) return -1;
  int value = -1;
  if (codePoint >= 'a' && codePoint <= 'z') {
    value = static_cast<int>(codePoint - 'a') + 10;
  } else if (codePoint >= 'A' && codePoint <= 'Z') {
    value = static_cast<int>(codePoint - 'A') + 10;
  } else if (codePoint >= 0xFF21 && codePoint <= 0xFF3A) {  // full-width Latin capitals
    value = static_cast<int>(codePoint - 0xFF21) + 10;
  } else if (codePoint >= 0xFF41 && codePoint <= 0xFF5A) {  // full-width Latin small letters
    value = static_cast<int>(codePoint - 0xFF41) + 10;
  } else {
    for (char16_t zero : kDigitZeros) {
      if (codePoint >= zero && codePoint < static_cast<char32_t>(zero) + 10) {
        value = static_cast<int>(codePoint - zero);
        break;
      }
    }
  }
  return value < radix ? value : -1;
}

int Integer::nextDigit(std::string_view text, size_t& pos, int radix) {
  return digit(nextCodePoint(text, pos), radix);
}

int32_t Integer::parseInt(std::string_view text, int radix) {
  return parseSigned<int32_t>(text, radix);
}

int32_t Integer::parseInt(const char* text, int radix) {
  if (text == nullptr) throw NumberFormatException("null");
  return parseInt(std::string_view(text), radix);
}

std::string Integer::toString(int32_t value, int radix) {
  return formatSigned(value, radix);
}

std::string Integer::toHexString(int32_t value) {
  return formatHex(static_cast<uint32_t>(value));
}

int64_t Long::parseLong(std::string_view text, int radix) {
  return parseSigned<int64_t>(text, radix);
}

int64_t Long::parseLong(const char* text, int radix) {
  if (text == nullptr) throw NumberFormatException("null");
  return parseLong(std::string_view(text), radix);
}

std::string Long::toString(int64_t value, int radix) {
  return formatSigned(value, radix);
}

std::string Long::toHexString(int64_t value) {
  return formatHex(static_cast<uint64_t>(value));
}

}  // namespace plat::lang
