// Helpers for the places where behaviour depends on 16-bit character units: lengths, indexes, substrings and
// ordering in code units, charAt, and \uXXXX escapes, all over UTF-8 text. Stateless; safe from any thread.
// Malformed UTF-8 reads as U+FFFD per bad byte; a lone surrogate written back to UTF-8 becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plat::text::utf16 {

std::u16string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u16string_view units);

// Number of UTF-16 code units of the text.
int32_t length(std::string_view utf8);

// The code unit at index; plat::lang::StringIndexOutOfBoundsException outside [0, length).
char16_t charAt(std::string_view utf8, int32_t index);

// The code units [begin, end); StringIndexOutOfBoundsException unless 0 <= begin <= end <= length.
std::string substring(std::string_view utf8, int32_t begin, int32_t end);
std::string substring(std::string_view utf8, int32_t begin);

// Index in code units of the first occurrence of needle at or after from; -1 when absent.
int32_t indexOf(std::string_view utf8, std::string_view needle, int32_t from = 0);

// Code-unit order: negative, zero or positive as a sorts before, equal to or after b; the value is the difference
// of the first differing units, or of the lengths when one text starts the other.
int compare(std::string_view a, std::string_view b);

// "\u" and the unit's four hexadecimal digits (lower case).
std::string unicodeEscape(char16_t unit);
// Every unit outside U+0020..U+007E as its \uXXXX escape.
std::string escapeNonAscii(std::string_view utf8);
// Replaces each \uXXXX (exactly four hexadecimal digits) by its unit; other backslashes stay.
std::string unescape(std::string_view text);

}  // namespace plat::text::utf16
