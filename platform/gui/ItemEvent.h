// An entry of a combo box or the state of a check box became selected (1) or deselected (2).
#pragma once

#include "platform/gui/EventObject.h"
#include "platform/lang/Value.h"

namespace plat::gui {

class ItemEvent : public EventObject {
 public:
  static constexpr int ITEM_STATE_CHANGED = 701;
  static constexpr int SELECTED = 1;
  static constexpr int DESELECTED = 2;

  ItemEvent(plat::lang::Object* source, plat::lang::Value item, int stateChange)
      : EventObject(source), item_(std::move(item)), stateChange_(stateChange) {}
  int getID() const { return ITEM_STATE_CHANGED; }
  const plat::lang::Value& getItem() const { return item_; }
  int getStateChange() const { return stateChange_; }

 private:
  plat::lang::Value item_;
  int stateChange_;
};

}  // namespace plat::gui
