#include "platform/serial/ObjectOutput.h"

#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/serial/ArchiveFormat.h"

namespace plat::serial {

using namespace format;

ObjectOutput::ObjectOutput() : bytes_(kMagic, kMagic + 4) {}

void ObjectOutput::writeRaw(std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ObjectOutput::writeTextBody(const std::string& text) {
  // A length that does not fit its 4 bytes would be written cut and read back as other fields.
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw plat::lang::IllegalArgumentException("text too long for the saved settings");
  }
  writeRaw(static_cast<std::uint32_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ObjectOutput::writeUTF(const std::string& text) {
  bytes_.push_back(kText);
  writeTextBody(text);
}

void ObjectOutput::writeBoolean(bool value) {
  bytes_.push_back(kBoolean);
  bytes_.push_back(value ? 1 : 0);
}

void ObjectOutput::writeInt(std::int32_t value) {
  bytes_.push_back(kInt);
  writeRaw(static_cast<std::uint32_t>(value));
}

void ObjectOutput::writeColor(std::uint32_t argb) {
  bytes_.push_back(kColor);
  writeRaw(argb);
}

void ObjectOutput::writeTextList(const std::vector<std::string>& texts) {
  if (texts.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw plat::lang::IllegalArgumentException("list too long for the saved settings");
  }
  bytes_.push_back(kTextList);
  writeRaw(static_cast<std::uint32_t>(texts.size()));
  for (const std::string& text : texts) writeTextBody(text);
}

}  // namespace plat::serial
