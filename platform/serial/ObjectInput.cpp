#include "platform/serial/ObjectInput.h"

#include <algorithm>

#include "platform/serial/ArchiveFormat.h"
#include "platform/serial/ObjectStreamException.h"

namespace plat::serial {

using namespace format;

ObjectInput::ObjectInput(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() < 4 || !std::equal(kMagic, kMagic + 4, bytes_.begin())) {
    throw StreamCorruptedException("invalid stream header");
  }
  position_ = 4;
}

void ObjectInput::expect(std::uint8_t tag) {
  if (position_ >= bytes_.size()) throw StreamCorruptedException("unexpected end of the saved settings");
  if (bytes_[position_] != tag) {
    throw StreamCorruptedException("invalid type code: " + std::to_string(bytes_[position_]));
  }
  ++position_;
}

std::uint32_t ObjectInput::readRaw() {
  if (bytes_.size() - position_ < 4) throw StreamCorruptedException("unexpected end of the saved settings");
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | bytes_[position_++];
  return value;
}

std::string ObjectInput::readUTF() {
  expect(kText);
  std::uint32_t length = readRaw();
  if (bytes_.size() - position_ < length) throw StreamCorruptedException("text longer than the saved settings");
  std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + length));
  position_ += length;
  return text;
}

bool ObjectInput::readBoolean() {
  expect(kBoolean);
  if (position_ >= bytes_.size()) throw StreamCorruptedException("unexpected end of the saved settings");
  std::uint8_t value = bytes_[position_++];
  if (value > 1) throw StreamCorruptedException("invalid boolean: " + std::to_string(value));
  return value == 1;
}

std::int32_t ObjectInput::readInt() {
  expect(kInt);
  return static_cast<std::int32_t>(readRaw());
}

}  // namespace plat::serial
