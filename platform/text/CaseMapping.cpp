#include "platform/text/CaseMapping.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "platform/text/Utf16.h"

namespace plat::text {

namespace {

std::string mapCase(std::string_view text, bool upper) {
  std::u16string units = utf16::fromUtf8(text);
  icu::UnicodeString string(false, units.data(), static_cast<int32_t>(units.size()));
  icu::UnicodeString mapped(string);
  if (upper)
    mapped.toUpper(icu::Locale::getRoot());
  else
    mapped.toLower(icu::Locale::getRoot());
  return utf16::toUtf8(std::u16string_view(mapped.getBuffer(), mapped.length()));
}

// Code points of the text; lone surrogates stay as they are.
std::u32string codePoints(std::string_view text) {
  std::u16string units = utf16::fromUtf8(text);
  std::u32string points;
  points.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      points += 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else {
      points += unit;
    }
  }
  return points;
}

char32_t fold(char32_t c) {
  return static_cast<char32_t>(u_tolower(u_toupper(static_cast<UChar32>(c))));
}

}  // namespace

std::string toUpperCase(std::string_view text) {
  return mapCase(text, true);
}

std::string toLowerCase(std::string_view text) {
  return mapCase(text, false);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  std::u32string pa = codePoints(a);
  std::u32string pb = codePoints(b);
  if (pa.size() != pb.size()) return false;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    if (pa[i] == pb[i]) continue;
    UChar32 ua = u_toupper(static_cast<UChar32>(pa[i]));
    UChar32 ub = u_toupper(static_cast<UChar32>(pb[i]));
    if (ua == ub || u_tolower(ua) == u_tolower(ub)) continue;
    return false;
  }
  return true;
}

int compareToIgnoreCase(std::string_view a, std::string_view b) {
  std::u32string pa = codePoints(a);
  std::u32string pb = codePoints(b);
  std::size_t common = std::min(pa.size(), pb.size());
  for (std::size_t i = 0; i < common; ++i) {
    char32_t fa = fold(pa[i]);
    char32_t fb = fold(pb[i]);
    if (fa != fb) return static_cast<int>(fa) - static_cast<int>(fb);
  }
  return static_cast<int>(pa.size()) - static_cast<int>(pb.size());
}

}  // namespace plat::text
