// Receives the worker's status updates: the two cells of the status table (0 the file name, 1 the step) and the
// system and results fields. Called from the worker thread; an implementation that shows them in a window hands
// them over to the window's own thread. The defaults do nothing.
#pragma once

#include <string>

class StatusListener {
 public:
  enum class Field { System, Results };

  virtual ~StatusListener() = default;

  virtual void statusCell(int column, const std::string& text) {
    (void)column;
    (void)text;
  }
  virtual void statusField(Field field, const std::string& text) {
    (void)field;
    (void)text;
  }
};
