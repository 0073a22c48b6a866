// A named position in a navigator's row set and the record found there. Setting a position of 0 or more asks the
// set for that element first, so a failed fetch leaves the cursor as it was. Thread-safe: position and focus are
// read and written under the cursor's lock; the set is a back reference owned by the navigator.
#pragma once

#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/ExpandableSet.h"

namespace quenlora::zafoli::db::beans::binding {

class Cursor {
 public:
  Cursor(std::string name, ExpandableSet* set) : name_(std::move(name)), set_(set) {}
  Cursor(const Cursor&) = delete;
  Cursor& operator=(const Cursor&) = delete;

  const std::string& getName() const { return name_; }
  int getPosition() const;
  // PositionOutOfRangeException from the set passes on and changes nothing. A negative position changes only the
  // position.
  void setPosition(int position);
  plat::lang::Ref<plat::lang::Object> getFocus() const;
  void setFocus(const plat::lang::Ref<plat::lang::Object>& focus);

 private:
  const std::string name_;
  ExpandableSet* const set_;  // back reference; the navigator owns its cursors
  mutable std::mutex mutex_;
  int position_ = -1;                          // guarded by mutex_
  plat::lang::Ref<plat::lang::Object> focus_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
