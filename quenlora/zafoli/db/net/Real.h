// REAL value (type 84): a single float; getObject gives a float. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/FloatField.h"

namespace quenlora::zafoli::db::net {

class Real : public FloatField {
 public:
  Real() = default;

  int getType() const override { return Define::SERVER_REAL; }
  int getSQLType() const override { return plat::sql::Types::REAL; }
  plat::lang::Value getObject() const override;
  // Takes a float.
  void setObject(const plat::lang::Value& value) override;
};

}  // namespace quenlora::zafoli::db::net
