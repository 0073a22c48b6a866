#include "quenlora/zafoli/db/net/WireText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quenlora::zafoli::db::net::WireText;
using Bytes = std::vector<std::uint8_t>;

TEST(WireText, CharactersGoOutAsTheirLowByteOrAsQuestionMark) {
  struct Case {
    const char* name;
    std::string text;
    Bytes wire;
  };
  const std::vector<Case> cases = {
      {"ascii", "abc", {0x61, 0x62, 0x63}},
      {"empty", "", {}},
      {"nul kept", std::string("a\0b", 3), {0x61, 0x00, 0x62}},
      {"latin-1", "\xC3\xA9\xC3\xBF", {0xE9, 0xFF}},
      {"U+0100 is above latin-1", "\xC4\x80", {'?'}},
      {"euro sign", "x\xE2\x82\xAC", {'x', '?'}},
      {"outside the basic plane", "\xF0\x9F\x98\x80!", {'?', '!'}},
      {"stray continuation byte", "\x80z", {'?', 'z'}},
      {"cut sequence at the end", "a\xC3", {'a', '?'}},
      {"overlong form", "\xC0\xAF", {'?', '?'}},
      {"bad continuation", "\xE2\x28\xA1", {'?', '(', '?'}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WireText::toWire(c.text), c.wire) << c.name;
    EXPECT_EQ(WireText::wireLength(c.text), c.wire.size()) << c.name;
  }
}

TEST(WireText, EveryByteRoundTripsThroughItsCharacter) {
  Bytes all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<std::uint8_t>(b));
  const std::string text = WireText::fromWire(all);
  EXPECT_EQ(text.size(), 128u + 2 * 128u);
  EXPECT_EQ(WireText::toWire(text), all);
  EXPECT_EQ(WireText::fromWire(Bytes{0xE9}), "\xC3\xA9");
  EXPECT_EQ(WireText::fromWire(Bytes{'a', 0xE9, 'b', 0x80}),
            "a\xC3\xA9"
            "b\xC2\x80");
  // A text read into a string that held one before keeps nothing of it.
  std::string reused = "previous text, longer than the next";
  WireText::assignFromWire(reused, Bytes{'x', 0xFF}.data(), 2);
  EXPECT_EQ(reused, "x\xC3\xBF");
}

// The ASCII part of a text is found several bytes at a time: a byte above 0x7F anywhere, at a word's edge or inside
// it, still reads as its character, and only what comes before it counts as ASCII.
TEST(WireText, AByteAbove0x7FReadsAsItsCharacterWhereverItLies) {
  for (std::size_t size = 1; size <= 20; ++size) {
    for (std::size_t at = 0; at < size; ++at) {
      Bytes wire(size, 'a');
      wire[at] = 0xE9;
      const std::string expected = std::string(at, 'a') + "\xC3\xA9" + std::string(size - at - 1, 'a');
      EXPECT_EQ(WireText::fromWire(wire), expected) << size << " bytes, 0xE9 at " << at;
      EXPECT_EQ(WireText::asciiPrefix(wire.data(), wire.size()), at) << size << " bytes, 0xE9 at " << at;
    }
    EXPECT_EQ(WireText::asciiPrefix(Bytes(size, 'a').data(), size), size) << size << " bytes";
  }
}

}  // namespace
