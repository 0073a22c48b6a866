// Which rows of a list or table are selected, as intervals of indexes, with an anchor and a lead index. A contract
// only; implementations say their thread rules.
#pragma once

#include "platform/gui/ListSelectionListener.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class ListSelectionModel {
 public:
  static constexpr int SINGLE_SELECTION = 0;
  static constexpr int SINGLE_INTERVAL_SELECTION = 1;
  static constexpr int MULTIPLE_INTERVAL_SELECTION = 2;

  virtual ~ListSelectionModel() = default;
  // Selects exactly index0..index1 (either order); a negative index changes nothing.
  virtual void setSelectionInterval(int index0, int index1) = 0;
  virtual void addSelectionInterval(int index0, int index1) = 0;
  virtual void removeSelectionInterval(int index0, int index1) = 0;
  virtual void clearSelection() = 0;
  // -1 when nothing is selected.
  virtual int getMinSelectionIndex() const = 0;
  virtual int getMaxSelectionIndex() const = 0;
  virtual int getAnchorSelectionIndex() const = 0;
  virtual int getLeadSelectionIndex() const = 0;
  virtual void setAnchorSelectionIndex(int index) = 0;
  virtual void setLeadSelectionIndex(int index) = 0;
  virtual bool isSelectedIndex(int index) const = 0;
  virtual bool isSelectionEmpty() const = 0;
  // Rows were inserted at index (before it, or after it): selected indexes at or past them move up by length;
  // the new rows take the selection state of the row they were inserted next to.
  virtual void insertIndexInterval(int index, int length, bool before) = 0;
  // Rows index0..index1 were removed: their selection goes, later indexes move down.
  virtual void removeIndexInterval(int index0, int index1) = 0;
  virtual void setValueIsAdjusting(bool adjusting) = 0;
  virtual bool getValueIsAdjusting() const = 0;
  virtual void setSelectionMode(int mode) = 0;
  virtual int getSelectionMode() const = 0;
  virtual void addListSelectionListener(const plat::lang::Ref<ListSelectionListener>& listener) = 0;
  virtual void removeListSelectionListener(const plat::lang::Ref<ListSelectionListener>& listener) = 0;
};

}  // namespace plat::gui
