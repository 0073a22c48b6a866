// TIME value (type 76): hour, minute and second. Also reads as text (hh:mm:ss); takes the time part of a
// timestamp. A value that never held a time is sent as 04:05:06. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "platform/time/Time.h"
#include "quenlora/zafoli/db/net/DateTimeField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class NetTime : public DateTimeField {
 public:
  static const plat::time::Time kDefault;

  NetTime() = default;

  int getType() const override { return Define::SERVER_TIME; }
  int getSQLType() const override { return plat::sql::Types::TIME; }

  std::optional<plat::time::Time> getTime() const override;
  std::optional<std::string> getString() const override;
  plat::lang::Value getObject() const override;

  void setTime(const plat::time::Time& value) override { store(value); }
  void setTimestamp(const plat::time::Timestamp& value) override { store(value.getTime()); }
  void setString(const std::string& value) override;
  void setObject(const plat::lang::Value& value) override;

 protected:
  void readValue(plat::io::DataInputStream& in) override;
  void writeValue(plat::io::DataOutputStream& out) const override;

 private:
  void store(const plat::time::Time& value) {
    value_ = value;
    stored();
  }

  plat::time::Time value_ = kDefault;
};

}  // namespace quenlora::zafoli::db::net
