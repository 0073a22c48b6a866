#include "platform/gui/ImageIcon.h"

#include "platform/lang/Exceptions.h"

namespace plat::gui {
namespace {

int be16(const plat::lang::Value::Bytes& b, size_t at) {
  return (static_cast<int>(static_cast<unsigned char>(b[at])) << 8) | static_cast<unsigned char>(b[at + 1]);
}

int le16(const plat::lang::Value::Bytes& b, size_t at) {
  return (static_cast<int>(static_cast<unsigned char>(b[at + 1])) << 8) | static_cast<unsigned char>(b[at]);
}

bool startsWith(const plat::lang::Value::Bytes& b, std::initializer_list<unsigned char> magic) {
  if (b.size() < magic.size()) return false;
  size_t i = 0;
  for (unsigned char m : magic) {
    if (static_cast<unsigned char>(b[i++]) != m) return false;
  }
  return true;
}

}  // namespace

ImageIcon::ImageIcon(plat::lang::Value::Bytes bytes) : bytes_(std::move(bytes)) {
  const auto& b = bytes_;
  if (startsWith(b, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) && b.size() >= 24) {
    // IHDR comes first: width and height as big-endian 32-bit numbers; images wider than 65535 are not expected.
    width_ = be16(b, 18);
    height_ = be16(b, 22);
    return;
  }
  if ((startsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) || startsWith(b, {'G', 'I', 'F', '8', '9', 'a'})) &&
      b.size() >= 10) {
    width_ = le16(b, 6);
    height_ = le16(b, 8);
    return;
  }
  if (startsWith(b, {0xFF, 0xD8})) {
    // Walk the segments to the first start-of-frame; every length is checked against what remains.
    size_t at = 2;
    while (at + 4 <= b.size() && static_cast<unsigned char>(b[at]) == 0xFF) {
      const unsigned char marker = static_cast<unsigned char>(b[at + 1]);
      const size_t length = static_cast<size_t>(be16(b, at + 2));
      if (length < 2) break;
      const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (startOfFrame && at + 9 <= b.size()) {
        height_ = be16(b, at + 5);
        width_ = be16(b, at + 7);
        return;
      }
      at += 2 + length;
    }
  }
  throw plat::lang::IllegalArgumentException("not an image of a known kind (" + std::to_string(b.size()) + " bytes)");
}

}  // namespace plat::gui
