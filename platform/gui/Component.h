// Base of the headless components: they keep the state a window would show, fire focus, mouse and key listeners,
// and let tests act as a user would (click, move the focus, press keys), in the order a real toolkit delivers:
// a press first moves the focus, the component's own handling of a mouse event runs before the listeners, and
// key listeners hear a key before the component acts on it. One keyboard focus owner per process.
// GUI thread only. Components are shared objects (make them with makeRef).
#pragma once

#include <string>

#include "platform/gui/Border.h"
#include "platform/gui/Color.h"
#include "platform/gui/Dimension.h"
#include "platform/gui/FocusListener.h"
#include "platform/gui/Font.h"
#include "platform/gui/KeyListener.h"
#include "platform/gui/ListenerList.h"
#include "platform/gui/MouseListener.h"

namespace plat::gui {

class Component : public plat::lang::Object {
 public:
  static constexpr int LEFT = 2;
  static constexpr int CENTER = 0;
  static constexpr int RIGHT = 4;
  static constexpr int LEADING = 10;
  static constexpr int TRAILING = 11;

  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  ~Component() override;

  const std::string& getName() const { return name_; }
  void setName(const std::string& name) { name_ = name; }
  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled) { enabled_ = enabled; }
  bool isVisible() const { return visible_; }
  void setVisible(bool visible) { visible_ = visible; }
  bool isFocusable() const { return focusable_; }
  void setFocusable(bool focusable) { focusable_ = focusable; }
  Color getBackground() const { return background_; }
  virtual void setBackground(Color color) { background_ = color; }
  Color getForeground() const { return foreground_; }
  virtual void setForeground(Color color) { foreground_ = color; }
  const Font& getFont() const { return font_; }
  void setFont(const Font& font) { font_ = font; }
  const plat::lang::Ref<Border>& getBorder() const { return border_; }
  void setBorder(plat::lang::Ref<Border> border) { border_ = std::move(border); }
  const std::string& getToolTipText() const { return toolTip_; }
  void setToolTipText(const std::string& text) { toolTip_ = text; }
  Dimension getPreferredSize() const { return preferredSize_; }
  void setPreferredSize(Dimension size) { preferredSize_ = size; }
  Dimension getSize() const { return size_; }
  void setSize(Dimension size) { size_ = size; }
  // Asks for a redraw; counted so that a test sees that one was asked for.
  void repaint() { ++repaints_; }
  int getRepaintCount() const { return repaints_; }

  void addFocusListener(const plat::lang::Ref<FocusListener>& l) { focusListeners_.add(l); }
  void removeFocusListener(const plat::lang::Ref<FocusListener>& l) { focusListeners_.remove(l); }
  void addMouseListener(const plat::lang::Ref<MouseListener>& l) { mouseListeners_.add(l); }
  void removeMouseListener(const plat::lang::Ref<MouseListener>& l) { mouseListeners_.remove(l); }
  void addKeyListener(const plat::lang::Ref<KeyListener>& l) { keyListeners_.add(l); }
  void removeKeyListener(const plat::lang::Ref<KeyListener>& l) { keyListeners_.remove(l); }
  int getFocusListenerCount() const { return focusListeners_.size(); }
  int getMouseListenerCount() const { return mouseListeners_.size(); }
  int getKeyListenerCount() const { return keyListeners_.size(); }

  // The keyboard focus: the old owner hears focus lost, then this one focus gained. A disabled or unfocusable
  // component, or the owner itself, changes nothing.
  void requestFocus();
  bool hasFocus() const { return focusOwner_ == this; }
  static Component* getFocusOwner() { return focusOwner_; }
  // Takes the focus from its owner (the window lost it): the owner hears focus lost.
  static void clearFocus();

  // The user presses, releases and clicks the mouse at point: press, release, click, each handled by the
  // component and then told to the mouse listeners.
  void click(Point point = {}, int clickCount = 1, int modifiers = 0);
  void mouseEnter(Point point = {});
  void mouseExit(Point point = {});
  // The user presses a key: pressed, typed (for a character) and released, each told to the key listeners
  // before the component acts on it.
  void pressKey(int keyCode, char16_t keyChar = KeyEvent::CHAR_UNDEFINED, int modifiers = 0);

  // Tells the listeners of an event that a real toolkit's widget has already acted on (it toggled, or inserted
  // the typed text), without the component's own handling, which would do it a second time; the focus owner
  // does not move either.
  void notifyListeners(const FocusEvent& event);
  void notifyListeners(const MouseEvent& event);
  void notifyListeners(const KeyEvent& event);

 protected:
  // The component's own handling; the defaults do nothing.
  virtual void processMouse(const MouseEvent&) {}
  virtual void processKey(const KeyEvent&) {}
  virtual void processFocus(const FocusEvent&) {}
  void fireMouse(const MouseEvent& event);

 private:
  void fireFocus(const FocusEvent& event);

  static inline Component* focusOwner_ = nullptr;  // back reference; cleared by the owner's destructor

  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  bool focusable_ = true;
  Color background_ = Color::white;
  Color foreground_ = Color::black;
  Font font_;
  plat::lang::Ref<Border> border_;
  std::string toolTip_;
  Dimension preferredSize_{100, 20};
  Dimension size_{100, 20};
  int repaints_ = 0;
  ListenerList<FocusListener> focusListeners_;
  ListenerList<MouseListener> mouseListeners_;
  ListenerList<KeyListener> keyListeners_;
};

}  // namespace plat::gui
