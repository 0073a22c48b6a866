#include "platform/gui/AbstractListModel.h"

namespace plat::gui {

void AbstractListModel::fireContentsChanged(plat::lang::Object* source, int index0, int index1) {
  const ListDataEvent event(source, ListDataEvent::CONTENTS_CHANGED, index0, index1);
  for (const auto& l : listeners_.snapshot()) l->contentsChanged(event);
}

void AbstractListModel::fireIntervalAdded(plat::lang::Object* source, int index0, int index1) {
  const ListDataEvent event(source, ListDataEvent::INTERVAL_ADDED, index0, index1);
  for (const auto& l : listeners_.snapshot()) l->intervalAdded(event);
}

void AbstractListModel::fireIntervalRemoved(plat::lang::Object* source, int index0, int index1) {
  const ListDataEvent event(source, ListDataEvent::INTERVAL_REMOVED, index0, index1);
  for (const auto& l : listeners_.snapshot()) l->intervalRemoved(event);
}

}  // namespace plat::gui
