// Base of list models: keeps the list-data listeners and tells them of changes. Listeners are called on the
// firing thread, outside any lock.
#pragma once

#include <vector>

#include "platform/gui/ListModel.h"
#include "platform/gui/ListenerList.h"

namespace plat::gui {

class AbstractListModel : public plat::lang::Object, public virtual ListModel {
 public:
  void addListDataListener(const plat::lang::Ref<ListDataListener>& listener) override { listeners_.add(listener); }
  void removeListDataListener(const plat::lang::Ref<ListDataListener>& listener) override {
    listeners_.remove(listener);
  }
  std::vector<plat::lang::Ref<ListDataListener>> getListDataListeners() const { return listeners_.snapshot(); }

 protected:
  void fireContentsChanged(plat::lang::Object* source, int index0, int index1);
  void fireIntervalAdded(plat::lang::Object* source, int index0, int index1);
  void fireIntervalRemoved(plat::lang::Object* source, int index0, int index1);

 private:
  ListenerList<ListDataListener> listeners_;
};

}  // namespace plat::gui
