// Base of the decimal values (DOUBLE and NUMERIC both hold an exact decimal number): the decimal text in a string
// object on the wire. Integers convert exactly, binary floats through their shortest decimal text; NaN and the
// infinities cannot convert. Same thread contract as Field.
#pragma once

#include <cstdint>
#include <string>

#include "quenlora/zafoli/db/net/NumberField.h"

namespace quenlora::zafoli::db::net {

class DecimalField : public NumberField {
 public:
  // The integer part not zero: 0.5 is false.
  bool getBoolean() const override;
  std::int8_t getByte() const override;
  std::int16_t getShort() const override;
  std::int32_t getInt() const override;
  std::int64_t getLong() const override;
  float getFloat() const override;
  double getDouble() const override;
  std::optional<std::string> getString() const override;
  // Rounded half up to the scale.
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;
  // A copy of the decimal number.
  plat::lang::Value getObject() const override;

  void setByte(std::int8_t value) override { setLong(value); }
  void setShort(std::int16_t value) override { setLong(value); }
  void setInt(std::int32_t value) override { setLong(value); }
  void setLong(std::int64_t value) override;
  void setFloat(float value) override;
  void setDouble(double value) override;
  void setBigDecimal(const std::optional<plat::math::Decimal>& value) override;
  void setBoolean(bool value) override { setLong(value ? 1 : 0); }
  void setString(const std::string& value) override;
  // Takes a decimal number.
  void setObject(const plat::lang::Value& value) override;

 protected:
  DecimalField() = default;

  bool carriesText() const override { return true; }
  // A text that is no decimal number is SQLException "TRIVO object stream error.".
  void readText(std::string_view text) override;
  // The decimal text; the empty text when the value is null.
  void writeData(plat::io::DataOutputStream& out) const override;

 private:
  void store(plat::math::Decimal value);
  // f(the decimal number), made from the plain digits when they are kept.
  template <class F>
  auto withDecimal(F&& f) const {
    return plain_ ? f(plat::math::Decimal::valueOf(unscaled_, scale_)) : f(value_);
  }

  plat::math::Decimal value_;  // unused while plain_
  // A plain text read is kept as its digits until a get needs the decimal number: most reads of a row want the
  // double or nothing, and the big number costs an allocation. Any store drops them.
  bool plain_ = false;
  std::int64_t unscaled_ = 0;
  int scale_ = 0;
  // The nearest double of the number, worked out while reading a plain text, when hasDouble_; any store drops it.
  double double_ = 0;
  bool hasDouble_ = false;
};

}  // namespace quenlora::zafoli::db::net
