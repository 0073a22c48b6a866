// The saved-settings archive format: "PSA1", then per field a tag byte ('S' text, 'Z' boolean, 'I' integer, 'C'
// colour, 'L' text list) and its value; integers, colours, text lengths and list counts are 4 bytes big-endian,
// text is UTF-8.
#pragma once

#include <cstdint>

namespace plat::serial::format {

constexpr char kMagic[4] = {'P', 'S', 'A', '1'};
constexpr std::uint8_t kText = 'S';
constexpr std::uint8_t kBoolean = 'Z';
constexpr std::uint8_t kInt = 'I';
constexpr std::uint8_t kColor = 'C';
constexpr std::uint8_t kTextList = 'L';

}  // namespace plat::serial::format
