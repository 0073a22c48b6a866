#include "claim/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

void QtDialogs::beep() {
  QApplication::beep();
}

bool QtDialogs::askYesNo(const std::string& title, const std::string& text) {
  return QMessageBox::question(parent_, QString::fromStdString(title), QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::inform(const std::string& title, const std::string& text) {
  box(title, text, false);
}

void QtDialogs::warn(const std::string& title, const std::string& text) {
  box(title, text, true);
}

void QtDialogs::box(const std::string& title, const std::string& text, bool warning) {
  auto show = [t = QString::fromStdString(title), m = QString::fromStdString(text), warning] {
    // No parent window: the verdict stands on its own, as the test runs beside the window.
    if (warning) {
      QMessageBox::warning(nullptr, t, m);
    } else {
      QMessageBox::information(nullptr, t, m);
    }
  };
  auto* app = QCoreApplication::instance();
  if (app == nullptr) return;
  if (QThread::currentThread() == app->thread()) {
    show();
  } else {
    QMetaObject::invokeMethod(app, show, Qt::QueuedConnection);
  }
}
