#include "quenlora/zafoli/db/net/NetDate.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::net {

const plat::time::Date NetDate::kDefault{1997, 4, 20};

std::optional<plat::time::Date> NetDate::getDate() const {
  if (isNull()) return std::nullopt;
  return value_;
}

std::optional<std::string> NetDate::getString() const {
  if (isNull()) return std::nullopt;
  return value_.toString();
}

std::optional<plat::time::Timestamp> NetDate::getTimestamp() const {
  if (isNull()) return std::nullopt;
  return plat::time::Timestamp(value_, plat::time::Time(), 0);
}

plat::lang::Value NetDate::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value(value_);
}

void NetDate::setString(const std::string& value) {
  store(parsed([&] { return plat::time::Date::valueOf(value); }));
}

void NetDate::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Date)) {
    store(value.getDate());
  } else {
    cantConvert();
  }
}

void NetDate::readValue(plat::io::DataInputStream& in) {
  std::int16_t f[3];
  readFields(in, f, 3);
  value_ = plat::time::Date(f[0], f[1], f[2]);
}

void NetDate::writeValue(plat::io::DataOutputStream& out) const {
  const int f[3] = {value_.getYear(), value_.getMonth(), value_.getDay()};
  writeFields(out, f, 3);
}

}  // namespace quenlora::zafoli::db::net
