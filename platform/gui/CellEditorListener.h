// Told when a cell editor stops (the value is kept) or cancels editing.
#pragma once

#include "platform/gui/ChangeEvent.h"

namespace plat::gui {

class CellEditorListener {
 public:
  virtual ~CellEditorListener() = default;
  virtual void editingStopped(const ChangeEvent& event) = 0;
  virtual void editingCanceled(const ChangeEvent& event) = 0;
};

}  // namespace plat::gui
