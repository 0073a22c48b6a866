// Keyboard focus gained or lost; the opposite component is the one focus came from or goes to (may be null).
#pragma once

#include "platform/gui/EventObject.h"

namespace plat::gui {

class FocusEvent : public EventObject {
 public:
  static constexpr int FOCUS_GAINED = 1004;
  static constexpr int FOCUS_LOST = 1005;

  FocusEvent(plat::lang::Object* source, int id, plat::lang::Object* opposite = nullptr)
      : EventObject(source), id_(id), opposite_(opposite) {}
  int getID() const { return id_; }
  plat::lang::Object* getOppositeComponent() const { return opposite_; }

 private:
  int id_;
  plat::lang::Object* opposite_;  // back reference; may be null
};

}  // namespace plat::gui
