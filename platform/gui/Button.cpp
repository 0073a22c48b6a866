#include "platform/gui/Button.h"

#include "platform/gui/DefaultButtonModel.h"

namespace plat::gui {

Button::Button() : AbstractButton(plat::lang::makeRef<DefaultButtonModel>(false)) {}

}  // namespace plat::gui
