#include "platform/gui/TextField.h"

namespace plat::gui {

void TextField::postActionEvent() {
  const ActionEvent event(this, getText());
  for (const auto& l : actionListeners_.snapshot()) l->actionPerformed(event);
}

}  // namespace plat::gui
