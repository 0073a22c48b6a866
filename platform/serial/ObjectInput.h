// The reader of a saved-settings archive written by ObjectOutput. Every read checks the field's type tag and the
// bounds, so a damaged, truncated or foreign archive fails with StreamCorruptedException instead of being read as
// wrong values. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::serial {

class ObjectInput {
 public:
  // StreamCorruptedException when the header is not this format's.
  explicit ObjectInput(std::vector<std::uint8_t> bytes);

  std::string readUTF();
  bool readBoolean();
  std::int32_t readInt();
  // Whether every field has been read.
  bool atEnd() const { return position_ == bytes_.size(); }

 private:
  void expect(std::uint8_t tag);
  std::uint32_t readRaw();

  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace plat::serial
