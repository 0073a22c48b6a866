#include "quenlora/zafoli/db/net/NetTimestamp.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::net {

using plat::time::Timestamp;

const Timestamp NetTimestamp::kDefault{1997, 4, 20, 4, 5, 6, 7};

std::optional<Timestamp> NetTimestamp::getTimestamp() const {
  if (isNull()) return std::nullopt;
  return value_;
}

std::optional<std::string> NetTimestamp::getString() const {
  if (isNull()) return std::nullopt;
  return value_.toString();
}

std::optional<plat::time::Date> NetTimestamp::getDate() const {
  if (isNull()) return std::nullopt;
  return value_.getDate();
}

std::optional<plat::time::Time> NetTimestamp::getTime() const {
  if (isNull()) return std::nullopt;
  return value_.getTime();
}

plat::lang::Value NetTimestamp::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value(value_);
}

void NetTimestamp::setString(const std::string& value) {
  store(parsed([&] { return Timestamp::valueOf(value); }));
}

void NetTimestamp::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Timestamp)) {
    store(value.getTimestamp());
  } else {
    cantConvert();
  }
}

void NetTimestamp::readValue(plat::io::DataInputStream& in) {
  std::int16_t f[7];
  readFields(in, f, 7);
  if (f[6] < 0 || f[6] >= kMillisPerSecond) {
    value_ = kDefault;
    setNull(0);
    return;
  }
  value_ = Timestamp(f[0], f[1], f[2], f[3], f[4], f[5], f[6] * kNanosPerMilli);
}

void NetTimestamp::writeValue(plat::io::DataOutputStream& out) const {
  int millis = (value_.getNanos() + kNanosPerMilli / 2) / kNanosPerMilli;
  Timestamp sent = value_;
  if (millis == kMillisPerSecond) {
    millis = 0;
    // The lenient calendar carries the extra second into minutes, hours and the next day.
    sent = Timestamp(value_.getYear(), value_.getMonth(), value_.getDay(), value_.getHours(), value_.getMinutes(),
                     value_.getSeconds() + 1, 0);
  }
  const int f[7] = {sent.getYear(),    sent.getMonth(),   sent.getDay(), sent.getHours(),
                    sent.getMinutes(), sent.getSeconds(), millis};
  writeFields(out, f, 7);
}

}  // namespace quenlora::zafoli::db::net
