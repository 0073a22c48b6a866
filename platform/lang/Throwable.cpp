#include "platform/lang/Throwable.h"

namespace plat::lang {

std::string Throwable::toString() const {
  if (!hasMessage_) return getClassName();
  return getClassName() + ": " + message_;
}

}  // namespace plat::lang
