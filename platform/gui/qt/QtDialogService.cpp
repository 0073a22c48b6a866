#include "platform/gui/qt/QtDialogService.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <future>
#include <memory>

#include "platform/lang/Exceptions.h"

namespace plat::gui::qt {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Question:
      return QMessageBox::Question;
    case MessageKind::Information:
    default:
      return QMessageBox::Information;
  }
}

bool onGuiThread(const QCoreApplication& app) {
  return QThread::currentThread() == app.thread();
}

}  // namespace

QtDialogService::QtDialogService(QWidget* parent) : parent_(parent) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    throw plat::lang::IllegalStateException("A Qt dialog service needs a QApplication");
  }
}

DialogAnswer QtDialogService::show(const MessageRequest& request) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return fallback_.show(request);
  if (onGuiThread(*app)) return showHere(request);

  // Widgets live on the GUI thread only: the box is built and run there, and this thread waits for the answer.
  auto answer = std::make_shared<std::promise<DialogAnswer>>();
  std::future<DialogAnswer> result = answer->get_future();
  QMetaObject::invokeMethod(
      app,
      [this, request, answer] {
        try {
          answer->set_value(showHere(request));
        } catch (...) {
          answer->set_exception(std::current_exception());
        }
      },
      Qt::QueuedConnection);
  answer.reset();
  try {
    return result.get();
  } catch (const std::future_error&) {
    // The application ended before the box could be shown; the message is not lost.
    return fallback_.show(request);
  }
}

DialogAnswer QtDialogService::showHere(const MessageRequest& request) {
  const bool question = request.kind == MessageKind::Question;
  QMessageBox box(iconOf(request.kind), QString::fromStdString(request.title), QString::fromStdString(request.text),
                  question ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent_.data());
  // The texts come from data and error messages; markup in them is shown, never interpreted.
  box.setTextFormat(Qt::PlainText);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return DialogAnswer::Closed;
  switch (box.standardButton(clicked)) {
    case QMessageBox::Yes:
      return DialogAnswer::Yes;
    case QMessageBox::No:
      return DialogAnswer::No;
    case QMessageBox::Ok:
      return DialogAnswer::Ok;
    default:
      return DialogAnswer::Closed;
  }
}

}  // namespace plat::gui::qt
