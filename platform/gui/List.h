// A list: shows a list model's entries, selects through a list selection model (replaceable), and keeps the
// selection on the same entries when the model adds or removes entries before them. The user clicks a row
// (Shift extends from the anchor, Ctrl adds). Rows are 16 pixels high. GUI thread only.
#pragma once

#include "platform/gui/Component.h"
#include "platform/gui/ListModel.h"
#include "platform/gui/ListSelectionModel.h"

namespace plat::gui {

class List : public Component {
 public:
  static constexpr int kRowHeight = 16;

  List();
  ~List() override;

  const plat::lang::Ref<ListModel>& getModel() const { return model_; }
  // Null is an IllegalArgumentException.
  void setModel(plat::lang::Ref<ListModel> model);
  const plat::lang::Ref<ListSelectionModel>& getSelectionModel() const { return selectionModel_; }
  void setSelectionModel(plat::lang::Ref<ListSelectionModel> model);

  int getSelectedIndex() const { return selectionModel_->getMinSelectionIndex(); }
  void setSelectedIndex(int index);
  // The entry at the lowest selected index; null without a selection.
  plat::lang::Value getSelectedValue() const;
  void clearSelection() { selectionModel_->clearSelection(); }
  int locationToIndex(Point point) const;

  // The user clicks row index.
  void clickRow(int index, int modifiers = 0, int clickCount = 1);

  std::string getClassName() const override { return "javax.swing.JList"; }

 protected:
  void processMouse(const MouseEvent& event) override;

 private:
  class ModelWatcher;

  plat::lang::Ref<ListModel> model_;
  plat::lang::Ref<ListSelectionModel> selectionModel_;
  plat::lang::Ref<ModelWatcher> watcher_;  // registered on model_; refers back to this list
};

}  // namespace plat::gui
