// Told of keys pressed, released and typed on a focused component, on the GUI thread.
#pragma once

#include "platform/gui/KeyEvent.h"

namespace plat::gui {

class KeyListener {
 public:
  virtual ~KeyListener() = default;
  virtual void keyTyped(const KeyEvent& event) = 0;
  virtual void keyPressed(const KeyEvent& event) = 0;
  virtual void keyReleased(const KeyEvent& event) = 0;
};

}  // namespace plat::gui
