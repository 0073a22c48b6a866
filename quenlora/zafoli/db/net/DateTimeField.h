// Base of the date and time values: after the header, the fields as raw signed 16-bit numbers on read, and as one
// 2-byte data object per field on write. Fields out of their usual ranges are normalised by the calendar. Same
// thread contract as Field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::net {

class DateTimeField : public Field {
 protected:
  DateTimeField() = default;

  static constexpr std::size_t kMaxFields = 7;

  // count raw 16-bit numbers.
  static void readFields(plat::io::DataInputStream& in, std::int16_t* fields, std::size_t count);
  // count 2-byte data objects; each number keeps its low 16 bits.
  static void writeFields(plat::io::DataOutputStream& out, const int* fields, std::size_t count);
};

}  // namespace quenlora::zafoli::db::net
