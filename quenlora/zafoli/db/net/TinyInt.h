// TINYINT value (type 86): an 8-bit signed integer; setters refuse values outside -128..127. Same thread contract as
// Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/IntegerField.h"

namespace quenlora::zafoli::db::net {

class TinyInt : public IntegerField {
 public:
  TinyInt() : IntegerField(kTraits) {}

  int getType() const override { return Define::SERVER_TINYINT; }
  int getSQLType() const override { return plat::sql::Types::TINYINT; }

 private:
  static constexpr Traits kTraits{1, -128, 127, "Data out of range for TinyInt", false};
};

}  // namespace quenlora::zafoli::db::net
