// A combo-box model whose entries may repeat a text: the combo box tells it which entry the user picked by its
// position, and asks it which one is selected, so that equal texts are told apart both ways.
#pragma once

namespace plat::gui {

class IndexedComboBoxModel {
 public:
  virtual ~IndexedComboBoxModel() = default;
  // Selects the entry at index (-1: none).
  virtual void setSelectedIndex(int index) = 0;
  // The entry selected, -1 for none or for an item that is no entry (free text).
  virtual int getSelectedIndex() const = 0;
};

}  // namespace plat::gui
