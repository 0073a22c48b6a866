#include "platform/io/ByteArrayOutputStream.h"

#include "platform/io/Utf8.h"

namespace plat::io {

void ByteArrayOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  bytes_.insert(bytes_.end(), buf, buf + len);
}

std::string ByteArrayOutputStream::toString() const {
  return latin1ToUtf8(bytes_.data(), bytes_.size());
}

}  // namespace plat::io
