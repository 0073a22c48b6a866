#include "quenlora/zafoli/db/net/NetTime.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::net {

const plat::time::Time NetTime::kDefault{4, 5, 6};

std::optional<plat::time::Time> NetTime::getTime() const {
  if (isNull()) return std::nullopt;
  return value_;
}

std::optional<std::string> NetTime::getString() const {
  if (isNull()) return std::nullopt;
  return value_.toString();
}

plat::lang::Value NetTime::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value(value_);
}

void NetTime::setString(const std::string& value) {
  store(parsed([&] { return plat::time::Time::valueOf(value); }));
}

void NetTime::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Time)) {
    store(value.getTime());
  } else {
    cantConvert();
  }
}

void NetTime::readValue(plat::io::DataInputStream& in) {
  std::int16_t f[3];
  readFields(in, f, 3);
  value_ = plat::time::Time(f[0], f[1], f[2]);
}

void NetTime::writeValue(plat::io::DataOutputStream& out) const {
  const int f[3] = {value_.getHours(), value_.getMinutes(), value_.getSeconds()};
  writeFields(out, f, 3);
}

}  // namespace quenlora::zafoli::db::net
