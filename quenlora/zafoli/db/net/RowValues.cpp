#include "quenlora/zafoli/db/net/RowValues.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

namespace {

// Room per value at first: the largest common kind fits.
constexpr std::size_t kBytesPerValue = 96;
// A row's count is the sender's claim: past this many values the rest are allocated one by one.
constexpr std::size_t kMaxSlots = 64;
constexpr std::size_t kAlign = alignof(std::max_align_t);

constexpr std::size_t roundUp(std::size_t n) {
  return (n + kAlign - 1) / kAlign * kAlign;
}

// What the last list of a thread needed: rows of one result have the same kinds of values, so the room of a list
// for as many values is sized to what the last one used instead of to the largest kind.
struct Shape {
  std::size_t slots = 0;
  std::size_t bytes = 0;
};
[[gnu::tls_model("initial-exec")]] thread_local Shape lastShape;

// The allocator of make: the list's control block with the slots and the values' room after it, in one
// allocation, and where that room starts. Only allocate, during make, writes through start; the copy kept with the
// control block only frees.
template <class T>
struct WithRoom {
  using value_type = T;
  WithRoom(std::size_t b, unsigned char** s) : bytes(b), start(s) {}
  template <class U>
  WithRoom(const WithRoom<U>& other) : bytes(other.bytes), start(other.start) {}  // NOLINT: rebinding is implicit
  T* allocate(std::size_t n) {
    const std::size_t head = roundUp(n * sizeof(T));
    auto* memory = static_cast<unsigned char*>(::operator new(head + bytes));
    *start = memory + head;
    return reinterpret_cast<T*>(memory);
  }
  void deallocate(T* p, std::size_t /*n*/) { ::operator delete(static_cast<void*>(p)); }
  template <class U>
  bool operator==(const WithRoom<U>& other) const {
    return start == other.start;
  }
  std::size_t bytes;
  unsigned char** start;
};

}  // namespace

std::shared_ptr<RowValues> RowValues::make(int count) {
  const std::size_t slots = std::min(static_cast<std::size_t>(std::max(count, 0)), kMaxSlots);
  const std::size_t valueBytes =
      lastShape.slots == slots && lastShape.bytes > 0 ? lastShape.bytes : slots * kBytesPerValue;
  const std::size_t slotBytes = roundUp(slots * sizeof(Field*));
  Room room;
  return std::allocate_shared<RowValues>(WithRoom<RowValues>(slotBytes + valueBytes, &room.start), room, slots,
                                         valueBytes);
}

RowValues::RowValues(const Room& room, std::size_t slots, std::size_t roomBytes)
    : slots_(reinterpret_cast<Field**>(room.start)),
      slotCount_(slots),
      room_(room.start + roundUp(slots * sizeof(Field*))),
      roomBytes_(roomBytes) {}

RowValues::RowValues(std::vector<Ref<Field>> held) : held_(std::move(held)) {
  more_.reserve(held_.size());
  for (const auto& value : held_) more_.push_back(value.get());
  size_ = more_.size();
}

RowValues::~RowValues() {
  if (!held_.empty()) return;
  for (std::size_t i = 0; i < size_; ++i) {
    Field& value = at(i);
    // The memory starts at the whole object, wherever its Field part lies in it.
    void* memory = dynamic_cast<void*>(&value);
    value.~Field();
    if (!inRoom(memory)) ::operator delete(memory);
  }
}

void RowValues::filled() const {
  // Capped like the first estimate: a row of unusual values does not make the next rooms larger than that.
  lastShape = Shape{slotCount_, std::min(used_ + missed_, slotCount_ * kBytesPerValue)};
}

bool RowValues::inRoom(const void* memory) const {
  const auto* bytes = static_cast<const unsigned char*>(memory);
  return bytes >= room_ && bytes < room_ + roomBytes_;
}

void RowValues::append(Field* value) {
  if (size_ < slotCount_) {
    slots_[size_] = value;
  } else {
    more_.push_back(value);
  }
  ++size_;
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
  Field& value = at(i);
  std::lock_guard<RowLock> lock(shareLock_);
  if (auto alive = value.weak_from_this().lock()) return std::static_pointer_cast<Field>(std::move(alive));
  return Ref<Field>(&value, Hold{self});
}

}  // namespace quenlora::zafoli::db::net
