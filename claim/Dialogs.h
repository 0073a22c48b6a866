// What the claim program asks of its user: the beep, the yes/no question and the information box. The window
// shows them with real message boxes; headless runs and tests put in answers of their own. inform() may be
// called from any thread (an implementation on a GUI hands it to its own thread and returns); beep() and
// askYesNo() are called on the thread that runs the window's events.
#pragma once

#include <string>

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual void beep() {}
  // True when the user answered yes.
  virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
  virtual void inform(const std::string& title, const std::string& text) = 0;
  // A box that reports a failure, with the warning icon; from any thread like inform().
  virtual void warn(const std::string& title, const std::string& text) { inform(title, text); }
};
