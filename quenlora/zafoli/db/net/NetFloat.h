// FLOAT value (type 81): held as a single float like REAL, but getObject gives a double. Same thread contract as
// Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/FloatField.h"

namespace quenlora::zafoli::db::net {

class NetFloat : public FloatField {
 public:
  NetFloat() = default;

  int getType() const override { return Define::SERVER_FLOAT; }
  int getSQLType() const override { return plat::sql::Types::FLOAT; }
  plat::lang::Value getObject() const override;
  // Takes a double.
  void setObject(const plat::lang::Value& value) override;
};

}  // namespace quenlora::zafoli::db::net
