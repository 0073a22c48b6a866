// Base of user-input events: an event id and the modifier keys held (Shift = 1, Ctrl = 2, Meta = 4, Alt = 8).
#pragma once

#include "platform/gui/EventObject.h"

namespace plat::gui {

class InputEvent : public EventObject {
 public:
  static constexpr int SHIFT_MASK = 1;
  static constexpr int CTRL_MASK = 2;
  static constexpr int META_MASK = 4;
  static constexpr int ALT_MASK = 8;

  InputEvent(plat::lang::Object* source, int id, int modifiers) : EventObject(source), id_(id), modifiers_(modifiers) {}
  int getID() const { return id_; }
  int getModifiers() const { return modifiers_; }
  bool isShiftDown() const { return (modifiers_ & SHIFT_MASK) != 0; }

 private:
  int id_;
  int modifiers_;
};

}  // namespace plat::gui
