// DATE value (type 75): year, month 1-12 and day. Also reads as text (yyyy-mm-dd) and as a timestamp at midnight;
// takes the date part of a timestamp. A value that never held a date is sent as 1997-04-20. Same thread contract
// as Field.
#pragma once

#include "platform/sql/Types.h"
#include "platform/time/Date.h"
#include "quenlora/zafoli/db/net/DateTimeField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class NetDate : public DateTimeField {
 public:
  static const plat::time::Date kDefault;

  NetDate() = default;

  int getType() const override { return Define::SERVER_DATE; }
  int getSQLType() const override { return plat::sql::Types::DATE; }

  std::optional<plat::time::Date> getDate() const override;
  std::optional<std::string> getString() const override;
  std::optional<plat::time::Timestamp> getTimestamp() const override;
  plat::lang::Value getObject() const override;

  void setDate(const plat::time::Date& value) override { store(value); }
  void setTimestamp(const plat::time::Timestamp& value) override { store(value.getDate()); }
  void setString(const std::string& value) override;
  void setObject(const plat::lang::Value& value) override;

 protected:
  void readValue(plat::io::DataInputStream& in) override;
  void writeValue(plat::io::DataOutputStream& out) const override;

 private:
  void store(const plat::time::Date& value) {
    value_ = value;
    stored();
  }

  plat::time::Date value_ = kDefault;
};

}  // namespace quenlora::zafoli::db::net
