// Small helpers the bound models share: a flag held for the life of a scope, the text a component shows for a
// value, and the name an item was published under.
#pragma once

#include <atomic>
#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::javax::swing::support {

// Holds flag at value while the scope lives, then gives it back what it was before.
class FlagScope {
 public:
  FlagScope(std::atomic<bool>& flag, bool value) : flag_(flag), was_(flag.exchange(value)) {}
  ~FlagScope() { flag_.store(was_); }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  std::atomic<bool>& flag_;
  bool was_;
};

// A null value shows as nothing.
inline std::string textOf(const plat::lang::Value& v) {
  return v.isNull() ? std::string() : v.toString();
}

// The item's published name, else fallback.
inline std::string fullNameOf(const plat::lang::Ref<binding::databus::DataItem>& item, const std::string& fallback) {
  auto* named = dynamic_cast<binding::DataItemAddition*>(item.get());
  return named != nullptr ? named->getName() : fallback;
}

}  // namespace quenlora::zafoli::db::beans::javax::swing::support
