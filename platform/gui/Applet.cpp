#include "platform/gui/Applet.h"

namespace plat::gui {

void Applet::showStatus(const std::string& text) {
  std::lock_guard lock(mutex_);
  status_ = text;
}

std::string Applet::getStatus() const {
  std::lock_guard lock(mutex_);
  return status_;
}

}  // namespace plat::gui
