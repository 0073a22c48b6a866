#include "platform/gui/qt/GuiThread.h"

#include <utility>

#include "platform/gui/qt/QtEventQueue.h"

namespace plat::gui::qt {

void runOnGuiThread(QPointer<QObject> receiver, std::function<void()> task) {
  static QtEventQueue queue;
  if (queue.isDispatchThread()) {
    if (receiver) task();
    return;
  }
  // The pointer is read only on the GUI thread, where the receiver is deleted.
  queue.invokeLater([receiver = std::move(receiver), task = std::move(task)] {
    if (receiver) task();
  });
}

}  // namespace plat::gui::qt
