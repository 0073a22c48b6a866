#include "quenlora/zafoli/db/net/RowValues.h"

#include <mutex>

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

RowValues::RowValues(const RowArena::Allocator<Field*>& allocator, std::size_t reserved) : values_(allocator) {
  values_.reserve(reserved);
}

RowValues::RowValues(std::vector<Ref<Field>> held)
    : values_(RowArena::Allocator<Field*>(nullptr)), held_(std::move(held)) {
  values_.reserve(held_.size());
  for (const auto& value : held_) values_.push_back(value.get());
}

RowValues::~RowValues() {
  if (!held_.empty()) return;
  RowArena::Allocator<unsigned char> allocator(values_.get_allocator());
  for (Field* value : values_) {
    // The memory starts at the whole object, wherever its Field part lies in it.
    void* memory = dynamic_cast<void*>(value);
    value->~Field();
    allocator.deallocate(static_cast<unsigned char*>(memory), 1);
  }
}

Ref<Field> RowValues::share(std::size_t i, const std::shared_ptr<const RowValues>& self) const {
  if (!held_.empty()) return held_[i];
  // A count of its own rather than one sharing the list's, so that the value's shared_from_this works as on any
  // object; while one is alive it is the value's only one, so that shared_from_this keeps working as long as any
  // reference handed out does. It holds the list until the last reference goes, letting go in the deleter: the
  // deleter object itself lasts as long as the value's weak reference to it, and would keep the list alive for
  // ever. The lock keeps two rows that share this list from making or setting that reference at once.
  struct Hold {
    std::shared_ptr<const RowValues> values;
    void operator()(Field* /*value*/) { values.reset(); }
  };
  Field* value = values_[i];
  std::lock_guard<RowLock> lock(shareLock_);
  if (auto alive = value->weak_from_this().lock()) return std::static_pointer_cast<Field>(std::move(alive));
  return Ref<Field>(value, Hold{self});
}

}  // namespace quenlora::zafoli::db::net
