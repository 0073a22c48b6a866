#include "quenlora/zafoli/db/beans/binding/Cursor.h"

namespace quenlora::zafoli::db::beans::binding {

int Cursor::getPosition() const {
  std::lock_guard lock(mutex_);
  return position_;
}

void Cursor::setPosition(int position) {
  if (position < 0) {
    std::lock_guard lock(mutex_);
    position_ = position;
    return;
  }
  // Asked outside the lock: the set may fetch, and fetching calls into the record class.
  auto element = set_->getElementAt(position);
  std::lock_guard lock(mutex_);
  focus_ = std::move(element);
  position_ = position;
}

plat::lang::Ref<plat::lang::Object> Cursor::getFocus() const {
  std::lock_guard lock(mutex_);
  return focus_;
}

void Cursor::setFocus(const plat::lang::Ref<plat::lang::Object>& focus) {
  std::lock_guard lock(mutex_);
  focus_ = focus;
}

}  // namespace quenlora::zafoli::db::beans::binding
