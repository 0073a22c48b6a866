// Raw data object (type 51): a length and that many bytes. Encoders build the bytes of one host value, big-endian;
// decoders read a value from the start of the data. Filled once, then read-only; may be read from several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class NetData : public ServerObject {
 public:
  using Bytes = std::vector<std::uint8_t>;

  // Empty data, as the factory makes it before reading.
  NetData() = default;
  explicit NetData(Bytes bytes) : data_(std::move(bytes)) {}
  // The first length bytes of the array (all of it when length is larger).
  NetData(const Bytes& bytes, std::size_t length);

  static plat::lang::Ref<NetData> ofByte(std::int8_t v);
  static plat::lang::Ref<NetData> ofShort(std::int16_t v);
  static plat::lang::Ref<NetData> ofInt(std::int32_t v);
  static plat::lang::Ref<NetData> ofLong(std::int64_t v);
  static plat::lang::Ref<NetData> ofFloat(float v);
  static plat::lang::Ref<NetData> ofDouble(double v);
  static plat::lang::Ref<NetData> ofBoolean(bool v);
  // One byte per character.
  static plat::lang::Ref<NetData> ofText(std::string_view text);
  static plat::lang::Ref<NetData> ofBytes(Bytes bytes);

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  void write(plat::io::DataOutputStream& out) const override;

  // Decoders from the start of the data; EOFException "End of data" when it is shorter than the value.
  std::int8_t getByte() const;
  std::int16_t getShort() const;
  std::int32_t getInt() const;
  std::int64_t getLong() const;
  float getFloat() const;
  double getDouble() const;
  bool getBool() const;
  const Bytes& getBytes() const { return data_; }
  std::size_t size() const { return data_.size(); }

 protected:
  void setBytes(Bytes bytes) { data_ = std::move(bytes); }

 private:
  const std::uint8_t* need(std::size_t width) const;

  Bytes data_;
};

}  // namespace quenlora::zafoli::db::net
