// Base of the toolkit's events. The source is the model or component the event came from, a back reference the
// event does not own; events are values, made and read on the firing thread.
#pragma once

#include "platform/lang/Object.h"

namespace plat::gui {

class EventObject {
 public:
  explicit EventObject(plat::lang::Object* source) : source_(source) {}
  virtual ~EventObject() = default;
  plat::lang::Object* getSource() const { return source_; }

 private:
  plat::lang::Object* source_;  // back reference; may be null
};

}  // namespace plat::gui
