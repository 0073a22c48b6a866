// BIT value (type 87): a flag sent as one data byte, non-zero meaning true. Numbers read as 1 or 0; setting a
// number stores whether it is non-zero. Same thread contract as Field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NumberField.h"

namespace quenlora::zafoli::db::net {

class Bit : public NumberField {
 public:
  Bit() = default;

  int getType() const override { return Define::SERVER_BIT; }
  int getSQLType() const override { return plat::sql::Types::BIT; }

  bool getBoolean() const override { return !isNull() && value_; }
  std::int8_t getByte() const override { return getBoolean() ? 1 : 0; }
  std::int16_t getShort() const override { return getBoolean() ? 1 : 0; }
  std::int32_t getInt() const override { return getBoolean() ? 1 : 0; }
  std::int64_t getLong() const override { return getBoolean() ? 1 : 0; }
  float getFloat() const override { return getBoolean() ? 1.0f : 0.0f; }
  double getDouble() const override { return getBoolean() ? 1.0 : 0.0; }
  // "true" or "false".
  std::optional<std::string> getString() const override;
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;
  plat::lang::Value getObject() const override;

  void setByte(std::int8_t value) override { store(value != 0); }
  void setShort(std::int16_t value) override { store(value != 0); }
  void setInt(std::int32_t value) override { store(value != 0); }
  void setLong(std::int64_t value) override { store(value != 0); }
  void setFloat(float value) override { store(value != 0.0f); }
  void setDouble(double value) override { store(value != 0.0); }
  void setBigDecimal(const std::optional<plat::math::Decimal>& value) override;
  void setBoolean(bool value) override { store(value); }
  // An integer text; stores whether it is non-zero.
  void setString(const std::string& value) override;
  // Takes a boolean.
  void setObject(const plat::lang::Value& value) override;

 protected:
  void readData(const std::uint8_t* bytes, std::size_t size) override;
  void writeData(plat::io::DataOutputStream& out) const override;

 private:
  void store(bool value) {
    value_ = value;
    stored();
  }

  bool value_ = false;
};

}  // namespace quenlora::zafoli::db::net
