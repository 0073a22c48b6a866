#include "platform/io/InputStreamReader.h"

#include "platform/io/IOException.h"

namespace plat::io {

InputStreamReader::InputStreamReader(plat::lang::Ref<InputStream> in) : in_(std::move(in)) {}

InputStreamReader::~InputStreamReader() {
  try {
    close();
  } catch (...) {
  }
}

int InputStreamReader::read() {
  if (!in_) throw IOException("Stream closed");
  return in_->read();  // the byte is its own code point in the 8-bit character set
}

bool InputStreamReader::ready() {
  if (!in_) throw IOException("Stream closed");
  return in_->available() > 0;
}

void InputStreamReader::close() {
  if (!in_) return;
  auto in = std::move(in_);
  in_.reset();
  in->close();
}

}  // namespace plat::io
