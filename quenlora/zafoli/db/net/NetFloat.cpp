#include "quenlora/zafoli/db/net/NetFloat.h"

namespace quenlora::zafoli::db::net {

plat::lang::Value NetFloat::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value::ofDouble(static_cast<double>(value()));
}

void NetFloat::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Double)) {
    setDouble(value.getDouble());
  } else {
    cantConvert();
  }
}

}  // namespace quenlora::zafoli::db::net
