#include "platform/io/Utf8.h"

namespace plat::io {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kMaxCodePoint = 0x10FFFF;

}  // namespace

void appendUtf8(std::string& text, std::uint32_t cp) {
  if (cp > kMaxCodePoint || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    text.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    text.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    text.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    text.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string latin1ToUtf8(const std::uint8_t* bytes, std::size_t size) {
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) appendUtf8(text, bytes[i]);
  return text;
}

}  // namespace plat::io
