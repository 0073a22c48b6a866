// VARBINARY value (type 71): a byte array. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/BinaryField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class VarBinary : public BinaryField {
 public:
  VarBinary() = default;

  int getType() const override { return Define::SERVER_VARBINARY; }
  int getSQLType() const override { return plat::sql::Types::VARBINARY; }
};

}  // namespace quenlora::zafoli::db::net
