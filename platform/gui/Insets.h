// The space a border takes on each side of a component, in pixels.
#pragma once

namespace plat::gui {

struct Insets {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  friend bool operator==(const Insets&, const Insets&) = default;
};

}  // namespace plat::gui
