// The plain combo-box model: a list of entries and a selected item; the first entry added to an empty model
// becomes the selection. GUI thread only.
#pragma once

#include <vector>

#include "platform/gui/AbstractListModel.h"
#include "platform/gui/ComboBoxModel.h"

namespace plat::gui {

class DefaultComboBoxModel : public AbstractListModel, public ComboBoxModel {
 public:
  DefaultComboBoxModel() = default;
  explicit DefaultComboBoxModel(std::vector<plat::lang::Value> items);

  int getSize() const override { return static_cast<int>(objects_.size()); }
  plat::lang::Value getElementAt(int index) const override;
  // Announces a change of the selection (index -1) when the item differs from the selected one.
  void setSelectedItem(const plat::lang::Value& item) override;
  plat::lang::Value getSelectedItem() const override { return selected_; }

  void addElement(const plat::lang::Value& item);
  void insertElementAt(const plat::lang::Value& item, int index);
  void removeElementAt(int index);
  void removeAllElements();
  // Position of the first entry equal to item; -1 when none is.
  int getIndexOf(const plat::lang::Value& item) const;

  std::string getClassName() const override { return "javax.swing.DefaultComboBoxModel"; }

 private:
  std::vector<plat::lang::Value> objects_;
  plat::lang::Value selected_;
};

}  // namespace plat::gui
