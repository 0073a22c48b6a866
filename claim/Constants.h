// The claim program's fixed sizes, byte sequences and texts. Every value is a compile-time constant: any number of
// instances (the shared one included) hold the same values and may be read from any thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

class Constants {
 public:
  using Byte = std::uint8_t;

  static const Constants& getInstance();

  static constexpr int bufferSize = 4096;  // largest claim file and largest answer
  static constexpr int minSize = 47;       // shortest claim that is sent
  static constexpr std::array<Byte, 1> cr{13};
  static constexpr std::array<Byte, 2> crlf{13, 10};
  static constexpr std::array<Byte, 1> etx{3};
  static constexpr std::array<Byte, 1> lf{10};
  static constexpr std::array<Byte, 1> stx{2};
  static constexpr std::string_view Version = "v1.39";
  static constexpr std::string_view ack = "*";
  static constexpr std::string_view HelpLine = "8005550142";  // clearing-house help desk
};
