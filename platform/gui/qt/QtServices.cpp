#include "platform/gui/qt/QtServices.h"

namespace plat::gui::qt {

QtServices::QtServices(QWidget* parent)
    : dialogs_(std::make_shared<QtDialogService>(parent)), queue_(std::make_shared<QtEventQueue>()) {
  DialogService::setCurrent(dialogs_);
  EventQueue::setCurrent(queue_);
}

QtServices::~QtServices() {
  // Only what this object installed is taken back; a service installed later by someone else stays.
  if (DialogService::current() == dialogs_) DialogService::setCurrent(nullptr);
  if (EventQueue::current() == queue_) EventQueue::setCurrent(nullptr);
}

}  // namespace plat::gui::qt
