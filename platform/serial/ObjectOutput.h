// The writer of a saved-settings archive: a header naming the archive format, then typed fields (text, boolean,
// 32-bit integer, colour, list of texts) in the order the object writes them; each object writes its own version
// text first so that its reader can refuse a form it does not know. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::serial {

class ObjectOutput {
 public:
  ObjectOutput();

  void writeUTF(const std::string& text);
  void writeBoolean(bool value);
  void writeInt(std::int32_t value);
  // A colour as 0xAARRGGBB.
  void writeColor(std::uint32_t argb);
  void writeTextList(const std::vector<std::string>& texts);

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  void writeRaw(std::uint32_t value);
  void writeTextBody(const std::string& text);

  std::vector<std::uint8_t> bytes_;
};

}  // namespace plat::serial
