// Base of the integer values (TINYINT, SMALLINT, INTEGER, BIGINT): a signed integer of 1, 2, 4 or 8 bytes on the
// wire. Setters of the narrower kinds refuse a value outside the kind's range ("Data out of range for ..."); the
// 64-bit kind converts as the runtime does. Same thread contract as Field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quenlora/zafoli/db/net/NumberField.h"

namespace quenlora::zafoli::db::net {

class IntegerField : public NumberField {
 public:
  bool getBoolean() const override;
  std::int8_t getByte() const override;
  std::int16_t getShort() const override;
  std::int32_t getInt() const override;
  std::int64_t getLong() const override;
  float getFloat() const override;
  double getDouble() const override;
  std::optional<std::string> getString() const override;
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;
  plat::lang::Value getObject() const override;

  void setByte(std::int8_t value) override { setLong(value); }
  void setShort(std::int16_t value) override { setLong(value); }
  void setInt(std::int32_t value) override { setLong(value); }
  void setLong(std::int64_t value) override;
  void setFloat(float value) override { setDouble(value); }
  void setDouble(double value) override;
  void setBigDecimal(const std::optional<plat::math::Decimal>& value) override;
  void setBoolean(bool value) override;
  void setString(const std::string& value) override;
  void setObject(const plat::lang::Value& value) override;

 protected:
  // What tells the kinds apart.
  struct Traits {
    std::size_t bytes;  // width on the wire
    std::int64_t min;   // range of the setters
    std::int64_t max;
    const char* rangeMessage;  // nullptr: no range check (the 64-bit kind)
    bool longObject;           // getObject gives a long rather than an integer
  };

  explicit IntegerField(const Traits& traits) : traits_(traits) {}

  void readData(const std::uint8_t* bytes, std::size_t size) override;
  void writeData(plat::io::DataOutputStream& out) const override;

 private:
  void store(std::int64_t value);

  const Traits& traits_;    // one static Traits per kind
  std::int64_t value_ = 0;  // within the kind's range
};

}  // namespace quenlora::zafoli::db::net
