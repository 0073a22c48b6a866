// Base of the single-float values (REAL, FLOAT): the IEEE 754 single bits on the wire. Integer getters truncate
// toward zero and saturate, as the runtime's conversions do. Same thread contract as Field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quenlora/zafoli/db/net/NumberField.h"

namespace quenlora::zafoli::db::net {

class FloatField : public NumberField {
 public:
  bool getBoolean() const override;
  std::int8_t getByte() const override;
  std::int16_t getShort() const override;
  std::int32_t getInt() const override;
  std::int64_t getLong() const override;
  float getFloat() const override;
  double getDouble() const override;
  std::optional<std::string> getString() const override;
  // Through the double value; NaN and the infinities cannot convert.
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;

  void setByte(std::int8_t value) override { store(value); }
  void setShort(std::int16_t value) override { store(value); }
  void setInt(std::int32_t value) override { store(static_cast<float>(value)); }
  void setLong(std::int64_t value) override { store(static_cast<float>(value)); }
  void setFloat(float value) override { store(value); }
  void setDouble(double value) override { store(static_cast<float>(value)); }
  void setBigDecimal(const std::optional<plat::math::Decimal>& value) override;
  void setBoolean(bool value) override { store(value ? 1.0f : 0.0f); }
  void setString(const std::string& value) override;

 protected:
  FloatField() = default;

  float value() const { return value_; }
  void store(float value);

  void readData(const std::uint8_t* bytes, std::size_t size) override;
  void writeData(plat::io::DataOutputStream& out) const override;

 private:
  float value_ = 0.0f;
};

}  // namespace quenlora::zafoli::db::net
