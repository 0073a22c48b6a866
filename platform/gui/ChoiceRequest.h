// A choice request of the dialog service: a modal window with a title, an optional heading, a wrapping text and a
// row of buttons; the answer is the index of the button pressed, or closeAnswer when the window was closed without
// one (close box or Escape). The layout travels with the request as data: either a fixed size with every button's
// rectangle, or a border layout (heading north, text centre, a centred row of buttons south).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/gui/DialogGeometry.h"

namespace plat::gui {

struct ChoiceRequest {
  enum class Layout { Fixed, Border };

  std::string title;
  std::string heading;  // none when empty
  std::string text;
  std::vector<std::string> buttons;  // in order; choose() answers an index into this list
  int closeAnswer = -1;              // the answer when no button was pressed
  std::optional<int> preselected;    // the default button, focused when the window opens

  Layout layout = Layout::Border;
  // The client area; zero for the size the contents need.
  int width = 0;
  int height = 0;

  // Layout::Fixed: where the text and each button sit (one box per button).
  Box textBox;
  bool centreText = false;
  std::vector<Box> buttonBoxes;

  // Layout::Border: the gaps between the buttons of the row and around it.
  int buttonGap = 5;
  int rowGap = 5;
  std::optional<unsigned> buttonBackground;  // RGB; the toolkit's colour when unset

  DialogFont headingFont;
  DialogFont buttonFont;
  Placement placement;
};

}  // namespace plat::gui
