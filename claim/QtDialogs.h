// The program's dialogs on Qt message boxes. beep() and askYesNo() run on the GUI thread; inform() may be called
// inform() and warn() may be called
// from any thread and then queue the box to the GUI thread without waiting for it.
#pragma once

#include "claim/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
 public:
  // `parent` (borrowed, may be null) is the window the question box belongs to.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  void beep() override;
  bool askYesNo(const std::string& title, const std::string& text) override;
  void inform(const std::string& title, const std::string& text) override;
  void warn(const std::string& title, const std::string& text) override;

 private:
  void box(const std::string& title, const std::string& text, bool warning);

  QWidget* parent_;  // back reference to the window; may be null
};
