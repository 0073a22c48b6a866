#include "platform/gui/GuiClasses.h"

#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/CurrencyEngine.h"
#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/Label.h"
#include "platform/gui/TextField.h"

namespace plat::gui {
namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, std::string superclass) {
  plat::runvale::registerNew<T>(registry, T().getClassName(), {}, std::move(superclass));
}

}  // namespace

void registerGuiClasses(plat::runvale::ClassRegistry& registry) {
  add<TextField>(registry, "");
  add<JMaskedTextField>(registry, "javax.swing.JTextField");
  add<JCurrencyTextField>(registry, "javax.swing.JTextField");
  add<Label>(registry, "");
  add<CheckBox>(registry, "");
  add<ComboBox>(registry, "");
  add<DefaultTableCellRenderer>(registry, "javax.swing.JLabel");
  add<CurrencyEngine>(registry, "");
}

}  // namespace plat::gui
