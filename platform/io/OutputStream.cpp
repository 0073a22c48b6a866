#include "platform/io/OutputStream.h"

#include "platform/lang/Exceptions.h"

namespace plat::io {

void OutputStream::write(const std::uint8_t* buf, std::size_t len) {
  for (std::size_t i = 0; i < len; ++i) write(buf[i]);
}

void OutputStream::write(const std::vector<std::uint8_t>& buf, std::size_t off, std::size_t len) {
  if (off > buf.size() || len > buf.size() - off) throw plat::lang::IndexOutOfBoundsException();
  write(buf.data() + off, len);
}

}  // namespace plat::io
