// INTEGER value (type 82): a 32-bit signed integer; setters refuse values outside its range. Same thread contract as
// Field.
#pragma once

#include <cstdint>

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/IntegerField.h"

namespace quenlora::zafoli::db::net {

class NetInteger : public IntegerField {
 public:
  NetInteger() : IntegerField(kTraits) {}

  int getType() const override { return Define::SERVER_INTEGER; }
  int getSQLType() const override { return plat::sql::Types::INTEGER; }

 private:
  static constexpr Traits kTraits{4, INT32_MIN, INT32_MAX, "Data out of range for Integer", false};
};

}  // namespace quenlora::zafoli::db::net
