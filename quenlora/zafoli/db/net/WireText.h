// The one place where text crosses the 8-bit wire: each character goes out as its low byte, or as '?' when it lies
// above U+00FF (malformed UTF-8 also gives '?'), and each byte comes in as the character U+0000..U+00FF, held as
// UTF-8. Stateless; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quenlora::zafoli::db::net {

class WireText {
 public:
  WireText() = delete;

  static constexpr std::uint8_t kUnmappable = '?';

  // The wire bytes of a UTF-8 text, one per character.
  static std::vector<std::uint8_t> toWire(std::string_view text);
  // Appends the wire bytes of a text to out.
  static void appendWire(std::string_view text, std::vector<std::uint8_t>& out);
  // Number of characters of a UTF-8 text, which is the number of wire bytes it becomes.
  static std::size_t wireLength(std::string_view text);

  // The UTF-8 text of wire bytes.
  static std::string fromWire(const std::uint8_t* bytes, std::size_t size);
  static std::string fromWire(const std::vector<std::uint8_t>& bytes) { return fromWire(bytes.data(), bytes.size()); }
  // The number of leading bytes below 0x80: wire bytes that are their own UTF-8 text.
  static std::size_t asciiPrefix(const std::uint8_t* bytes, std::size_t size);
  // Replaces text with the UTF-8 text of wire bytes, reusing its storage.
  static void assignFromWire(std::string& text, const std::uint8_t* bytes, std::size_t size);
};

}  // namespace quenlora::zafoli::db::net
