#include "quenlora/zafoli/db/net/Real.h"

namespace quenlora::zafoli::db::net {

plat::lang::Value Real::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value::ofFloat(value());
}

void Real::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Float)) {
    store(value.getFloat());
  } else {
    cantConvert();
  }
}

}  // namespace quenlora::zafoli::db::net
