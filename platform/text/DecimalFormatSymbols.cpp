#include "platform/text/DecimalFormatSymbols.h"

#include <map>
#include <mutex>

#include <unicode/dcfmtsym.h>

#include "platform/text/IcuSupport.h"

namespace plat::text {

namespace {

bool isDirectionMark(UChar32 c) {
  return c == 0x200E || c == 0x200F || c == 0x061C;
}

// A symbol as one character. Some locales wrap their minus sign in direction marks; the character is the sign.
char32_t single(const icu::UnicodeString& symbol, char32_t fallback) {
  for (int32_t i = 0; i < symbol.length(); i = symbol.moveIndex32(i, 1)) {
    UChar32 c = symbol.char32At(i);
    if (!isDirectionMark(c)) return static_cast<char32_t>(c);
  }
  return fallback;
}

struct Chars {
  char32_t decimal, grouping, minus, zero;
};

// ICU's symbol objects are costly to build; the four characters of each locale asked for are kept.
Chars charsOf(const Locale& locale) {
  static std::mutex mutex;
  static std::map<std::string, Chars> cache;  // guarded by mutex
  std::string key = locale.toIcuName();
  {
    std::lock_guard lock(mutex);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
  }
  Chars chars{'.', ',', '-', '0'};
  UErrorCode status = U_ZERO_ERROR;
  icu::DecimalFormatSymbols symbols(icusupport::toIcu(locale), status);
  if (U_SUCCESS(status)) {
    using S = icu::DecimalFormatSymbols;
    chars.decimal = single(symbols.getSymbol(S::kDecimalSeparatorSymbol), chars.decimal);
    chars.grouping = single(symbols.getSymbol(S::kGroupingSeparatorSymbol), chars.grouping);
    chars.minus = single(symbols.getSymbol(S::kMinusSignSymbol), chars.minus);
    chars.zero = single(symbols.getSymbol(S::kZeroDigitSymbol), chars.zero);
  }
  std::lock_guard lock(mutex);
  cache.emplace(key, chars);
  return chars;
}

}  // namespace

std::string codePointToUtf8(char32_t c) {
  icu::UnicodeString s(static_cast<UChar32>(c));
  return icusupport::toUtf8(s);
}

DecimalFormatSymbols::DecimalFormatSymbols() : DecimalFormatSymbols(Locale::getDefault()) {}

DecimalFormatSymbols::DecimalFormatSymbols(const Locale& locale) : locale_(locale) {
  Chars chars = charsOf(locale);
  decimal_ = chars.decimal;
  grouping_ = chars.grouping;
  minus_ = chars.minus;
  zero_ = chars.zero;
}

std::string DecimalFormatSymbols::getDecimalSeparatorText() const {
  return codePointToUtf8(decimal_);
}
std::string DecimalFormatSymbols::getGroupingSeparatorText() const {
  return codePointToUtf8(grouping_);
}
std::string DecimalFormatSymbols::getMinusSignText() const {
  return codePointToUtf8(minus_);
}

}  // namespace plat::text
