#include "platform/gui/qt/QtDialogService.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QThread>
#include <future>
#include <memory>

#include "platform/gui/qt/QtChoiceDialog.h"
#include "platform/gui/qt/QtFailedRecordDialog.h"
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

template <class Answer, class Show, class Fallback>
Answer QtDialogService::runOnGuiThread(Show show, Fallback fallback) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return fallback();
  if (onGuiThread(*app)) return show();

  // Widgets live on the GUI thread only: the window is built and run there, and this thread waits for the answer.
  auto answer = std::make_shared<std::promise<Answer>>();
  std::future<Answer> result = answer->get_future();
  QMetaObject::invokeMethod(
      app,
      [show, answer] {
        try {
          answer->set_value(show());
        } catch (...) {
          answer->set_exception(std::current_exception());
        }
      },
      Qt::QueuedConnection);
  answer.reset();
  try {
    return result.get();
  } catch (const std::future_error&) {
    // The application ended before the window could be shown; the request is not lost.
    return fallback();
  }
}

DialogAnswer QtDialogService::show(const MessageRequest& request) {
  return runOnGuiThread<DialogAnswer>([this, request] { return showHere(request); },
                                      [this, &request] { return fallback_.show(request); });
}

LoginAnswer QtDialogService::showLogin(const LoginRequest& request) {
  return runOnGuiThread<LoginAnswer>([this, request] { return showLoginHere(request); },
                                     [this, &request] { return fallback_.showLogin(request); });
}

int QtDialogService::choose(const ChoiceRequest& request) {
  return runOnGuiThread<int>(
      [this, request] { return runChoiceDialog(request, parent_.data(), ownerWidget(request.placement)); },
      [this, &request] { return fallback_.choose(request); });
}

int QtDialogService::showFailedRecord(const FailedRecordRequest& request) {
  return runOnGuiThread<int>(
      [this, request] { return runFailedRecordDialog(request, parent_.data(), ownerWidget(request.placement)); },
      [this, &request] { return fallback_.showFailedRecord(request); });
}

void QtDialogService::setWindowOf(WindowOf windowOf) {
  std::lock_guard lock(windowOfMutex_);
  windowOf_ = std::move(windowOf);
}

QWidget* QtDialogService::ownerWidget(const Placement& placement) {
  if (!placement.owner) return nullptr;
  WindowOf windowOf;
  {
    std::lock_guard lock(windowOfMutex_);
    windowOf = windowOf_;
  }
  return windowOf ? windowOf(*placement.owner) : nullptr;
}

LoginAnswer QtDialogService::showLoginHere(const LoginRequest& request) {
  QDialog dialog(parent_.data());
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setModal(true);
  dialog.setFixedSize(request.width, request.height);
  QPalette palette = dialog.palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(request.background));
  dialog.setPalette(palette);
  dialog.setAutoFillBackground(true);
  auto place = [](QWidget* widget, const char* name, const LoginBox& box) {
    widget->setObjectName(name);
    widget->setGeometry(box.x, box.y, box.width, box.height);
  };
  auto label = [&](const std::string& text, const char* name, const LoginBox& box) {
    auto* widget = new QLabel(QString::fromStdString(text), &dialog);
    widget->setTextFormat(Qt::PlainText);
    place(widget, name, box);
  };
  label(request.urlLabel, "urlLabel", request.urlLabelBox);
  label(request.url, "url", request.urlBox);
  label(request.userLabel, "userLabel", request.userLabelBox);
  label(request.passwordLabel, "passwordLabel", request.passwordLabelBox);
  auto* user = new QLineEdit(QString::fromStdString(request.user), &dialog);
  place(user, "user", request.userBox);
  auto* password = new QLineEdit(QString::fromStdString(request.password), &dialog);
  place(password, "password", request.passwordBox);
  password->setEchoMode(QLineEdit::Password);
  auto* ok = new QPushButton(QString::fromStdString(request.okText), &dialog);
  place(ok, "ok", request.okBox);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromStdString(request.cancelText), &dialog);
  place(cancel, "cancel", request.cancelBox);
  LoginChoice choice = LoginChoice::Closed;
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
    choice = LoginChoice::Ok;
    dialog.accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] {
    choice = LoginChoice::Cancel;
    dialog.reject();
  });
  user->setFocus();
  dialog.exec();
  if (choice != LoginChoice::Ok) return {choice, "", ""};
  return {choice, user->text().toStdString(), password->text().toStdString()};
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
