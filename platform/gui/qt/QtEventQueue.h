// The event queue of a Qt program: tasks run on the thread of the QCoreApplication (the GUI thread), through the Qt
// event loop. invokeAndWait from the GUI thread runs the task inline; from any other thread it posts the task and
// waits for it. Construct it after the application; every method may be called from any thread.
#pragma once

#include <functional>

#include "platform/gui/EventQueue.h"

namespace plat::gui::qt {

class QtEventQueue : public EventQueue {
 public:
  // plat::lang::IllegalStateException when no QCoreApplication exists yet.
  QtEventQueue();

  // Posts task to the Qt event loop; tasks run in the order posted. A task's exception is reported on standard
  // error, because nobody waits for it. Without an application (it has ended) the task is dropped.
  void invokeLater(std::function<void()> task) override;
  // Rethrows the task's exception with its type. plat::lang::IllegalStateException when the application has
  // ended, or ends before the task ran, so that the caller never waits for a loop that is gone.
  void invokeAndWait(std::function<void()> task) override;
  bool isDispatchThread() const override;
};

}  // namespace plat::gui::qt
