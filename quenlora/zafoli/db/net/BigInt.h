// BIGINT value (type 78): a 64-bit signed integer; getObject gives a long. Same thread contract as Field.
#pragma once

#include <cstdint>

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/IntegerField.h"

namespace quenlora::zafoli::db::net {

class BigInt : public IntegerField {
 public:
  BigInt() : IntegerField(kTraits) {}

  int getType() const override { return Define::SERVER_BIGINT; }
  int getSQLType() const override { return plat::sql::Types::BIGINT; }

 private:
  static constexpr Traits kTraits{8, INT64_MIN, INT64_MAX, nullptr, true};
};

}  // namespace quenlora::zafoli::db::net
