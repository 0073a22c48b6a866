// The plain selection model: any set of indexes (multiple intervals by default), the anchor and lead of the last
// change, and one event per change naming the span of indexes whose state changed. GUI thread only.
#pragma once

#include <vector>

#include "platform/gui/ListSelectionModel.h"
#include "platform/gui/ListenerList.h"

namespace plat::gui {

class DefaultListSelectionModel : public plat::lang::Object, public ListSelectionModel {
 public:
  DefaultListSelectionModel() = default;
  DefaultListSelectionModel(const DefaultListSelectionModel&) = delete;
  DefaultListSelectionModel& operator=(const DefaultListSelectionModel&) = delete;

  void setSelectionInterval(int index0, int index1) override;
  void addSelectionInterval(int index0, int index1) override;
  void removeSelectionInterval(int index0, int index1) override;
  void clearSelection() override;
  int getMinSelectionIndex() const override;
  int getMaxSelectionIndex() const override;
  int getAnchorSelectionIndex() const override { return anchor_; }
  int getLeadSelectionIndex() const override { return lead_; }
  void setAnchorSelectionIndex(int index) override { anchor_ = index; }
  void setLeadSelectionIndex(int index) override { lead_ = index; }
  bool isSelectedIndex(int index) const override;
  bool isSelectionEmpty() const override { return getMinSelectionIndex() < 0; }
  void insertIndexInterval(int index, int length, bool before) override;
  void removeIndexInterval(int index0, int index1) override;
  void setValueIsAdjusting(bool adjusting) override { adjusting_ = adjusting; }
  bool getValueIsAdjusting() const override { return adjusting_; }
  // An unknown mode is an IllegalArgumentException.
  void setSelectionMode(int mode) override;
  int getSelectionMode() const override { return mode_; }
  void addListSelectionListener(const plat::lang::Ref<ListSelectionListener>& listener) override {
    listeners_.add(listener);
  }
  void removeListSelectionListener(const plat::lang::Ref<ListSelectionListener>& listener) override {
    listeners_.remove(listener);
  }

  std::string getClassName() const override { return "javax.swing.DefaultListSelectionModel"; }

 private:
  // Installs the new state and tells the listeners of the span that differs (nobody when none does).
  void apply(std::vector<bool> selected, int anchor, int lead);

  std::vector<bool> selected_;  // selected_[i]: index i is selected; no trailing false entries are needed
  int anchor_ = -1;
  int lead_ = -1;
  int mode_ = MULTIPLE_INTERVAL_SELECTION;
  bool adjusting_ = false;
  ListenerList<ListSelectionListener> listeners_;
};

}  // namespace plat::gui
