// Conversions between the layer's types and ICU's, for the sources of plat_text only (ICU stays out of the
// public headers). Stateless; thread-safe.
#pragma once

#include <string>
#include <string_view>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "platform/text/Locale.h"
#include "platform/text/Utf16.h"

namespace plat::text::icusupport {

inline icu::Locale toIcu(const Locale& locale) {
  return icu::Locale(locale.getLanguage().c_str(), locale.getCountry().c_str(), locale.getVariant().c_str());
}

// Through the layer's own converter, so code-unit indexes agree with plat::text::utf16 even for malformed input.
inline icu::UnicodeString toUnicode(std::string_view utf8) {
  // ASCII, the common case of numbers and dates, is one unit per byte: written straight into ICU's buffer.
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii && !utf8.empty()) {
    icu::UnicodeString out;
    const auto length = static_cast<int32_t>(utf8.size());
    char16_t* buffer = out.getBuffer(length);
    if (buffer != nullptr) {
      for (int32_t i = 0; i < length; ++i) buffer[i] = static_cast<char16_t>(utf8[static_cast<std::size_t>(i)]);
      out.releaseBuffer(length);
      return out;
    }
  }
  std::u16string units = utf16::fromUtf8(utf8);
  return icu::UnicodeString(units.data(), static_cast<int32_t>(units.size()));
}

inline std::string toUtf8(const icu::UnicodeString& text) {
  return utf16::toUtf8(std::u16string_view(text.getBuffer(), static_cast<std::size_t>(text.length())));
}

}  // namespace plat::text::icusupport
