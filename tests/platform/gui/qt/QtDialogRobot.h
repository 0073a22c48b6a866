// A robot for the dialog service's own windows (choice and failed-record dialogs): it polls on the GUI thread for
// the active modal QDialog, hands it once to the test's function (which inspects it and presses something), and
// gives up after a bound, ending whatever modal dialog is open then so that a test never hangs in a modal loop.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt::qttest {

class DialogRobot {
 public:
  explicit DialogRobot(std::function<void(QDialog&)> act, int timeoutMs = kWaitMs) : acted_(std::make_shared<State>()) {
    auto* timer = new QTimer(&app());
    auto state = acted_;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, state, act = std::move(act), end] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog != nullptr && dialog->isVisible()) {
        timer->stop();
        timer->deleteLater();
        state->onGuiThread = dialog->thread() == QThread::currentThread() && dialog->thread() == app().thread();
        state->acted = true;
        act(*dialog);
      } else if (std::chrono::steady_clock::now() > end) {
        timer->stop();
        timer->deleteLater();
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->done(QDialog::Rejected);
      }
    });
    timer->start(10);
  }

  bool acted() const { return acted_->acted.load(); }
  bool onGuiThread() const { return acted_->onGuiThread.load(); }

 private:
  struct State {
    std::atomic<bool> acted{false};
    std::atomic<bool> onGuiThread{false};
  };
  std::shared_ptr<State> acted_;
};

inline QPushButton* buttonOf(QDialog& dialog, int index) {
  return dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(index));
}

inline void pressEscape(QDialog& dialog) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &press);
}

}  // namespace plat::gui::qt::qttest
