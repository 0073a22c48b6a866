// An opaque RGB colour (0xRRGGBB) and the toolkit's named colours. A value type; safe from any thread.
#pragma once

#include <cstdint>

namespace plat::gui {

class Color {
 public:
  constexpr Color() = default;
  constexpr explicit Color(std::uint32_t rgb) : rgb_(rgb & 0xFFFFFFu) {}
  constexpr Color(int r, int g, int b)
      : rgb_((static_cast<std::uint32_t>(r & 0xFF) << 16) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
             static_cast<std::uint32_t>(b & 0xFF)) {}

  constexpr std::uint32_t getRGB() const { return rgb_; }
  constexpr int getRed() const { return static_cast<int>((rgb_ >> 16) & 0xFF); }
  constexpr int getGreen() const { return static_cast<int>((rgb_ >> 8) & 0xFF); }
  constexpr int getBlue() const { return static_cast<int>(rgb_ & 0xFF); }
  friend constexpr bool operator==(const Color&, const Color&) = default;

  static const Color white;
  static const Color black;
  static const Color blue;
  static const Color cyan;
  static const Color darkGray;
  static const Color gray;
  static const Color green;
  static const Color lightGray;
  static const Color magenta;
  static const Color orange;
  static const Color pink;
  static const Color red;
  static const Color yellow;

 private:
  std::uint32_t rgb_ = 0;  // 0xRRGGBB
};

inline constexpr Color Color::white{0xFFFFFFu};
inline constexpr Color Color::black{0x000000u};
inline constexpr Color Color::blue{0x0000FFu};
inline constexpr Color Color::cyan{0x00FFFFu};
inline constexpr Color Color::darkGray{0x404040u};
inline constexpr Color Color::gray{0x808080u};
inline constexpr Color Color::green{0x00FF00u};
inline constexpr Color Color::lightGray{0xC0C0C0u};
inline constexpr Color Color::magenta{0xFF00FFu};
inline constexpr Color Color::orange{0xFFC800u};
inline constexpr Color Color::pink{0xFFAFAFu};
inline constexpr Color Color::red{0xFF0000u};
inline constexpr Color Color::yellow{0xFFFF00u};

// The dialogs' light-grey background.
inline constexpr Color kDialogBackground{0xCCCCCCu};

}  // namespace plat::gui
