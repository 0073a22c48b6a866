#include "quenlora/zafoli/db/beans/javax/swing/TriggeringEventHandler.h"

#include "platform/gui/ActionSource.h"
#include "platform/gui/ItemSource.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::gui::Component;

TriggeringEventHandler::TriggeringEventHandler(TriggeringEvents* target) : target_(target) {
  if (target == nullptr) throw plat::lang::IllegalArgumentException("TriggeringEventHandler: the target is null");
}

void TriggeringEventHandler::setSource(const plat::lang::Ref<Component>& source) {
  std::lock_guard lock(mutex_);
  if (source_.lock()) removeAllListeners();
  source_ = source;
  if (source) addAllListeners();
}

std::vector<int> TriggeringEventHandler::getTriggeringEvents() const {
  std::lock_guard lock(mutex_);
  return triggeringEvents;
}

int TriggeringEventHandler::getTriggeringEvents(int position) const {
  std::lock_guard lock(mutex_);
  if (position < 0 || position >= static_cast<int>(triggeringEvents.size())) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(position));
  }
  return triggeringEvents[static_cast<size_t>(position)];
}

void TriggeringEventHandler::setTriggeringEvents(const std::vector<int>& codes) {
  for (int code : codes) getEventListenerClass(code);
  std::lock_guard lock(mutex_);
  removeAllListeners();
  triggeringEvents = codes;
  addAllListeners();
}

void TriggeringEventHandler::setTriggeringEvents(int position, int code) {
  getEventListenerClass(code);
  std::lock_guard lock(mutex_);
  if (position < 0 || position >= static_cast<int>(triggeringEvents.size())) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(position));
  }
  removeListener(triggeringEvents[static_cast<size_t>(position)]);
  triggeringEvents[static_cast<size_t>(position)] = code;
  addListener(code);
}

void TriggeringEventHandler::addAllListeners() {
  std::lock_guard lock(mutex_);
  for (int code : triggeringEvents) addListener(code);
}

void TriggeringEventHandler::removeAllListeners() {
  std::lock_guard lock(mutex_);
  for (int code : triggeringEvents) removeListener(code);
}

void TriggeringEventHandler::addListener(int code) {
  std::lock_guard lock(mutex_);
  auto source = source_.lock();
  if (!source) return;
  const ListenerKind kind = getEventListenerClass(code);
  if (auto it = regListeners.find(kind); it != regListeners.end()) {
    ++it->second;
    return;
  }
  if (attach(*source, kind, true)) regListeners[kind] = 1;
}

void TriggeringEventHandler::removeListener(int code) {
  std::lock_guard lock(mutex_);
  const ListenerKind kind = getEventListenerClass(code);
  auto it = regListeners.find(kind);
  if (it == regListeners.end()) return;
  if (it->second > 1) {
    --it->second;
    return;
  }
  regListeners.erase(it);
  if (auto source = source_.lock()) attach(*source, kind, false);
}

int TriggeringEventHandler::getUseCount(ListenerKind kind) const {
  std::lock_guard lock(mutex_);
  auto it = regListeners.find(kind);
  return it == regListeners.end() ? 0 : it->second;
}

TriggeringEventHandler::ListenerKind TriggeringEventHandler::getEventListenerClass(int code) {
  switch (code) {
    case TriggeringEvents::ACTION_PERFORMED:
      return ListenerKind::Action;
    case TriggeringEvents::FOCUS_GAINED:
    case TriggeringEvents::FOCUS_LOST:
      return ListenerKind::Focus;
    case TriggeringEvents::ITEM_DESELECTED:
    case TriggeringEvents::ITEM_SELECTED:
      return ListenerKind::Item;
    case TriggeringEvents::MOUSE_CLICKED:
    case TriggeringEvents::MOUSE_ENTERED:
    case TriggeringEvents::MOUSE_EXITED:
    case TriggeringEvents::MOUSE_PRESSED:
    case TriggeringEvents::MOUSE_RELEASED:
      return ListenerKind::Mouse;
    case TriggeringEvents::KEY_PRESSED:
    case TriggeringEvents::KEY_RELEASED:
    case TriggeringEvents::KEY_TYPED:
      return ListenerKind::Key;
    default:
      throw plat::lang::IllegalArgumentException("invalid triggering event: " + std::to_string(code));
  }
}

bool TriggeringEventHandler::attach(Component& component, ListenerKind kind, bool add) {
  auto self = std::dynamic_pointer_cast<TriggeringEventHandler>(shared_from_this());
  switch (kind) {
    case ListenerKind::Action: {
      auto* source = dynamic_cast<plat::gui::ActionSource*>(&component);
      if (source == nullptr) return false;
      add ? source->addActionListener(self) : source->removeActionListener(self);
      return true;
    }
    case ListenerKind::Item: {
      auto* source = dynamic_cast<plat::gui::ItemSource*>(&component);
      if (source == nullptr) return false;
      add ? source->addItemListener(self) : source->removeItemListener(self);
      return true;
    }
    case ListenerKind::Focus:
      add ? component.addFocusListener(self) : component.removeFocusListener(self);
      return true;
    case ListenerKind::Mouse:
      add ? component.addMouseListener(self) : component.removeMouseListener(self);
      return true;
    case ListenerKind::Key:
      add ? component.addKeyListener(self) : component.removeKeyListener(self);
      return true;
  }
  return false;
}

void TriggeringEventHandler::focusLost(const plat::gui::FocusEvent& event) {
  auto source = source_.lock();
  if (!source || event.getSource() != source.get()) return;
  if (auto* currency = dynamic_cast<plat::gui::JCurrencyTextField*>(source.get())) currency->lostFocus(event);
  target_->commit();
}

void TriggeringEventHandler::fromSource(const plat::lang::Object* source) {
  auto current = source_.lock();
  if (current && source == current.get()) target_->commit();
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
