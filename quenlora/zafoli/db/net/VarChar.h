// VARCHAR value (type 73): 8-bit text. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/CharField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class VarChar : public CharField {
 public:
  VarChar() = default;

  int getType() const override { return Define::SERVER_VARCHAR; }
  int getSQLType() const override { return plat::sql::Types::VARCHAR; }
};

}  // namespace quenlora::zafoli::db::net
