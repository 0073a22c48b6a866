// Case mapping of UTF-8 text by the root locale's rules (never the default locale's, so "i" upper-cases to "I"
// in every locale), and case-insensitive comparison character by character. Stateless; safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace plat::text {

// Full case mapping: "straße" upper-cases to "STRASSE".
std::string toUpperCase(std::string_view text);
std::string toLowerCase(std::string_view text);

// True when the texts have the same length in code units and each pair of characters is equal after simple
// upper-casing or after simple upper- then lower-casing.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Orders by the characters folded to lower case of upper case; the difference of the first differing pair, or of
// the lengths.
int compareToIgnoreCase(std::string_view a, std::string_view b);

}  // namespace plat::text
