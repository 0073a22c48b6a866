// The ICU side of NumberFormat, shared by the sources of NumberFormat and DecimalFormat only.
#pragma once

#include <memory>

#include <unicode/decimfmt.h>

#include "platform/text/NumberFormat.h"

namespace plat::text {

struct NumberFormat::Impl {
  std::unique_ptr<icu::DecimalFormat> icu;  // never null
};

}  // namespace plat::text
