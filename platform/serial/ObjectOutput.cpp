#include "platform/serial/ObjectOutput.h"

#include "platform/serial/ArchiveFormat.h"

namespace plat::serial {

using namespace format;

ObjectOutput::ObjectOutput() : bytes_(kMagic, kMagic + 4) {}

void ObjectOutput::writeRaw(std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ObjectOutput::writeUTF(const std::string& text) {
  bytes_.push_back(kText);
  writeRaw(static_cast<std::uint32_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ObjectOutput::writeBoolean(bool value) {
  bytes_.push_back(kBoolean);
  bytes_.push_back(value ? 1 : 0);
}

void ObjectOutput::writeInt(std::int32_t value) {
  bytes_.push_back(kInt);
  writeRaw(static_cast<std::uint32_t>(value));
}

}  // namespace plat::serial
