// Integer arithmetic with the managed runtime's rules: 32- and 64-bit two's complement that wraps on overflow,
// narrowing that keeps the low bits, floating-to-integer conversion that saturates (NaN gives 0) and division that
// throws ArithmeticException on a zero divisor. Nothing here has undefined behaviour. Stateless; any thread.
#pragma once

#include <cstdint>

namespace plat::lang {

class IntMath {
 public:
  IntMath() = delete;

  // Wrapping arithmetic: computed in unsigned arithmetic, where overflow is defined, then reinterpreted.
  static constexpr int32_t addInt(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
  }
  static constexpr int32_t subInt(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
  }
  static constexpr int32_t mulInt(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
  }
  static constexpr int32_t negInt(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

  static constexpr int64_t addLong(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
  }
  static constexpr int64_t subLong(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
  }
  static constexpr int64_t mulLong(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
  }
  static constexpr int64_t negLong(int64_t a) { return static_cast<int64_t>(0u - static_cast<uint64_t>(a)); }

  // Division truncates toward zero; MIN / -1 wraps to MIN and MIN % -1 is 0. A zero divisor throws
  // ArithmeticException "/ by zero".
  static int32_t divInt(int32_t a, int32_t b);
  static int32_t remInt(int32_t a, int32_t b);
  static int64_t divLong(int64_t a, int64_t b);
  static int64_t remLong(int64_t a, int64_t b);

  // Shifts use only the low 5 (int) or 6 (long) bits of the count; ushr shifts zeros in.
  static constexpr int32_t shlInt(int32_t a, int32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) << (n & 31));
  }
  static constexpr int32_t shrInt(int32_t a, int32_t n) { return a >> (n & 31); }
  static constexpr int32_t ushrInt(int32_t a, int32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) >> (n & 31));
  }
  static constexpr int64_t shlLong(int64_t a, int32_t n) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) << (n & 63));
  }
  static constexpr int64_t shrLong(int64_t a, int32_t n) { return a >> (n & 63); }
  static constexpr int64_t ushrLong(int64_t a, int32_t n) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) >> (n & 63));
  }

  // Narrowing keeps the low bits of the two's complement form.
  static constexpr int32_t longToInt(int64_t v) { return static_cast<int32_t>(static_cast<uint64_t>(v)); }
  static constexpr int16_t intToShort(int32_t v) { return static_cast<int16_t>(static_cast<uint32_t>(v)); }
  static constexpr int8_t intToByte(int32_t v) { return static_cast<int8_t>(static_cast<uint32_t>(v)); }
  // The runtime's char is an unsigned 16-bit unit.
  static constexpr char16_t intToChar(int32_t v) { return static_cast<char16_t>(static_cast<uint32_t>(v)); }
  static constexpr int16_t longToShort(int64_t v) { return intToShort(longToInt(v)); }
  static constexpr int8_t longToByte(int64_t v) { return intToByte(longToInt(v)); }

  // Floating to integer: truncation toward zero, saturating at the type's limits, NaN gives 0.
  static int32_t doubleToInt(double v);
  static int64_t doubleToLong(double v);
  static int32_t floatToInt(float v);
  static int64_t floatToLong(float v);
};

}  // namespace plat::lang
