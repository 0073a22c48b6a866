#include "platform/gui/qt/InputEventFilter.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/gui/FocusEvent.h"
#include "platform/gui/InputEvent.h"
#include "platform/gui/KeyEvent.h"
#include "platform/gui/MouseEvent.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {
namespace {

int modifiersOf(Qt::KeyboardModifiers keys) {
  int modifiers = 0;
  if (keys.testFlag(Qt::ShiftModifier)) modifiers |= InputEvent::SHIFT_MASK;
  if (keys.testFlag(Qt::ControlModifier)) modifiers |= InputEvent::CTRL_MASK;
  if (keys.testFlag(Qt::MetaModifier)) modifiers |= InputEvent::META_MASK;
  if (keys.testFlag(Qt::AltModifier)) modifiers |= InputEvent::ALT_MASK;
  return modifiers;
}

// The headless key code: the named keys, and letters, digits and space, whose codes both sides share.
int keyCodeOf(int key) {
  switch (key) {
    case Qt::Key_Backspace:
      return KeyEvent::VK_BACK_SPACE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return KeyEvent::VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return KeyEvent::VK_ENTER;
    default:
      break;
  }
  const bool shared =
      key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z);
  return shared ? key : KeyEvent::VK_UNDEFINED;
}

// The typed character as the headless side has it: Enter types a line feed where Qt gives a carriage return.
char16_t charOf(char16_t unit) {
  return unit == u'\r' ? u'\n' : unit;
}

}  // namespace

InputEventFilter* InputEventFilter::install(QWidget* widget, plat::lang::Ref<Component> component, PointMap map) {
  return new InputEventFilter(widget, std::move(component), std::move(map));
}

InputEventFilter::InputEventFilter(QWidget* widget, plat::lang::Ref<Component> component, PointMap map)
    : QObject(widget), widget_(widget), mouseArea_(widget), component_(std::move(component)), map_(std::move(map)) {
  // A scroll area's mouse events go to its viewport, never through the area itself.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_)) mouseArea_ = area->viewport();
  widget_->installEventFilter(this);
  if (mouseArea_ != widget_) mouseArea_->installEventFilter(this);
}

bool InputEventFilter::eventFilter(QObject* watched, QEvent* event) {
  try {
    if (watched == widget_) {
      switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
          focus(static_cast<const QFocusEvent&>(*event));
          break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
          key(event->type(), static_cast<const QKeyEvent&>(*event));
          break;
        default:
          break;
      }
    }
    if (watched == mouseArea_) {
      switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
          mouse(*mouseArea_, event->type(), static_cast<const QMouseEvent&>(*event));
          break;
        case QEvent::Enter:
        case QEvent::Leave:
          enterOrLeave(*mouseArea_, event->type());
          break;
        default:
          break;
      }
    }
  } catch (const plat::lang::Throwable&) {
    // A listener's failure stays with the listener; the widget goes on handling its event.
  }
  return QObject::eventFilter(watched, event);
}

bool InputEventFilter::ownsPopupFocus() const {
  // A combo's list is a window of its own, but its widgets descend from the combo: following the parents crosses
  // the window boundary that isAncestorOf stops at.
  for (QWidget* w : {QApplication::focusWidget(), QApplication::activePopupWidget()}) {
    if (w == nullptr || w == widget_) continue;
    for (QWidget* up = w->parentWidget(); up != nullptr; up = up->parentWidget()) {
      if (up == widget_) return true;
    }
  }
  return false;
}

void InputEventFilter::focus(const QFocusEvent& event) {
  if (event.reason() == Qt::PopupFocusReason) return;
  // The focus going into the widget's own popup (a combo opening its list, whatever reason the window system
  // gives) is no focus loss: the user is still in the widget.
  if (event.lostFocus() && ownsPopupFocus()) return;
  if (event.gotFocus()) {
    component_->requestFocus();
  } else if (component_->hasFocus()) {
    Component::clearFocus();
  }
}

void InputEventFilter::mouse(const QWidget& area, QEvent::Type type, const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  const int modifiers = modifiersOf(event.modifiers());
  const Point point = pointOf(at);
  if (type == QEvent::MouseButtonRelease) {
    const bool click = pressed_ && area.rect().contains(at);
    pressed_ = false;
    component_->notifyListeners(
        MouseEvent(component_.get(), MouseEvent::MOUSE_RELEASED, modifiers, point, clickCount_));
    if (click) {
      component_->notifyListeners(
          MouseEvent(component_.get(), MouseEvent::MOUSE_CLICKED, modifiers, point, clickCount_));
    }
    return;
  }
  // Qt gives the second press of a double click as its own event.
  pressed_ = true;
  clickCount_ = type == QEvent::MouseButtonDblClick ? 2 : 1;
  component_->notifyListeners(MouseEvent(component_.get(), MouseEvent::MOUSE_PRESSED, modifiers, point, clickCount_));
}

void InputEventFilter::enterOrLeave(const QWidget& area, QEvent::Type type) {
  const Point point = pointOf(area.mapFromGlobal(QCursor::pos()));
  const int id = type == QEvent::Enter ? MouseEvent::MOUSE_ENTERED : MouseEvent::MOUSE_EXITED;
  component_->notifyListeners(MouseEvent(component_.get(), id, 0, point, 0));
}

void InputEventFilter::key(QEvent::Type type, const QKeyEvent& event) {
  const int modifiers = modifiersOf(event.modifiers());
  const int code = keyCodeOf(event.key());
  const QString text = event.text();
  const char16_t first = text.isEmpty() ? KeyEvent::CHAR_UNDEFINED : charOf(text.at(0).unicode());
  if (type == QEvent::KeyRelease) {
    component_->notifyListeners(KeyEvent(component_.get(), KeyEvent::KEY_RELEASED, modifiers, code, first));
    return;
  }
  component_->notifyListeners(KeyEvent(component_.get(), KeyEvent::KEY_PRESSED, modifiers, code, first));
  for (const QChar unit : text) {
    component_->notifyListeners(
        KeyEvent(component_.get(), KeyEvent::KEY_TYPED, modifiers, KeyEvent::VK_UNDEFINED, charOf(unit.unicode())));
  }
}

}  // namespace plat::gui::qt
