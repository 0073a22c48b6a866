// A list model with one selected item, which need not be one of the entries (an editable box's free text).
#pragma once

#include "platform/gui/ListModel.h"

namespace plat::gui {

class ComboBoxModel : public virtual ListModel {
 public:
  virtual void setSelectedItem(const plat::lang::Value& item) = 0;
  virtual plat::lang::Value getSelectedItem() const = 0;
};

}  // namespace plat::gui
