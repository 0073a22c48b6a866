// A font by family name, style bits and point size; only carried and compared, never rendered here.
#pragma once

#include <string>

namespace plat::gui {

struct Font {
  static constexpr int PLAIN = 0;
  static constexpr int BOLD = 1;
  static constexpr int ITALIC = 2;

  std::string name = "Dialog";
  int style = PLAIN;
  int size = 12;
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace plat::gui
