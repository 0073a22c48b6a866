// Test helpers of the locale layer: a guard that sets the default locale for one test and puts it back.
#pragma once

#include "platform/text/Locale.h"

namespace plat::text::testing {

class DefaultLocaleGuard {
 public:
  explicit DefaultLocaleGuard(const Locale& locale) : saved_(Locale::getDefault()) { Locale::setDefault(locale); }
  ~DefaultLocaleGuard() { Locale::setDefault(saved_); }
  DefaultLocaleGuard(const DefaultLocaleGuard&) = delete;
  DefaultLocaleGuard& operator=(const DefaultLocaleGuard&) = delete;

 private:
  Locale saved_;
};

}  // namespace plat::text::testing
