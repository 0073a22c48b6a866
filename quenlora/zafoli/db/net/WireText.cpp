#include "quenlora/zafoli/db/net/WireText.h"

#include <cstring>

namespace quenlora::zafoli::db::net {

namespace {

constexpr std::uint32_t kLatin1Max = 0xFF;
constexpr std::uint32_t kBadSequence = 0xFFFFFFFF;

// The code point at text[pos], moving pos past it; kBadSequence for a malformed sequence, which consumes one byte.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int trail = 0;
  std::uint32_t cp = 0;
  std::uint32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    trail = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    trail = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    trail = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return kBadSequence;
  }
  if (pos + static_cast<std::size_t>(trail) >= text.size()) {
    ++pos;
    return kBadSequence;
  }
  for (int i = 1; i <= trail; ++i) {
    const auto b = static_cast<std::uint8_t>(text[pos + static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kBadSequence;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF) {
    ++pos;
    return kBadSequence;
  }
  pos += static_cast<std::size_t>(trail) + 1;
  return cp;
}

}  // namespace

void WireText::appendWire(std::string_view text, std::vector<std::uint8_t>& out) {
  out.reserve(out.size() + text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::uint32_t cp = nextCodePoint(text, pos);
    out.push_back(cp <= kLatin1Max ? static_cast<std::uint8_t>(cp) : kUnmappable);
  }
}

std::vector<std::uint8_t> WireText::toWire(std::string_view text) {
  std::vector<std::uint8_t> out;
  appendWire(text, out);
  return out;
}

std::size_t WireText::wireLength(std::string_view text) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    nextCodePoint(text, pos);
    ++count;
  }
  return count;
}

std::size_t WireText::asciiPrefix(const std::uint8_t* bytes, std::size_t size) {
  // Eight bytes at a time while none has its top bit set, then byte by byte.
  constexpr std::uint64_t kTopBits = 0x8080808080808080;
  std::size_t ascii = 0;
  for (std::uint64_t word = 0; size - ascii >= sizeof word; ascii += sizeof word) {
    std::memcpy(&word, bytes + ascii, sizeof word);
    if ((word & kTopBits) != 0) break;
  }
  while (ascii < size && bytes[ascii] < 0x80) ++ascii;
  return ascii;
}

void WireText::assignFromWire(std::string& text, const std::uint8_t* bytes, std::size_t size) {
  // Texts are nearly always plain ASCII: that part is copied whole, only the rest byte by byte.
  const std::size_t ascii = asciiPrefix(bytes, size);
  text.assign(reinterpret_cast<const char*>(bytes), ascii);
  if (ascii == size) return;
  text.reserve(ascii + 2 * (size - ascii));
  for (std::size_t i = ascii; i < size; ++i) {
    const std::uint8_t b = bytes[i];
    if (b < 0x80) {
      text.push_back(static_cast<char>(b));
    } else {
      text.push_back(static_cast<char>(0xC0 | (b >> 6)));
      text.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
}

std::string WireText::fromWire(const std::uint8_t* bytes, std::size_t size) {
  std::string text;
  assignFromWire(text, bytes, size);
  return text;
}

}  // namespace quenlora::zafoli::db::net
