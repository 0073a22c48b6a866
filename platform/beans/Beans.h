// Process-wide bean settings: whether the beans run inside a designer (design time) or in an application.
// Thread-safe.
#pragma once

namespace plat::beans {

class Beans {
 public:
  Beans() = delete;

  // False unless a designer switched it on.
  static bool isDesignTime();
  static void setDesignTime(bool designTime);
};

}  // namespace plat::beans
