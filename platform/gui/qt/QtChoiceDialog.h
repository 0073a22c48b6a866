// The Qt window of a choice request: a modal QDialog laid out from the request's data (widgets named "heading",
// "text", "buttons" for the row and "button0", "button1", ... in order). Runs on the GUI thread.
#pragma once

#include <QWidget>

#include "platform/gui/ChoiceRequest.h"

namespace plat::gui::qt {

// Shows the window modally; the index of the button pressed, or request.closeAnswer when it was closed (close box
// or Escape). `serviceWindow` (may be null) is the service's window, `owner` the widget of the request's owner.
int runChoiceDialog(const ChoiceRequest& request, QWidget* serviceWindow, QWidget* owner);

}  // namespace plat::gui::qt
