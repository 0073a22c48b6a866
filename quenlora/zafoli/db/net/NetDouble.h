// DOUBLE value (type 80): an exact decimal number, sent as its decimal text. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/DecimalField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class NetDouble : public DecimalField {
 public:
  NetDouble() = default;

  int getType() const override { return Define::SERVER_DOUBLE; }
  int getSQLType() const override { return plat::sql::Types::DOUBLE; }
};

}  // namespace quenlora::zafoli::db::net
