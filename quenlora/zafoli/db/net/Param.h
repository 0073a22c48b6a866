// Typed binary call argument (type 57): an argument id, a one-byte argument type code and data objects holding the
// value. The typed getters and setters of the column values are not supported. Built once, then read-only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/NetData.h"

namespace quenlora::zafoli::db::net {

class Param : public Field {
 public:
  using Values = std::vector<plat::lang::Ref<NetData>>;

  static constexpr int kWrittenLength = 6;  // marker, id and type byte

  // Empty, as the factory makes it before reading.
  Param() = default;
  Param(std::uint8_t id, int argumentType, Values values);

  static plat::lang::Ref<Param> ofShort(std::uint8_t id, std::int16_t v);
  // Type 107 when the integer is a server object reference, 101 otherwise.
  static plat::lang::Ref<Param> ofInt(std::uint8_t id, std::int32_t v, bool isObjectRef = false);
  static plat::lang::Ref<Param> ofLong(std::uint8_t id, std::int64_t v);
  static plat::lang::Ref<Param> ofBoolean(std::uint8_t id, bool v);
  static plat::lang::Ref<Param> ofFloat(std::uint8_t id, float v);
  static plat::lang::Ref<Param> ofDouble(std::uint8_t id, double v);
  static plat::lang::Ref<Param> ofBytes(std::uint8_t id, Bytes v);
  // The first length bytes.
  static plat::lang::Ref<Param> ofBytes(std::uint8_t id, const Bytes& v, std::size_t length);

  int getType() const override;
  // Length, leader, id, type byte, then data objects up to an end marker (any other object: object-error rule).
  void read(plat::io::DataInputStream& in) override;
  // 57, 6, "FLD}", id, type byte, the data objects, end marker.
  void write(plat::io::DataOutputStream& out) const override;
  // Writes what ofInt(id, v, isObjectRef)->write(out) writes, without making the argument object.
  static void writeInt(plat::io::DataOutputStream& out, std::uint8_t id, std::int32_t v, bool isObjectRef = false);

  int getArgumentType() const { return getTypeWord(); }
  const Values& getValues() const { return v_; }

 private:
  // Marker, length, leader, id and type byte: what precedes the data objects.
  static void writeHead(plat::io::DataOutputStream& out, std::uint8_t id, int argumentType);

  Values v_;
};

}  // namespace quenlora::zafoli::db::net
