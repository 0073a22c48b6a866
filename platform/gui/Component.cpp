#include "platform/gui/Component.h"

namespace plat::gui {

Component::~Component() {
  if (focusOwner_ == this) focusOwner_ = nullptr;
}

void Component::requestFocus() {
  if (focusOwner_ == this || !enabled_ || !focusable_) return;
  Component* old = focusOwner_;
  focusOwner_ = this;
  if (old != nullptr) old->fireFocus(FocusEvent(old, FocusEvent::FOCUS_LOST, this));
  fireFocus(FocusEvent(this, FocusEvent::FOCUS_GAINED, old));
}

void Component::clearFocus() {
  Component* old = focusOwner_;
  focusOwner_ = nullptr;
  if (old != nullptr) old->fireFocus(FocusEvent(old, FocusEvent::FOCUS_LOST));
}

void Component::fireFocus(const FocusEvent& event) {
  processFocus(event);
  notifyListeners(event);
}

void Component::notifyListeners(const FocusEvent& event) {
  for (const auto& l : focusListeners_.snapshot()) {
    if (event.getID() == FocusEvent::FOCUS_GAINED) {
      l->focusGained(event);
    } else {
      l->focusLost(event);
    }
  }
}

void Component::click(Point point, int clickCount, int modifiers) {
  if (!enabled_) return;
  fireMouse(MouseEvent(this, MouseEvent::MOUSE_PRESSED, modifiers, point, clickCount));
  fireMouse(MouseEvent(this, MouseEvent::MOUSE_RELEASED, modifiers, point, clickCount));
  fireMouse(MouseEvent(this, MouseEvent::MOUSE_CLICKED, modifiers, point, clickCount));
}

void Component::mouseEnter(Point point) {
  fireMouse(MouseEvent(this, MouseEvent::MOUSE_ENTERED, 0, point, 0));
}

void Component::mouseExit(Point point) {
  fireMouse(MouseEvent(this, MouseEvent::MOUSE_EXITED, 0, point, 0));
}

void Component::fireMouse(const MouseEvent& event) {
  if (event.getID() == MouseEvent::MOUSE_PRESSED) requestFocus();
  processMouse(event);
  notifyListeners(event);
}

void Component::notifyListeners(const MouseEvent& event) {
  for (const auto& l : mouseListeners_.snapshot()) {
    switch (event.getID()) {
      case MouseEvent::MOUSE_PRESSED:
        l->mousePressed(event);
        break;
      case MouseEvent::MOUSE_RELEASED:
        l->mouseReleased(event);
        break;
      case MouseEvent::MOUSE_CLICKED:
        l->mouseClicked(event);
        break;
      case MouseEvent::MOUSE_ENTERED:
        l->mouseEntered(event);
        break;
      default:
        l->mouseExited(event);
        break;
    }
  }
}

void Component::pressKey(int keyCode, char16_t keyChar, int modifiers) {
  if (!enabled_) return;
  const auto deliver = [&](const KeyEvent& event) {
    notifyListeners(event);
    processKey(event);
  };
  deliver(KeyEvent(this, KeyEvent::KEY_PRESSED, modifiers, keyCode, keyChar));
  if (keyChar != KeyEvent::CHAR_UNDEFINED) {
    deliver(KeyEvent(this, KeyEvent::KEY_TYPED, modifiers, KeyEvent::VK_UNDEFINED, keyChar));
  }
  deliver(KeyEvent(this, KeyEvent::KEY_RELEASED, modifiers, keyCode, keyChar));
}

void Component::notifyListeners(const KeyEvent& event) {
  for (const auto& l : keyListeners_.snapshot()) {
    switch (event.getID()) {
      case KeyEvent::KEY_PRESSED:
        l->keyPressed(event);
        break;
      case KeyEvent::KEY_TYPED:
        l->keyTyped(event);
        break;
      default:
        l->keyReleased(event);
        break;
    }
  }
}

}  // namespace plat::gui
