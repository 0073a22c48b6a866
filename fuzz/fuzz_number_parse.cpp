// Feeds arbitrary text to every number parser. A parser may refuse the text only with NumberFormatException; a
// double or float it accepts must come back bit for bit from its own text form.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/math/Decimal.h"

namespace {

using plat::lang::NumberFormatException;

template <class Parse>
void tryParse(Parse parse) {
  try {
    parse();
  } catch (const NumberFormatException&) {
  }
}

void checkDouble(double value) {
  if (std::isnan(value)) return;
  const double back = plat::lang::Double::parseDouble(plat::lang::Double::toString(value));
  if (std::bit_cast<uint64_t>(back) != std::bit_cast<uint64_t>(value)) std::abort();
}

void checkFloat(float value) {
  if (std::isnan(value)) return;
  const float back = plat::lang::Float::parseFloat(plat::lang::Float::toString(value));
  if (std::bit_cast<uint32_t>(back) != std::bit_cast<uint32_t>(value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tryParse([&] {
    const int32_t value = plat::lang::Integer::parseInt(text);
    if (plat::lang::Integer::parseInt(plat::lang::Integer::toString(value)) != value) std::abort();
  });
  tryParse([&] { plat::lang::Integer::parseInt(text, 36); });
  tryParse([&] {
    const int64_t value = plat::lang::Long::parseLong(text);
    if (plat::lang::Long::parseLong(plat::lang::Long::toString(value)) != value) std::abort();
  });
  tryParse([&] { checkDouble(plat::lang::Double::parseDouble(text)); });
  tryParse([&] { checkFloat(plat::lang::Float::parseFloat(text)); });
  tryParse([&] {
    const plat::math::Decimal value(text);
    // The text form is bounded by the input when the scale is kept; it must read back as the same number.
    if (!plat::math::Decimal(value.toString()).equals(value)) std::abort();
    value.doubleValue();
    value.longValue();
  });
  return 0;
}
