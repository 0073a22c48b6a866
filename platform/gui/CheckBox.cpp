#include "platform/gui/CheckBox.h"

#include "platform/gui/DefaultButtonModel.h"

namespace plat::gui {

CheckBox::CheckBox() : AbstractButton(plat::lang::makeRef<DefaultButtonModel>(true)) {
  setHorizontalAlignment(LEADING);
  setBorderPainted(false);
}

}  // namespace plat::gui
