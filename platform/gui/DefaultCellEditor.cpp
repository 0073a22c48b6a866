#include "platform/gui/DefaultCellEditor.h"

#include "platform/gui/MouseEvent.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {

class DefaultCellEditor::Stopper : public ActionListener {
 public:
  explicit Stopper(DefaultCellEditor* editor) : editor_(editor) {}
  void actionPerformed(const ActionEvent&) override { editor_->stopCellEditing(); }

 private:
  DefaultCellEditor* editor_;  // back reference; the editor unregisters this listener before it goes
};

namespace {

template <class C>
plat::lang::Ref<C> required(plat::lang::Ref<C> component) {
  if (!component) throw plat::lang::IllegalArgumentException("a cell editor needs a component");
  return component;
}

}  // namespace

DefaultCellEditor::DefaultCellEditor(plat::lang::Ref<TextField> textField)
    : component_(required(textField)), stopper_(plat::lang::makeRef<Stopper>(this)), clickCountToStart_(2) {
  textField->addActionListener(stopper_);
}

DefaultCellEditor::DefaultCellEditor(plat::lang::Ref<CheckBox> checkBox)
    : component_(required(checkBox)), stopper_(plat::lang::makeRef<Stopper>(this)), clickCountToStart_(1) {
  checkBox->addActionListener(stopper_);
}

DefaultCellEditor::DefaultCellEditor(plat::lang::Ref<ComboBox> comboBox)
    : component_(required(comboBox)), stopper_(plat::lang::makeRef<Stopper>(this)), clickCountToStart_(1) {
  comboBox->addActionListener(stopper_);
}

DefaultCellEditor::~DefaultCellEditor() {
  if (auto* source = dynamic_cast<ActionSource*>(component_.get())) source->removeActionListener(stopper_);
}

plat::lang::Value DefaultCellEditor::getCellEditorValue() const {
  if (auto* field = dynamic_cast<TextField*>(component_.get())) return plat::lang::Value(field->getText());
  if (auto* box = dynamic_cast<CheckBox*>(component_.get())) return plat::lang::Value(box->isSelected());
  return static_cast<ComboBox&>(*component_).getSelectedItem();
}

bool DefaultCellEditor::isCellEditable(const EventObject* event) const {
  if (const auto* mouse = dynamic_cast<const MouseEvent*>(event)) return mouse->getClickCount() >= clickCountToStart_;
  return true;
}

void DefaultCellEditor::setValue(const plat::lang::Value& value) {
  if (auto* field = dynamic_cast<TextField*>(component_.get())) {
    field->setText(value.isNull() ? std::string() : value.toString());
  } else if (auto* box = dynamic_cast<CheckBox*>(component_.get())) {
    const bool ticked =
        value.is(plat::lang::Value::Kind::Boolean) ? value.getBoolean() : !value.isNull() && value.toString() == "true";
    box->getModel()->setSelected(ticked);
  } else {
    // The model's own selection: the box fires nothing for a value that is only being shown.
    static_cast<ComboBox&>(*component_).getModel()->setSelectedItem(value);
  }
}

bool DefaultCellEditor::stopCellEditing() {
  fireEditingStopped();
  return true;
}

void DefaultCellEditor::cancelCellEditing() {
  fireEditingCanceled();
}

Component& DefaultCellEditor::getTableCellEditorComponent(Table&, const plat::lang::Value& value, bool, int, int) {
  setValue(value);
  return *component_;
}

void DefaultCellEditor::fireEditingStopped() {
  const ChangeEvent event(this);
  for (const auto& l : listeners_.snapshot()) l->editingStopped(event);
}

void DefaultCellEditor::fireEditingCanceled() {
  const ChangeEvent event(this);
  for (const auto& l : listeners_.snapshot()) l->editingCanceled(event);
}

}  // namespace plat::gui
