// The Qt window of a failed-record request: a modal QDialog with the tabs ("tabs"), the record table ("table") and
// the row of buttons ("button0", "button1", ... in order). Only a button closes it. Runs on the GUI thread.
#pragma once

#include <QWidget>

#include "platform/gui/FailedRecordRequest.h"

namespace plat::gui::qt {

// Shows the window modally; the index of the button pressed. `serviceWindow` (may be null) is the service's window,
// `owner` the widget of the request's owner.
int runFailedRecordDialog(const FailedRecordRequest& request, QWidget* serviceWindow, QWidget* owner);

}  // namespace plat::gui::qt
