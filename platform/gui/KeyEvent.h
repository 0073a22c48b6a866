// A key pressed, released or typed on the focused component: the key code and, for typed keys, the character.
#pragma once

#include "platform/gui/InputEvent.h"

namespace plat::gui {

class KeyEvent : public InputEvent {
 public:
  static constexpr int KEY_TYPED = 400;
  static constexpr int KEY_PRESSED = 401;
  static constexpr int KEY_RELEASED = 402;
  static constexpr int VK_BACK_SPACE = 8;
  static constexpr int VK_TAB = 9;
  static constexpr int VK_ENTER = 10;
  static constexpr int VK_UNDEFINED = 0;
  static constexpr char16_t CHAR_UNDEFINED = 0xFFFF;

  KeyEvent(plat::lang::Object* source, int id, int modifiers, int keyCode, char16_t keyChar)
      : InputEvent(source, id, modifiers), keyCode_(keyCode), keyChar_(keyChar) {}
  int getKeyCode() const { return keyCode_; }
  char16_t getKeyChar() const { return keyChar_; }

 private:
  int keyCode_;
  char16_t keyChar_;
};

}  // namespace plat::gui
