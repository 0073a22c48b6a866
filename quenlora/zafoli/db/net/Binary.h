// BINARY value (type 70): a byte array. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/BinaryField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class Binary : public BinaryField {
 public:
  Binary() = default;

  int getType() const override { return Define::SERVER_BINARY; }
  int getSQLType() const override { return plat::sql::Types::BINARY; }
};

}  // namespace quenlora::zafoli::db::net
