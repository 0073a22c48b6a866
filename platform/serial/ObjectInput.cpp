#include "platform/serial/ObjectInput.h"

#include <algorithm>
#include <limits>

#include "platform/serial/ArchiveFormat.h"
#include "platform/serial/ObjectStreamException.h"

namespace plat::serial {

using namespace format;

namespace {

constexpr const char* kEnd = "unexpected end of the saved settings";

}  // namespace

ObjectInput::ObjectInput(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() < 4 || !std::equal(kMagic, kMagic + 4, bytes_.begin())) {
    throw StreamCorruptedException("invalid stream header");
  }
  position_ = 4;
}

void ObjectInput::expect(std::uint8_t tag) {
  if (position_ >= bytes_.size()) throw StreamCorruptedException(kEnd);
  if (bytes_[position_] != tag) {
    throw StreamCorruptedException("invalid type code: " + std::to_string(bytes_[position_]));
  }
  ++position_;
}

std::uint32_t ObjectInput::readRaw() {
  if (bytes_.size() - position_ < 4) throw StreamCorruptedException(kEnd);
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | bytes_[position_++];
  return value;
}

std::string ObjectInput::readTextBody(std::uint32_t maxBytes) {
  std::uint32_t length = readRaw();
  if (length > maxBytes) {
    throw StreamCorruptedException("text of " + std::to_string(length) + " bytes exceeds the limit of " +
                                   std::to_string(maxBytes));
  }
  if (bytes_.size() - position_ < length) throw StreamCorruptedException("text longer than the saved settings");
  std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + length));
  position_ += length;
  return text;
}

std::string ObjectInput::readUTF() {
  return readUTF(std::numeric_limits<std::uint32_t>::max());
}

std::string ObjectInput::readUTF(std::uint32_t maxBytes) {
  expect(kText);
  return readTextBody(maxBytes);
}

bool ObjectInput::readBoolean() {
  expect(kBoolean);
  if (position_ >= bytes_.size()) throw StreamCorruptedException(kEnd);
  std::uint8_t value = bytes_[position_++];
  if (value > 1) throw StreamCorruptedException("invalid boolean: " + std::to_string(value));
  return value == 1;
}

std::int32_t ObjectInput::readInt() {
  expect(kInt);
  return static_cast<std::int32_t>(readRaw());
}

std::uint32_t ObjectInput::readColor() {
  expect(kColor);
  return readRaw();
}

std::vector<std::string> ObjectInput::readTextList(std::uint32_t maxCount, std::uint32_t maxBytes) {
  expect(kTextList);
  std::uint32_t count = readRaw();
  if (count > maxCount) {
    throw StreamCorruptedException("list of " + std::to_string(count) + " texts exceeds the limit of " +
                                   std::to_string(maxCount));
  }
  // Each text needs at least its 4-byte length: a count the remaining bytes cannot hold is refused before any
  // allocation.
  if ((bytes_.size() - position_) / 4 < count) throw StreamCorruptedException(kEnd);
  std::vector<std::string> texts;
  texts.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) texts.push_back(readTextBody(maxBytes));
  return texts;
}

}  // namespace plat::serial
