// The reader of a saved-settings archive written by ObjectOutput. Every read checks the field's type tag and the
// bounds, and a caller may name the most a text or list may hold, so a damaged, truncated or foreign archive fails
// with StreamCorruptedException instead of being read as wrong values or allocating what the archive claims.
// Used by one thread at a time.
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
  // StreamCorruptedException when the text holds more than maxBytes bytes.
  std::string readUTF(std::uint32_t maxBytes);
  bool readBoolean();
  std::int32_t readInt();
  // A colour as 0xAARRGGBB.
  std::uint32_t readColor();
  // StreamCorruptedException when the list holds more than maxCount texts or a text more than maxBytes bytes.
  std::vector<std::string> readTextList(std::uint32_t maxCount, std::uint32_t maxBytes);
  // Whether every field has been read.
  bool atEnd() const { return position_ == bytes_.size(); }

 private:
  void expect(std::uint8_t tag);
  std::uint32_t readRaw();
  std::string readTextBody(std::uint32_t maxBytes);

  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace plat::serial
