// A combo-box model whose entries may repeat a text: the combo box tells it which entry the user picked by its
// position, so that the model can tell equal texts apart.
#pragma once

namespace plat::gui {

class IndexedComboBoxModel {
 public:
  virtual ~IndexedComboBoxModel() = default;
  // Selects the entry at index (-1: none).
  virtual void setSelectedIndex(int index) = 0;
};

}  // namespace plat::gui
