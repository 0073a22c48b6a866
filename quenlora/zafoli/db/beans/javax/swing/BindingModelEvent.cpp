#include "quenlora/zafoli/db/beans/javax/swing/BindingModelEvent.h"

namespace quenlora::zafoli::db::beans::javax::swing {

const BindingModelEvent BindingModelEvent::actionPerformed("actionPerformed", 0);
const BindingModelEvent BindingModelEvent::focusGained("focusGained", 1);
const BindingModelEvent BindingModelEvent::focusLost("focusLost", 2);
const BindingModelEvent BindingModelEvent::itemStateChanged("itemStateChanged", 3);
const BindingModelEvent BindingModelEvent::mouseClicked("mouseClicked", 4);
const BindingModelEvent BindingModelEvent::mouseEntered("mouseEntered", 5);
const BindingModelEvent BindingModelEvent::mouseExited("mouseExited", 6);
const BindingModelEvent BindingModelEvent::mousePressed("mousePressed", 7);
const BindingModelEvent BindingModelEvent::mouseReleased("mouseReleased", 8);
const BindingModelEvent BindingModelEvent::keyPressed("keyPressed", 9);
const BindingModelEvent BindingModelEvent::keyReleased("keyReleased", 10);
const BindingModelEvent BindingModelEvent::keyTyped("keyTyped", 11);

std::string BindingModelEvent::toLongString() const {
  return "quenlora.zafoli.db.beans.javax.swing.BindingModel." + name_;
}

std::vector<const BindingModelEvent*> BindingModelEvent::getEvents() {
  return {&actionPerformed, &focusGained,  &focusLost,     &itemStateChanged, &mouseClicked, &mouseEntered,
          &mouseExited,     &mousePressed, &mouseReleased, &keyPressed,       &keyReleased,  &keyTyped};
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
