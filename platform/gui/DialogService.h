// The dialogs the library shows (information, warning, error, a yes/no question, a login, a choice among custom
// buttons, a failed record), behind one interface so that library code never depends on a widget toolkit. A
// process-wide current service is settable; until one is installed the headless service answers. current() and
// setCurrent() are thread-safe; implementations say whether show() may be called from any thread.
#pragma once

#include <memory>
#include <string>

#include "platform/gui/ChoiceRequest.h"
#include "platform/gui/FailedRecordRequest.h"
#include "platform/gui/LoginRequest.h"

namespace plat::gui {

enum class MessageKind { Information, Warning, Error, Question };

// What the user chose. A message dialog answers Ok; a question Yes or No; a dialog closed without a choice Closed.
enum class DialogAnswer { Ok, Yes, No, Closed };

struct MessageRequest {
  MessageKind kind = MessageKind::Information;
  std::string title;
  std::string text;
};

class DialogService {
 public:
  virtual ~DialogService();

  // Shows the dialog modally and returns the answer once it is closed.
  virtual DialogAnswer show(const MessageRequest& request) = 0;
  // True when dialogs appear on a screen and wait for a user (false for the headless service), so that callers
  // can decide to defer them to the GUI event queue.
  virtual bool isGraphical() const = 0;
  // Shows a login window modally and returns what the user chose once it is closed. A service that cannot show
  // one writes a line on standard error and answers Cancel.
  virtual LoginAnswer showLogin(const LoginRequest& request);
  // Shows a choice window modally; the index of the button pressed, or request.closeAnswer when the window was
  // closed without one. A service that cannot show one writes a line on standard error and answers closeAnswer.
  virtual int choose(const ChoiceRequest& request);
  // Shows a failed-record window modally; the index of the button pressed. A service that cannot show one writes a
  // line on standard error and answers request.unattendedAnswer.
  virtual int showFailedRecord(const FailedRecordRequest& request);

  void showMessage(MessageKind kind, const std::string& title, const std::string& text);
  // True when the user answered Yes.
  bool askYesNo(const std::string& title, const std::string& text);

  // The installed service; a default headless one when none was installed.
  static std::shared_ptr<DialogService> current();
  // Installs service for the whole process; null puts back the default headless service.
  static void setCurrent(std::shared_ptr<DialogService> service);
};

}  // namespace plat::gui
