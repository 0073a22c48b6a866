// A mouse press, release, click, enter or exit at a point of the component, with click count and modifiers.
#pragma once

#include "platform/gui/InputEvent.h"
#include "platform/gui/Point.h"

namespace plat::gui {

class MouseEvent : public InputEvent {
 public:
  static constexpr int MOUSE_CLICKED = 500;
  static constexpr int MOUSE_PRESSED = 501;
  static constexpr int MOUSE_RELEASED = 502;
  static constexpr int MOUSE_ENTERED = 504;
  static constexpr int MOUSE_EXITED = 505;

  MouseEvent(plat::lang::Object* source, int id, int modifiers, Point point, int clickCount)
      : InputEvent(source, id, modifiers), point_(point), clickCount_(clickCount) {}
  Point getPoint() const { return point_; }
  int getX() const { return point_.x; }
  int getY() const { return point_.y; }
  int getClickCount() const { return clickCount_; }

 private:
  Point point_;
  int clickCount_;
};

}  // namespace plat::gui
