// Text call argument (type 58): an argument id and one string object; its type is always 102. Getters by SQL kind
// parse the text; integer getters take integer literals exactly. Built once, then read-only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::net {

class TextParam : public Field {
 public:
  static constexpr int kWrittenLength = 1;  // the id

  // Empty, as the factory makes it before reading.
  TextParam();
  TextParam(std::uint8_t id, std::string text);

  int getType() const override;
  // Length, id, then one string object (any other object: object-error rule).
  void read(plat::io::DataInputStream& in) override;
  // 58, 1, id, the string object; no end marker.
  void write(plat::io::DataOutputStream& out) const override;

  const std::string& getText() const { return s_; }

  // Failures carry the parser's message as SQLException.
  std::string getChar() const { return s_; }
  std::string getVarChar() const { return s_; }
  std::string getLongVarChar() const { return s_; }
  // The first character's code is not zero (the empty text is false).
  bool getBit() const;
  std::int8_t getTinyInt() const;
  std::int16_t getSmallInt() const;
  std::int32_t getInteger() const;
  std::int64_t getBigInt() const;
  float getReal() const;
  float getFloat() const override;
  double getDouble() const override;
  plat::math::Decimal getDecimal(int scale) const;
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;
  std::optional<plat::time::Date> getDate() const override;
  std::optional<plat::time::Time> getTime() const override;
  std::optional<plat::time::Timestamp> getTimestamp() const override;
  // One byte per character, every character included.
  Bytes getBinary() const;
  Bytes getVarBinary() const { return getBinary(); }
  Bytes getLongVarBinary() const { return getBinary(); }

 private:
  std::string s_;
};

}  // namespace quenlora::zafoli::db::net
