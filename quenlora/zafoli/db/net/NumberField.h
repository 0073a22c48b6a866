// Base of the number values: after the header, the value travels as one wire object, a data object for the binary
// kinds and a string object with the decimal text for the decimal kinds. Anything else in that place gets the
// object-error rule. Same thread contract as Field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::net {

class SocketIS;

class NumberField : public Field {
 protected:
  NumberField() = default;

  // Whether the value object is a string (decimal kinds) rather than data (binary kinds).
  virtual bool carriesText() const { return false; }
  // The value from the bytes of its data object, or from the text of its string object. The defaults fail with
  // IOException "Internal Error: Method not implemented".
  virtual void readData(const std::uint8_t* bytes, std::size_t size);
  virtual void readText(std::string_view text);
  // The value object, written also when the value is null.
  virtual void writeData(plat::io::DataOutputStream& out) const;

  void readValue(plat::io::DataInputStream& in) final;
  void writeValue(plat::io::DataOutputStream& out) const final { writeData(out); }

  // EOFException "End of data" when a number's data holds fewer bytes than its width.
  static void needBytes(std::size_t size, std::size_t width);

 private:
  // readValue for a plain data or string object that lies whole in the session's current packet; false, and
  // nothing consumed, for anything else.
  bool readInPlace(SocketIS& socket);
};

}  // namespace quenlora::zafoli::db::net
