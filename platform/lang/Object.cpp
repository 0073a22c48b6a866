#include "platform/lang/Object.h"

#include <cstdint>
#include <cstdio>
#include <typeinfo>

namespace plat::lang {

std::string Object::getClassName() const {
  return typeid(*this).name();
}

int Object::hashCode() const {
  auto bits = reinterpret_cast<std::uintptr_t>(this);
  return static_cast<int>(bits ^ (bits >> 32));
}

std::string Object::toString() const {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(hashCode()));
  return getClassName() + "@" + hex;
}

}  // namespace plat::lang
