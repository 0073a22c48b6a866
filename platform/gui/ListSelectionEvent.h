// The selection of rows firstIndex..lastIndex (inclusive) may have changed; adjusting while a drag goes on.
#pragma once

#include "platform/gui/EventObject.h"

namespace plat::gui {

class ListSelectionEvent : public EventObject {
 public:
  ListSelectionEvent(plat::lang::Object* source, int firstIndex, int lastIndex, bool isAdjusting)
      : EventObject(source), first_(firstIndex), last_(lastIndex), adjusting_(isAdjusting) {}
  int getFirstIndex() const { return first_; }
  int getLastIndex() const { return last_; }
  bool getValueIsAdjusting() const { return adjusting_; }

 private:
  int first_;
  int last_;
  bool adjusting_;
};

}  // namespace plat::gui
