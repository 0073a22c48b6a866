// CHAR value (type 69): 8-bit text. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/CharField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class Char : public CharField {
 public:
  Char() = default;

  int getType() const override { return Define::SERVER_CHAR; }
  int getSQLType() const override { return plat::sql::Types::CHAR; }
};

}  // namespace quenlora::zafoli::db::net
