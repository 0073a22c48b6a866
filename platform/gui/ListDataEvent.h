// A change of a list model: entries index0..index1 (inclusive, in either order) changed, were added or removed.
#pragma once

#include <algorithm>

#include "platform/gui/EventObject.h"

namespace plat::gui {

class ListDataEvent : public EventObject {
 public:
  static constexpr int CONTENTS_CHANGED = 0;
  static constexpr int INTERVAL_ADDED = 1;
  static constexpr int INTERVAL_REMOVED = 2;

  ListDataEvent(plat::lang::Object* source, int type, int index0, int index1)
      : EventObject(source), type_(type), index0_(std::min(index0, index1)), index1_(std::max(index0, index1)) {}
  int getType() const { return type_; }
  int getIndex0() const { return index0_; }
  int getIndex1() const { return index1_; }

 private:
  int type_;
  int index0_;  // the lower end
  int index1_;  // the upper end
};

}  // namespace plat::gui
