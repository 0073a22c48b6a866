// A combo box over a combo-box model (a plain one at first, replaceable), optionally editable, showing at most
// maximumRowCount rows when open. Action and item events are fired for the user's changes only (picking an entry,
// entering free text) and for the program's calls on the box itself, never for a selection the model makes on its
// own: a model that follows its data does not hear its own change come back. GUI thread only.
#pragma once

#include <functional>

#include "platform/gui/ActionSource.h"
#include "platform/gui/ComboBoxModel.h"
#include "platform/gui/Component.h"
#include "platform/gui/ItemSource.h"

namespace plat::gui {

class ComboBox : public Component, public ActionSource, public ItemSource {
 public:
  ComboBox();
  explicit ComboBox(plat::lang::Ref<ComboBoxModel> model);

  const plat::lang::Ref<ComboBoxModel>& getModel() const { return model_; }
  // Null is an IllegalArgumentException.
  void setModel(plat::lang::Ref<ComboBoxModel> model);
  bool isEditable() const { return editable_; }
  void setEditable(bool editable) { editable_ = editable; }
  int getMaximumRowCount() const { return maximumRowCount_; }
  void setMaximumRowCount(int count) { maximumRowCount_ = count; }

  // Appends to a plain model; any other model makes it an IllegalStateException.
  void addItem(const plat::lang::Value& item);
  int getItemCount() const { return model_->getSize(); }
  plat::lang::Value getItemAt(int index) const { return model_->getElementAt(index); }
  plat::lang::Value getSelectedItem() const { return model_->getSelectedItem(); }
  // Position of the selected item among the entries (the model's own answer when it tells equal entries apart);
  // -1 when it is none of them.
  int getSelectedIndex() const;
  // As the user's choice: selects through the model, then item events (deselected, selected) when the selection
  // changed, then the action.
  void setSelectedItem(const plat::lang::Value& item);
  // A model that tells equal entries apart (IndexedComboBoxModel) is told the position.
  void setSelectedIndex(int index);

  // The user picks entry index from the open list.
  void pick(int index) { setSelectedIndex(index); }
  // The user types free text into an editable box and presses Enter; IllegalStateException when not editable.
  void enterText(const std::string& text);

  void addActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.add(l); }
  void removeActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.remove(l); }
  void addItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.add(l); }
  void removeItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.remove(l); }
  int getActionListenerCount() const { return actionListeners_.size(); }
  int getItemListenerCount() const { return itemListeners_.size(); }

  std::string getClassName() const override { return "javax.swing.JComboBox"; }

 private:
  // Makes the change, then fires what the user's change fires.
  void select(const std::function<void()>& change, const std::string& command);

  plat::lang::Ref<ComboBoxModel> model_;
  bool editable_ = false;
  int maximumRowCount_ = 8;
  ListenerList<ActionListener> actionListeners_;
  ListenerList<ItemListener> itemListeners_;
};

}  // namespace plat::gui
