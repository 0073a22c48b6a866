#include "platform/beans/Beans.h"

#include <atomic>

namespace plat::beans {

namespace {
std::atomic<bool> designTime{false};
}  // namespace

bool Beans::isDesignTime() {
  return designTime.load();
}

void Beans::setDesignTime(bool value) {
  designTime.store(value);
}

}  // namespace plat::beans
