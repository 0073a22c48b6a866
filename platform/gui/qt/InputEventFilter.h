// Turns a Qt widget's focus, mouse and key events into the paired headless component's. Focus in and out move the
// component's focus through its normal entry: the widget keeps no headless focus state, so the component's own
// focus handling (a currency field formats on leaving) runs once. Mouse and key events are only told to the
// listeners, because the widget has already acted on them (toggled, inserted the typed text). A release inside
// after a press there is also a click, with the count of the press; a key press carrying text is also typed, one
// event per 16-bit unit. An open popup (a combo's list) takes and gives back the focus without a focus change, as
// does the focus moving into a popup that belongs to the widget, for whatever reason.
// Create it with install on the GUI thread; it lives as a child of the widget.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "platform/gui/Component.h"

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

namespace plat::gui::qt {

class InputEventFilter : public QObject {
 public:
  // Where a point of the widget lies on the headless component (a table's cells have their own geometry).
  using PointMap = std::function<Point(const QPoint&)>;

  // Watches widget for component; a scroll area's mouse events are taken from its viewport, in its coordinates.
  // Without map, points are the widget's own.
  static InputEventFilter* install(QWidget* widget, plat::lang::Ref<Component> component, PointMap map = {});

  InputEventFilter(const InputEventFilter&) = delete;
  InputEventFilter& operator=(const InputEventFilter&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  InputEventFilter(QWidget* widget, plat::lang::Ref<Component> component, PointMap map);
  void focus(const QFocusEvent& event);
  // Whether the focus is now in a popup of the widget's own (its combo list).
  bool ownsPopupFocus() const;
  void mouse(const QWidget& area, QEvent::Type type, const QMouseEvent& event);
  void enterOrLeave(const QWidget& area, QEvent::Type type);
  void key(QEvent::Type type, const QKeyEvent& event);
  Point pointOf(const QPoint& point) const { return map_ ? map_(point) : Point{point.x(), point.y()}; }

  QWidget* widget_;     // the parent of this filter
  QWidget* mouseArea_;  // widget_ or its viewport; a child of widget_
  plat::lang::Ref<Component> component_;
  PointMap map_;
  bool pressed_ = false;  // a press inside mouseArea_ waits for its release
  int clickCount_ = 1;
};

}  // namespace plat::gui::qt
