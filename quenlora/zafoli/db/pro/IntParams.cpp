#include "quenlora/zafoli/db/pro/IntParams.h"

#include <array>

namespace quenlora::zafoli::db::pro {

namespace {

// Direct-mapped: a number that collides with another simply replaces it. Small, because a walk over a view sends
// only a handful of distinct numbers besides the row numbers that change on every call.
constexpr std::size_t kSlots = 64;

struct Slot {
  std::int32_t value = 0;
  bool isObjectRef = false;
  plat::lang::Ref<net::Param> param;
};

}  // namespace

plat::lang::Ref<net::Param> IntParams::of(std::int32_t v, bool isObjectRef) {
  thread_local std::array<Slot, kSlots> cache;
  const auto bits = static_cast<std::uint32_t>(v);
  Slot& slot = cache[((bits * 0x9E3779B1u) >> 26 ^ (isObjectRef ? 1u : 0u)) % kSlots];
  if (!slot.param || slot.value != v || slot.isObjectRef != isObjectRef) {
    slot = Slot{v, isObjectRef, net::Param::ofInt(0, v, isObjectRef)};
  }
  return slot.param;
}

}  // namespace quenlora::zafoli::db::pro
