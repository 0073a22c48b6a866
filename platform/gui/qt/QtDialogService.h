// The dialog service of a Qt Widgets program: every request is a modal QMessageBox (information, warning and error
// boxes with an Ok button, a question with Yes and No). show() may be called from any thread: off the GUI thread
// the request is handed to the GUI thread and the caller waits for the answer, so no other thread touches a widget.
// A login request is a QDialog laid out at the request's positions (widgets named "urlLabel", "url", "userLabel",
// "user", "passwordLabel", "password", "ok", "cancel"), under the same threading rule, and so are the choice and
// failed-record windows. A window centred on a component finds the component's widget through setWindowOf.
// Once the application has ended, requests go to the headless service (standard error, safe answers).
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <mutex>

#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"

namespace plat::gui::qt {

class QtDialogService : public DialogService {
 public:
  // `parent` (borrowed, may be null) is the window the boxes belong to; it may be deleted before the service.
  // plat::lang::IllegalStateException when no QApplication exists yet.
  explicit QtDialogService(QWidget* parent = nullptr);
  QtDialogService(const QtDialogService&) = delete;
  QtDialogService& operator=(const QtDialogService&) = delete;

  // Waits for the user. Ok, Yes or No as clicked; Closed when the box was closed without a button.
  DialogAnswer show(const MessageRequest& request) override;
  bool isGraphical() const override { return true; }
  // Waits for the user: OK with the fields' texts, Cancel, or Closed for the close box or Escape.
  LoginAnswer showLogin(const LoginRequest& request) override;
  // Waits for the user: the index of the button pressed, or the request's close-box answer.
  int choose(const ChoiceRequest& request) override;
  // Waits for the user: the index of the button pressed.
  int showFailedRecord(const FailedRecordRequest& request) override;

  // Maps a component a window is centred on to the widget that shows it (null when none); called on the GUI
  // thread. Without one, no component has a widget.
  using WindowOf = std::function<QWidget*(const plat::lang::Object& component)>;
  void setWindowOf(WindowOf windowOf);

 private:
  DialogAnswer showHere(const MessageRequest& request);
  LoginAnswer showLoginHere(const LoginRequest& request);
  // Runs show on the GUI thread and waits for its answer; fallback when the application ends first.
  template <class Answer, class Show, class Fallback>
  Answer runOnGuiThread(Show show, Fallback fallback);

  // The widget of a placement's owner, or null.
  QWidget* ownerWidget(const Placement& placement);

  QPointer<QWidget> parent_;  // back reference to the owning window; null when none or deleted
  std::mutex windowOfMutex_;
  WindowOf windowOf_;               // guarded by windowOfMutex_
  HeadlessDialogService fallback_;  // answers once the application has ended
};

}  // namespace plat::gui::qt
