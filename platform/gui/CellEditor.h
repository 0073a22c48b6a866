// An editor of one value at a time: whether an event starts editing, the edited value, and stopping (keeping the
// value) or cancelling, which its listeners hear of.
#pragma once

#include "platform/gui/CellEditorListener.h"
#include "platform/gui/EventObject.h"
#include "platform/lang/Value.h"

namespace plat::gui {

class CellEditor {
 public:
  virtual ~CellEditor() = default;
  virtual plat::lang::Value getCellEditorValue() const = 0;
  // event may be null (editing started by the program).
  virtual bool isCellEditable(const EventObject* event) const = 0;
  virtual bool shouldSelectCell(const EventObject* event) const = 0;
  // False when the edited value cannot be taken yet; editing goes on.
  virtual bool stopCellEditing() = 0;
  virtual void cancelCellEditing() = 0;
  virtual void addCellEditorListener(const plat::lang::Ref<CellEditorListener>& listener) = 0;
  virtual void removeCellEditorListener(const plat::lang::Ref<CellEditorListener>& listener) = 0;
};

}  // namespace plat::gui
