// NUMERIC value (type 83): an exact decimal number, sent as its decimal text. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/DecimalField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class NetBigDecimal : public DecimalField {
 public:
  NetBigDecimal() = default;

  int getType() const override { return Define::SERVER_BIGDECIMAL; }
  int getSQLType() const override { return plat::sql::Types::NUMERIC; }
};

}  // namespace quenlora::zafoli::db::net
