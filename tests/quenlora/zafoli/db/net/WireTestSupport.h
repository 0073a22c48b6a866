// Test helpers of the wire client: a byte builder written from the protocol tables alone (never from the client's
// writers, so a shared mistake cannot hide), and decode/encode through in-memory streams.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace wiretest {

using Bytes = std::vector<std::uint8_t>;

// Builds wire bytes: type codes in decimal as the tables give them, other bytes as written.
class Wire {
 public:
  Wire() = default;
  Wire(std::initializer_list<int> bytes) { raw(bytes); }
  explicit Wire(const Bytes& bytes) : bytes_(bytes) {}

  Wire& u8(int v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  Wire& i16(int v) { return u8(v >> 8).u8(v); }
  Wire& i32(std::int64_t v) {
    return u8(static_cast<int>(v >> 24)).u8(static_cast<int>(v >> 16)).i16(static_cast<int>(v));
  }
  Wire& i64(std::int64_t v) { return i32(v >> 32).i32(v); }
  Wire& raw(std::initializer_list<int> bytes) {
    for (int b : bytes) u8(b);
    return *this;
  }
  Wire& raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  // Latin-1 text given as bytes (the test literals are ASCII or \x escapes).
  Wire& ascii(std::string_view text) {
    for (char c : text) u8(static_cast<unsigned char>(c));
    return *this;
  }
  Wire& append(const Wire& other) { return raw(other.bytes_); }

  // 51, i16 n, bytes.
  Wire& data(const Bytes& bytes) { return u8(51).i16(static_cast<int>(bytes.size())).raw(bytes); }
  Wire& dataShort(int v) { return u8(51).i16(2).i16(v); }
  Wire& dataInt(std::int64_t v) { return u8(51).i16(4).i32(v); }
  Wire& dataLong(std::int64_t v) { return u8(51).i16(8).i64(v); }
  Wire& dataBool(bool v) { return u8(51).i16(1).u8(v ? 1 : 0); }
  // 52, i16 n, text.
  Wire& str(std::string_view text) { return u8(52).i16(static_cast<int>(text.size())).ascii(text); }
  Wire& eot() { return u8(50).i16(0); }
  // Value header as the server sends it: type, i16 length, u8 id, i16 type word, u8 null flag.
  Wire& valueHeader(int code, bool isNull, int id = 0, int typeWord = 0, int length = 4) {
    return u8(code).i16(length).u8(id).i16(typeWord).u8(isNull ? 1 : 0);
  }
  // Server error 49: i16 length, leader, i32 id, i32 category, message and SQL state.
  Wire& error(std::int32_t id, std::int32_t category, std::string_view message, std::string_view state) {
    return u8(49).i16(0).ascii("ERR}").i32(id).i32(category).str(message).str(state);
  }

  const Bytes& bytes() const { return bytes_; }
  operator Bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// A data input over a copy of bytes, with the count of bytes left unread.
class Input {
 public:
  explicit Input(const Bytes& bytes)
      : source_(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes)), in_(source_) {}

  plat::io::DataInputStream& in() { return in_; }
  int left() { return source_->available(); }
  plat::lang::Ref<quenlora::zafoli::db::net::ServerObject> next() {
    return quenlora::zafoli::db::net::NetClass::getNextObject(in_);
  }

 private:
  plat::lang::Ref<plat::io::ByteArrayInputStream> source_;
  plat::io::DataInputStream in_;
};

// The one object the bytes hold; fails the test when bytes are left over.
plat::lang::Ref<quenlora::zafoli::db::net::ServerObject> decodeAll(const Bytes& bytes);

template <class T>
plat::lang::Ref<T> decodeAs(const Bytes& bytes) {
  auto object = plat::lang::refCast<T>(decodeAll(bytes));
  if (!object) throw std::runtime_error("decoded object is not of the expected class");
  return object;
}

// The bytes an object writes.
Bytes encode(const quenlora::zafoli::db::net::ServerObject& object);

// Bytes as "51 00 04 ..." for readable failure messages.
std::string hex(const Bytes& bytes);

}  // namespace wiretest
