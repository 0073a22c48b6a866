#include "platform/lang/Throwable.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace plat::lang {

namespace {

// The C++ name of the object's dynamic type, as a reader of the message knows it.
std::string cxxClassName(const Throwable& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

}  // namespace

std::string Throwable::toString() const {
  if (!hasMessage_) return cxxClassName(*this);
  return cxxClassName(*this) + ": " + message_;
}

}  // namespace plat::lang
