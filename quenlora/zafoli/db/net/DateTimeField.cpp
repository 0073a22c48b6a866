#include "quenlora/zafoli/db/net/DateTimeField.h"

#include "platform/lang/IntMath.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"

namespace quenlora::zafoli::db::net {

void DateTimeField::readFields(plat::io::DataInputStream& in, std::int16_t* fields, std::size_t count) {
  std::uint8_t scratch[2 * kMaxFields];
  const std::uint8_t* bytes = WireInput::bytes(in, scratch, 2 * count);
  for (std::size_t i = 0; i < count; ++i) fields[i] = WireFormat::decodeShort(bytes + 2 * i);
}

void DateTimeField::writeFields(plat::io::DataOutputStream& out, const int* fields, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) WireFormat::writeShortData(out, plat::lang::IntMath::intToShort(fields[i]));
}

}  // namespace quenlora::zafoli::db::net
