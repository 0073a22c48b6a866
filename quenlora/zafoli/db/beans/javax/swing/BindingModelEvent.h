// The triggering events of the binding model as typed constants: a name ("focusLost") and a code (toInt). The
// twelve constants are immutable and shared; safe from any thread.
#pragma once

#include <string>
#include <vector>

namespace quenlora::zafoli::db::beans::javax::swing {

class BindingModelEvent {
 public:
  static const BindingModelEvent actionPerformed;
  static const BindingModelEvent focusGained;
  static const BindingModelEvent focusLost;
  static const BindingModelEvent itemStateChanged;
  static const BindingModelEvent mouseClicked;
  static const BindingModelEvent mouseEntered;
  static const BindingModelEvent mouseExited;
  static const BindingModelEvent mousePressed;
  static const BindingModelEvent mouseReleased;
  static const BindingModelEvent keyPressed;
  static const BindingModelEvent keyReleased;
  static const BindingModelEvent keyTyped;

  int toInt() const { return code_; }
  const std::string& toString() const { return name_; }
  // "quenlora.zafoli.db.beans.javax.swing.BindingModel." and the name.
  std::string toLongString() const;
  // All twelve, in code order.
  static std::vector<const BindingModelEvent*> getEvents();
  static std::vector<const BindingModelEvent*> getEventsEnumeration() { return getEvents(); }

  friend bool operator==(const BindingModelEvent& a, const BindingModelEvent& b) { return a.code_ == b.code_; }

 private:
  BindingModelEvent(std::string name, int code) : name_(std::move(name)), code_(code) {}

  std::string name_;
  int code_;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
