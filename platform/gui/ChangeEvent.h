// Something about the source changed; listeners ask the source what.
#pragma once

#include "platform/gui/EventObject.h"

namespace plat::gui {

class ChangeEvent : public EventObject {
 public:
  using EventObject::EventObject;
};

}  // namespace plat::gui
