// A document offset or length outside the document's text.
#pragma once

#include "platform/lang/Throwable.h"

namespace plat::gui {

PLAT_DECLARE_THROWABLE(BadLocationException, plat::lang::Exception, "javax.swing.text.BadLocationException")

}  // namespace plat::gui
