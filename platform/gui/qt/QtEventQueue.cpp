#include "platform/gui/qt/QtEventQueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <exception>
#include <future>
#include <memory>
#include <utility>

#include "platform/lang/Exceptions.h"

namespace plat::gui::qt {

namespace {

constexpr const char* kNoApplication = "The Qt application has ended; its event queue takes no more tasks";

}  // namespace

QtEventQueue::QtEventQueue() {
  if (QCoreApplication::instance() == nullptr) {
    throw plat::lang::IllegalStateException("A Qt event queue needs a QCoreApplication");
  }
}

void QtEventQueue::invokeLater(std::function<void()> task) {
  if (!task) return;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  // Queued on the application object: its thread is the GUI thread, and the call waits for the loop.
  // Qt's event loop must never see an exception.
  QMetaObject::invokeMethod(
      app, [task = std::move(task)] { runReporting(task); }, Qt::QueuedConnection);
}

void QtEventQueue::invokeAndWait(std::function<void()> task) {
  if (!task) return;
  if (isDispatchThread()) {
    task();
    return;
  }
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) throw plat::lang::IllegalStateException(kNoApplication);
  // The promise travels with the posted call: if the application discards the call unrun, the promise dies
  // unkept and the waiter wakes with a broken promise instead of waiting forever.
  auto started = std::make_shared<std::atomic<bool>>(false);
  std::promise<void> done;
  std::future<void> result = done.get_future();
  QMetaObject::invokeMethod(
      app,
      [task = std::move(task), started, done = std::make_shared<std::promise<void>>(std::move(done))] {
        started->store(true);
        try {
          task();
          done->set_value();
        } catch (...) {
          done->set_exception(std::current_exception());
        }
      },
      Qt::QueuedConnection);
  try {
    result.get();
  } catch (const std::future_error& e) {
    // Only a call that never started was dropped by the loop; any other future error is the task's own.
    if (e.code() == std::future_errc::broken_promise && !started->load()) {
      throw plat::lang::IllegalStateException(kNoApplication);
    }
    throw;
  }
}

bool QtEventQueue::isDispatchThread() const {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace plat::gui::qt
