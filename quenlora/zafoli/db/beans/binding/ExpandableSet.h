// The lazily expanded row set that a navigator's cursors walk. Implementations say their own thread contract.
#pragma once

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding {

class ExpandableSet {
 public:
  ExpandableSet() = default;
  ExpandableSet(const ExpandableSet&) = delete;
  ExpandableSet& operator=(const ExpandableSet&) = delete;
  virtual ~ExpandableSet() = default;

  // Throws PositionOutOfRangeException when the set cannot be grown to hold index.
  virtual plat::lang::Ref<plat::lang::Object> getElementAt(int index) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
