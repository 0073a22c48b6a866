// SMALLINT value (type 85): a 16-bit signed integer; setters refuse values outside -32768..32767. Same thread contract
// as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/IntegerField.h"

namespace quenlora::zafoli::db::net {

class SmallInt : public IntegerField {
 public:
  SmallInt() : IntegerField(kTraits) {}

  int getType() const override { return Define::SERVER_SMALLINT; }
  int getSQLType() const override { return plat::sql::Types::SMALLINT; }

 private:
  static constexpr Traits kTraits{2, -32768, 32767, "Data out of range for SmallInt", false};
};

}  // namespace quenlora::zafoli::db::net
