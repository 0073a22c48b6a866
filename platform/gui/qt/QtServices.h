// Installs the Qt dialog service and event queue as the process's current services for as long as the object
// lives, and puts the headless ones back when it goes. A program makes one on its GUI thread right after its
// QApplication and lets it go before the application: library code then shows real boxes on the GUI thread.
#pragma once

#include <memory>

#include <QWidget>

#include "platform/gui/qt/QtDialogService.h"
#include "platform/gui/qt/QtEventQueue.h"

namespace plat::gui::qt {

class QtServices {
 public:
  // `parent` (borrowed, may be null) is the window the boxes belong to. plat::lang::IllegalStateException when
  // no QApplication exists.
  explicit QtServices(QWidget* parent = nullptr);
  ~QtServices();
  QtServices(const QtServices&) = delete;
  QtServices& operator=(const QtServices&) = delete;

  const std::shared_ptr<QtDialogService>& dialogs() const { return dialogs_; }
  const std::shared_ptr<QtEventQueue>& queue() const { return queue_; }

 private:
  std::shared_ptr<QtDialogService> dialogs_;  // installed while this lives
  std::shared_ptr<QtEventQueue> queue_;       // installed while this lives
};

}  // namespace plat::gui::qt
