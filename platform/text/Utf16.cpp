#include "platform/text/Utf16.h"

#include <algorithm>

#include "platform/io/Utf8.h"
#include "platform/lang/Exceptions.h"

namespace plat::text::utf16 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at pos and advances pos; a malformed sequence yields U+FFFD and consumes one byte.
char32_t decode(std::string_view s, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra;
  char32_t cp;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + extra >= s.size()) {  // truncated sequence
    ++pos;
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return cp;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

[[noreturn]] void outOfRange(const std::string& what) {
  throw plat::lang::StringIndexOutOfBoundsException(what);
}

}  // namespace

std::u16string fromUtf8(std::string_view utf8) {
  std::u16string units;
  units.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = decode(utf8, pos);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      units += static_cast<char16_t>(0xD800 + (cp >> 10));
      units += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
  }
  return units;
}

std::string toUtf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      plat::io::appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      plat::io::appendUtf8(out, kReplacement);
    } else {
      plat::io::appendUtf8(out, unit);
    }
  }
  return out;
}

int32_t length(std::string_view utf8) {
  int32_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) count += decode(utf8, pos) >= 0x10000 ? 2 : 1;
  return count;
}

char16_t charAt(std::string_view utf8, int32_t index) {
  std::u16string units = fromUtf8(utf8);
  if (index < 0 || static_cast<std::size_t>(index) >= units.size())
    outOfRange("index " + std::to_string(index) + ", length " + std::to_string(units.size()));
  return units[index];
}

std::string substring(std::string_view utf8, int32_t begin, int32_t end) {
  std::u16string units = fromUtf8(utf8);
  if (begin < 0 || end < begin || static_cast<std::size_t>(end) > units.size())
    outOfRange("begin " + std::to_string(begin) + ", end " + std::to_string(end) + ", length " +
               std::to_string(units.size()));
  return toUtf8(std::u16string_view(units).substr(begin, end - begin));
}

std::string substring(std::string_view utf8, int32_t begin) {
  return substring(utf8, begin, length(utf8));
}

int32_t indexOf(std::string_view utf8, std::string_view needle, int32_t from) {
  std::u16string hay = fromUtf8(utf8);
  std::u16string pin = fromUtf8(needle);
  if (from < 0) from = 0;
  if (static_cast<std::size_t>(from) > hay.size()) return pin.empty() ? static_cast<int32_t>(hay.size()) : -1;
  std::size_t at = hay.find(pin, from);
  return at == std::u16string::npos ? -1 : static_cast<int32_t>(at);
}

int compare(std::string_view a, std::string_view b) {
  // Where the texts first differ in two ASCII bytes, the bytes before are whole equal characters and the two
  // bytes are the first differing units: no conversion is needed.
  const std::size_t shorter = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < shorter && a[i] == b[i]) ++i;
  if (i < shorter) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (ca < 0x80 && cb < 0x80) return static_cast<int>(ca) - static_cast<int>(cb);
  } else if (a.size() == b.size()) {
    return 0;
  }
  std::u16string ua = fromUtf8(a);
  std::u16string ub = fromUtf8(b);
  std::size_t common = std::min(ua.size(), ub.size());
  for (std::size_t i = 0; i < common; ++i)
    if (ua[i] != ub[i]) return static_cast<int>(ua[i]) - static_cast<int>(ub[i]);
  return static_cast<int>(ua.size()) - static_cast<int>(ub.size());
}

std::string unicodeEscape(char16_t unit) {
  static const char* const kDigits = "0123456789abcdef";
  std::string out = "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(unit >> shift) & 0xF];
  return out;
}

std::string escapeNonAscii(std::string_view utf8) {
  std::string out;
  for (char16_t unit : fromUtf8(utf8)) {
    if (unit >= 0x20 && unit <= 0x7E)
      out += static_cast<char>(unit);
    else
      out += unicodeEscape(unit);
  }
  return out;
}

std::string unescape(std::string_view text) {
  std::u16string units;
  std::u16string source = fromUtf8(text);
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == u'\\' && i + 5 < source.size() && source[i + 1] == u'u') {
      int value = 0;
      bool ok = true;
      for (std::size_t k = i + 2; k < i + 6; ++k) {
        int digit = source[k] < 0x80 ? hexValue(static_cast<char>(source[k])) : -1;
        if (digit < 0) {
          ok = false;
          break;
        }
        value = value * 16 + digit;
      }
      if (ok) {
        units += static_cast<char16_t>(value);
        i += 5;
        continue;
      }
    }
    units += source[i];
  }
  return toUtf8(units);
}

}  // namespace plat::text::utf16
