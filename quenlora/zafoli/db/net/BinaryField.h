// Base of the byte-array values (BINARY, VARBINARY, LONGVARBINARY): after the header, one data object with the
// bytes. Text converts one character per byte. Same thread contract as Field.
#pragma once

#include <string>

#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::net {

class BinaryField : public Field {
 public:
  // Local byte streams (BinaryInputStream) over the bytes; none when null.
  StreamRef getAsciiStream() const override;
  StreamRef getBinaryStream() const override;
  StreamRef getUnicodeStream() const override;
  // Empty when null.
  Bytes getBytes() const override;
  // Each byte as the character of the same code.
  std::optional<std::string> getString() const override;
  plat::lang::Value getObject() const override;

  // Stream setters take 0..255 bytes.
  void setAsciiStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setBinaryStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setUnicodeStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setBytes(const Bytes& value) override { store(value); }
  // One byte per character, every character included.
  void setString(const std::string& value) override;
  // Takes a byte array.
  void setObject(const plat::lang::Value& value) override;

 protected:
  BinaryField() = default;

  // A data object (compressed or not); any other object gets the object-error rule.
  void readValue(plat::io::DataInputStream& in) override;
  void writeValue(plat::io::DataOutputStream& out) const override;

 private:
  void store(Bytes bytes);
  void setFromStream(const StreamRef& stream, int length);

  Bytes bytes_;
};

}  // namespace quenlora::zafoli::db::net
