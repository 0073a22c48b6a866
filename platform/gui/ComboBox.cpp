#include "platform/gui/ComboBox.h"

#include "platform/gui/DefaultComboBoxModel.h"
#include "platform/gui/IndexedComboBoxModel.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {

ComboBox::ComboBox() : model_(plat::lang::makeRef<DefaultComboBoxModel>()) {}

ComboBox::ComboBox(plat::lang::Ref<ComboBoxModel> model) {
  setModel(std::move(model));
}

void ComboBox::setModel(plat::lang::Ref<ComboBoxModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("model must be non null");
  model_ = std::move(model);
  repaint();
}

void ComboBox::addItem(const plat::lang::Value& item) {
  auto plain = std::dynamic_pointer_cast<DefaultComboBoxModel>(model_);
  if (!plain) throw plat::lang::IllegalStateException("Cannot use this method with a non-Mutable data model.");
  plain->addElement(item);
}

int ComboBox::getSelectedIndex() const {
  if (const auto* indexed = dynamic_cast<const IndexedComboBoxModel*>(model_.get())) {
    return indexed->getSelectedIndex();
  }
  const plat::lang::Value selected = model_->getSelectedItem();
  for (int i = 0; i < model_->getSize(); ++i) {
    if (model_->getElementAt(i) == selected) return i;
  }
  return -1;
}

void ComboBox::setSelectedItem(const plat::lang::Value& item) {
  select([&] { model_->setSelectedItem(item); }, "comboBoxChanged");
}

void ComboBox::setSelectedIndex(int index) {
  if (index < -1 || index >= model_->getSize()) {
    throw plat::lang::IllegalArgumentException("setSelectedIndex: " + std::to_string(index) + " out of bounds");
  }
  if (auto* indexed = dynamic_cast<IndexedComboBoxModel*>(model_.get())) {
    select([&] { indexed->setSelectedIndex(index); }, "comboBoxChanged");
    return;
  }
  const plat::lang::Value item = index < 0 ? plat::lang::Value() : model_->getElementAt(index);
  select([&] { model_->setSelectedItem(item); }, "comboBoxChanged");
}

void ComboBox::enterText(const std::string& text) {
  if (!editable_) throw plat::lang::IllegalStateException("the combo box is not editable");
  const plat::lang::Value item(text);
  select([&] { model_->setSelectedItem(item); }, "comboBoxEdited");
}

void ComboBox::select(const std::function<void()>& change, const std::string& command) {
  const plat::lang::Value before = model_->getSelectedItem();
  change();
  const plat::lang::Value after = model_->getSelectedItem();
  if (!(before == after)) {
    if (!before.isNull()) {
      const ItemEvent event(this, before, ItemEvent::DESELECTED);
      for (const auto& l : itemListeners_.snapshot()) l->itemStateChanged(event);
    }
    if (!after.isNull()) {
      const ItemEvent event(this, after, ItemEvent::SELECTED);
      for (const auto& l : itemListeners_.snapshot()) l->itemStateChanged(event);
    }
  }
  const ActionEvent event(this, command);
  for (const auto& l : actionListeners_.snapshot()) l->actionPerformed(event);
  repaint();
}

}  // namespace plat::gui
