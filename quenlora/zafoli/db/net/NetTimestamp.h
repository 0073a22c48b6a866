// TIMESTAMP value (type 77): date, time and milliseconds on the wire, nanoseconds held. Written with the
// nanoseconds rounded half up to milliseconds, carrying into the seconds and on through the calendar. A read with
// milliseconds outside 0..999 is refused: the value becomes null. A value that never held a timestamp is sent as
// 1997-04-20 04:05:06 (7 ns). Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "platform/time/Timestamp.h"
#include "quenlora/zafoli/db/net/DateTimeField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class NetTimestamp : public DateTimeField {
 public:
  static const plat::time::Timestamp kDefault;
  static constexpr int kNanosPerMilli = 1'000'000;
  static constexpr int kMillisPerSecond = 1000;

  NetTimestamp() = default;

  int getType() const override { return Define::SERVER_TIMESTAMP; }
  int getSQLType() const override { return plat::sql::Types::TIMESTAMP; }

  std::optional<plat::time::Timestamp> getTimestamp() const override;
  std::optional<std::string> getString() const override;
  std::optional<plat::time::Date> getDate() const override;
  std::optional<plat::time::Time> getTime() const override;
  plat::lang::Value getObject() const override;

  void setTimestamp(const plat::time::Timestamp& value) override { store(value); }
  void setString(const std::string& value) override;
  void setObject(const plat::lang::Value& value) override;

 protected:
  void readValue(plat::io::DataInputStream& in) override;
  void writeValue(plat::io::DataOutputStream& out) const override;

 private:
  void store(const plat::time::Timestamp& value) {
    value_ = value;
    stored();
  }

  plat::time::Timestamp value_ = kDefault;
};

}  // namespace quenlora::zafoli::db::net
