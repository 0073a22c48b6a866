// Layout data that travels with the dialog service's requests: rectangles in pixels of the client area, fonts and
// where a window appears. Every service draws the same window from the same numbers, and tests read them.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Object.h"

namespace plat::gui {

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Box&) const = default;
};

// A font by family name, size in points and weight; zero points keeps the toolkit's default font. "Dialog" is the
// toolkit's logical sans-serif family.
struct DialogFont {
  std::string family;
  int points = 0;
  bool bold = false;

  bool operator==(const DialogFont&) const = default;
};

struct Offset {
  int dx = 0;
  int dy = 0;

  bool operator==(const Offset&) const = default;
};

// Where a window appears once it has its size.
struct Placement {
  enum class Centre { Screen, Owner };
  Centre centre = Centre::Screen;
  // Centre::Owner: the component the window is centred on. A service maps it to the window that shows it; a null
  // owner, or one the service cannot map, falls back on fallbackOffset, then on the service's own window, then on
  // the screen.
  plat::lang::Ref<plat::lang::Object> owner;
  // When set and no owner's window is known: the top-left corner at the screen's centre moved by this much.
  std::optional<Offset> fallbackOffset;
};

}  // namespace plat::gui
