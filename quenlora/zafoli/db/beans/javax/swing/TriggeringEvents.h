// What a data-bound model commits on, as codes of component events, and the one operation the triggering handler
// calls: commit the user's edit. Codes and names are constants; the contract has no state.
#pragma once

#include <array>

namespace quenlora::zafoli::db::beans::javax::swing {

class TriggeringEvents {
 public:
  static constexpr int ACTION_PERFORMED = 0;
  static constexpr int FOCUS_GAINED = 1;
  static constexpr int FOCUS_LOST = 2;
  static constexpr int ITEM_DESELECTED = 3;
  static constexpr int ITEM_SELECTED = 4;
  static constexpr int MOUSE_CLICKED = 5;
  static constexpr int MOUSE_ENTERED = 6;
  static constexpr int MOUSE_EXITED = 7;
  static constexpr int MOUSE_PRESSED = 8;
  static constexpr int MOUSE_RELEASED = 9;
  static constexpr int KEY_PRESSED = 10;
  static constexpr int KEY_RELEASED = 11;
  static constexpr int KEY_TYPED = 12;
  // The names, in code order.
  static constexpr std::array<const char*, 13> EVENTS = {
      "actionPerformed", "focusGained",  "focusLost",   "itemDeselected", "itemSelected",
      "mouseClicked",    "mouseEntered", "mouseExited", "mousePressed",   "mouseReleased",
      "keyPressed",      "keyReleased",  "keyTyped"};

  virtual ~TriggeringEvents() = default;
  virtual void commit() = 0;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
