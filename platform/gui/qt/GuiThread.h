// Runs a model event's work on the GUI thread: at once when the event fires there, else posted through the Qt
// event queue and dropped when the receiving object is gone by then. Safe from any thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

namespace plat::gui::qt {

void runOnGuiThread(QPointer<QObject> receiver, std::function<void()> task);

}  // namespace plat::gui::qt
