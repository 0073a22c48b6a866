// Places a dialog of the Qt dialog service once it has its size, as its request's Placement says, and converts a
// request's font into a QFont. Called on the GUI thread.
#pragma once

#include <QFont>
#include <QWidget>

#include "platform/gui/DialogGeometry.h"

namespace plat::gui::qt {

// `owner` is the widget that shows the request's owner (null when there is none or it is not shown); `serviceWindow`
// the service's own window (may be null).
void placeDialog(QWidget& dialog, const Placement& placement, QWidget* owner, QWidget* serviceWindow);

// `base` with the family, size and weight the request sets.
QFont toQFont(const DialogFont& font, const QFont& base);

}  // namespace plat::gui::qt
