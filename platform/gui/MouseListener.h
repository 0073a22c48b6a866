// Told of mouse presses, releases, clicks, enters and exits on a component, on the GUI thread.
#pragma once

#include "platform/gui/MouseEvent.h"

namespace plat::gui {

class MouseListener {
 public:
  virtual ~MouseListener() = default;
  virtual void mouseClicked(const MouseEvent& event) = 0;
  virtual void mousePressed(const MouseEvent& event) = 0;
  virtual void mouseReleased(const MouseEvent& event) = 0;
  virtual void mouseEntered(const MouseEvent& event) = 0;
  virtual void mouseExited(const MouseEvent& event) = 0;
};

}  // namespace plat::gui
