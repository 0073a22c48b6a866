// UTF-8 helpers of the streams: appending a code point and reading 8-bit bytes as the characters U+0000..U+00FF.
#pragma once

#include <cstdint>
#include <string>

namespace plat::io {

// Appends the UTF-8 form of a code point; a value that is no code point is written as U+FFFD.
void appendUtf8(std::string& text, std::uint32_t codePoint);

// Each byte as the character U+0000..U+00FF, in UTF-8.
std::string latin1ToUtf8(const std::uint8_t* bytes, std::size_t size);

}  // namespace plat::io
